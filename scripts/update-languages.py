#!/usr/bin/env python3
"""Brings the editor's own languages in jazyky/ up to date with its windows and messages.

1. verbaria-tool scan --update adds every new caption, hint and title of the windows (.ui files)
   and every text passed to TranslateText in the sources to jazyky/glotra11.lnd; existing lines
   keep their numbers, so language files made for earlier versions stay valid.
2. czech.lng gets the Czech text of every entry: the forms' own texts (verbaria-tool apply --dump)
   and the messages themselves.
3. english.lng gets the English text of every entry from scripts/english.tsv (Czech TAB English,
   UTF-8); entries without one are listed, and the completeness test fails until they have one.

Usage: scripts/update-languages.py [BUILD_DIR]   (default: build-dev)
"""
import glob
import os
import re
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BUILD = sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "build-dev")
TOOL = os.path.join(BUILD, "bin", "verbaria-tool")
JAZYKY = os.path.join(ROOT, "jazyky")
TEMPLATE = os.path.join(JAZYKY, "glotra11.lnd")
CODEPAGE = "cp1250"

# The windows in the order the program creates them, then any other form.
WINDOW_ORDER = ["editor/ui/TMainForm.ui", "editor/ui/TVlastnostiForm.ui", "settings/ui/TProgramyForm.ui",
                "settings/ui/TPridatProgramForm.ui", "editor/ui/TAboutForm.ui", "settings/ui/TNastaveniForm.ui"]
FORMS = [os.path.join(ROOT, f) for f in WINDOW_ORDER]
FORMS += sorted(f for f in glob.glob(os.path.join(ROOT, "editor", "ui", "*.ui")) +
                glob.glob(os.path.join(ROOT, "settings", "ui", "*.ui")) if f not in FORMS)
SOURCES = [os.path.join(ROOT, d) for d in ("editor", "settings", "app")]

# Component texts that are not in a form file: the main window's file dialogs.
EXTRA_COMPONENTS = [
    ("MainForm.OpenDialog.Title", "Otevřít jazykovou verzi"),
    ("MainForm.SaveDialog.Title", "Uložit jazykovou verzi"),
    ("MainForm.SaveDialog.FileName", "Nový jazyk"),
    ("PridatProgramForm.OpenDialog.Title", "Vybrat soubor"),
]


def run(args):
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    return subprocess.run(args, check=True, capture_output=True, env=env).stdout


def entries():
    """(number, kind, text) of every entry of the template, read from its own lines: a number, a
    colon, the kind and the text between double quotes (a component's text is its path)."""
    with open(TEMPLATE, "rb") as f:
        lines = f.read().decode(CODEPAGE).splitlines()
    result = []
    for line in lines:
        match = re.match(r'\s*(\d+)\s*:\s*(\w+)\s+"(.*)"\s*$', line)
        if match:
            result.append((int(match.group(1)), match.group(2).lower(), match.group(3)))
    return result


def main():
    if not os.path.exists(TEMPLATE):
        with open(TEMPLATE, "wb") as f:
            f.write(b"[LANGUAGE]\r\nProgram=Verbaria\r\nVersion=1.1\r\n\r\n")
    args = [TOOL, "scan", *FORMS, "--program", "Verbaria", "--update", TEMPLATE, "-o", TEMPLATE]
    for folder in SOURCES:
        args += ["--sources", folder]
    run(args)

    known = {text for _, kind, text in entries() if kind == "component"}
    missing = [(path, czech) for path, czech in EXTRA_COMPONENTS if path not in known]
    if missing:
        highest = max(number for number, _, _ in entries())
        with open(TEMPLATE, "ab") as f:
            for offset, (path, _) in enumerate(missing, start=1):
                f.write(f'{highest + offset}:component "{path}"\r\n'.encode(CODEPAGE))

    empty = os.path.join(BUILD, "empty.lng")
    open(empty, "wb").close()
    dump = run([TOOL, "apply", "--template", TEMPLATE, "--language", empty, *FORMS, "--dump"]).decode(CODEPAGE)
    czech_of_path = {}
    for line in dump.split("\n"):
        if "=" in line:
            path, value = line.split("=", 1)
            czech_of_path[path.upper()] = value
    for path, czech in EXTRA_COMPONENTS:
        czech_of_path[path.upper()] = czech

    english = {}
    with open(os.path.join(ROOT, "scripts", "english.tsv"), encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\n")
            if line and not line.startswith("#"):
                czech, text = line.split("\t", 1)
                english[czech] = text

    czech_lines = ["Language=Čeština", "Version=1.1", "Author=Verbaria", "Definition=glotra11.lnd"]
    english_lines = ["Language=English", "Version=1.1", "Author=Verbaria", "Definition=glotra11.lnd"]
    untranslated = []
    for number, kind, text in entries():
        if kind not in ("component", "message"):
            continue
        czech = text if kind == "message" else czech_of_path.get(text.upper())
        if czech is None:
            print(f"no text found for {text}", file=sys.stderr)
            continue
        czech_lines.append(f"{number:05d}:{czech}")
        if czech in english:
            english_lines.append(f"{number:05d}:{english[czech]}")
        elif czech.strip():
            untranslated.append(czech)
    for name, lines in (("czech.lng", czech_lines), ("english.lng", english_lines)):
        with open(os.path.join(JAZYKY, name), "wb") as f:
            f.write(("\r\n".join(lines) + "\r\n").encode(CODEPAGE))
    for text in sorted(set(untranslated)):
        print(f"not in scripts/english.tsv: {text}", file=sys.stderr)
    return 1 if untranslated else 0


if __name__ == "__main__":
    sys.exit(main())
