#!/usr/bin/env python3
"""Whole-program tests: the build's own `verbaria` executable, started with a language file on its
command line on a virtual display, driven with the keyboard and the mouse, and closed. Each run must
end with exit status 0 within 15 s of the close request, with nothing from a sanitizer on stderr, and
the language file must hold exactly what the user chose to keep.

    program_test.py --build BUILD_DIR CASE [--keep]
"""

import argparse
import os
import random
import shutil
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts"))

from editor_session import (Display, Editor, Failure, ProgramCopy, new_session_folder,  # noqa: E402
                            random_lines, remember_template, share_with_user,
                            well_formed_language_file)

TEMPLATE = "program.lnd"
LANGUAGE = "english.lng"
TYPED = "Zkouska"


def template_bytes(rows):
    lines = ["[LANGUAGE]", "Program=Zkušební program", "Version=1.0", "Author=Jana Nováková", "", "[ITEMS]",
             '1: SECTION "Hlavní okno"']
    for number in range(2, rows + 2):
        if number % 3:
            lines.append(f'{number}: COMPONENT "MainForm.tlacitko{number}.Caption"')
        else:
            lines.append(f'{number}: MESSAGE "Zpráva číslo {number} je hotová."')
    return ("\r\n".join(lines) + "\r\n").encode("cp1250")


def language_bytes(rows, translated_every=2, tag=""):
    lines = ["Language=English", "Version=1.0", "Author=Jane Doe", f"Definition={TEMPLATE}"]
    for number in range(2, rows + 2):
        if number % translated_every == 0:
            lines.append(f"{number:05d}:Text {number}{tag}")
    return ("\r\n".join(lines) + "\r\n").encode("cp1250")


class Case:
    def __init__(self, build, keep):
        self.build = build
        self.keep = keep
        self.folder = new_session_folder("verbaria-program.")
        self.display = Display(os.path.join(self.folder, "x"))
        self.program = ProgramCopy(build, os.path.join(self.folder, "program"))
        self.documents = os.path.join(self.folder, "documents")
        os.makedirs(self.documents)
        self.write(TEMPLATE, template_bytes(40))
        self.write(LANGUAGE, language_bytes(40))
        self.original = self.read(LANGUAGE)
        remember_template(self.display, os.path.join(self.documents, TEMPLATE))
        self.runs = 0
        self.editors = []

    def write(self, name, data):
        with open(os.path.join(self.documents, name), "wb") as f:
            f.write(data)

    def read(self, name):
        with open(os.path.join(self.documents, name), "rb") as f:
            return f.read()

    def start(self, extra_env=None, arguments=None):
        self.runs += 1
        share_with_user(self.documents)
        if arguments is None:
            arguments = [os.path.join(self.documents, LANGUAGE)]
        editor = Editor(self.display, self.program, arguments, self.documents,
                        os.path.join(self.folder, f"run{self.runs}"), extra_env)
        self.editors.append(editor)
        return editor

    def translations(self):
        """The right column of every row as verbaria-tool shows it."""
        result = subprocess.run([self.program.tool, "export", os.path.join(self.documents, TEMPLATE),
                                 os.path.join(self.documents, LANGUAGE)], stdout=subprocess.PIPE,
                                stderr=subprocess.PIPE, timeout=60)
        if result.returncode != 0:
            raise Failure("verbaria-tool export: " + result.stderr.decode("utf-8", "replace"))
        rows = [line.split(b"\t") for line in result.stdout.splitlines() if not line.startswith(b"#")]
        return [row[4].decode("cp1250", "replace") if len(row) > 4 else "" for row in rows]

    def close(self, failed):
        if failed and self.keep:
            self.display.screenshot(os.path.join(self.folder, "failure.png"))
        for editor in self.editors:
            editor.kill()
        self.display.close()
        if failed and self.keep:
            print(f"kept: {self.folder}")
        else:
            shutil.rmtree(self.folder, ignore_errors=True)


def edit_one_translation(editor):
    """Goes to the next untranslated row and types a translation into it."""
    editor.activate()
    editor.key("ctrl+j")
    time.sleep(0.3)
    editor.type(TYPED)
    editor.key("Return")
    time.sleep(0.5)


def answer_question(editor, keys, what):
    dialog = editor.wait_dialog()
    if not dialog:
        raise Failure(f"no question when closing with unsaved edits ({what})")
    editor.key(*keys)


def save_through_dialogs(editor):
    """After Yes: the save dialog offers the file's own name (Enter), and the question whether to
    replace the file has No as its default, so its Yes is taken by its accelerator ("&Ano")."""
    if not editor.wait_dialog():
        return
    editor.key("Return")
    time.sleep(0.5)
    if editor.wait_dialog(5):
        editor.key("a")


def check_saved(case):
    problem = well_formed_language_file(case.program.tool, os.path.join(case.documents, TEMPLATE),
                                        os.path.join(case.documents, LANGUAGE))
    if problem:
        raise Failure("the saved language file is not well formed: " + problem)
    if TYPED not in case.translations():
        raise Failure("the edit is not in the saved language file")


def check_unchanged(case, why):
    if case.read(LANGUAGE) != case.original:
        raise Failure(f"the language file changed although {why}")


# -- the cases ------------------------------------------------------------------------------------

def case_save_yes(case):
    editor = case.start()
    editor.wait_main_window()
    edit_one_translation(editor)
    editor.request_close()
    answer_question(editor, ["Return"], "Yes")
    save_through_dialogs(editor)
    editor.wait_exit()
    editor.check_clean_end(lambda: check_saved(case))


def case_save_no(case):
    editor = case.start()
    editor.wait_main_window()
    edit_one_translation(editor)
    editor.request_close()
    # The question's default button is Yes; Tab moves to the other one, whichever side it is on.
    answer_question(editor, ["Tab", "space"], "No")
    editor.wait_exit()
    editor.check_clean_end(lambda: check_unchanged(case, "the answer was No"))


def case_escape_keeps_edits(case):
    editor = case.start()
    editor.wait_main_window()
    edit_one_translation(editor)
    editor.request_close()
    answer_question(editor, ["Escape"], "Escape")
    time.sleep(2)
    if not editor.running():
        editor.wait_exit()
        lost = " and the edit was lost" if case.read(LANGUAGE) == case.original else ""
        problems = editor.problems()
        raise Failure(f"Escape on the question \"Uložit změny ?\" ended the program{lost}" +
                      (f" ({'; '.join(problems)})" if problems else ""))
    if editor.other_window():
        editor.key("Return")  # the question stayed up: answer Yes now
    else:
        editor.request_close()  # the close was cancelled: close again, answer Yes
        answer_question(editor, ["Return"], "Yes after Escape")
    save_through_dialogs(editor)
    editor.wait_exit()
    editor.check_clean_end(lambda: check_saved(case))


def close_with_dialog(opener):
    def case(case):
        editor = case.start()
        editor.wait_main_window()
        editor.activate()
        opener(editor)
        if not editor.wait_dialog():
            raise Failure("the dialog did not open")
        time.sleep(0.5)
        # Close the main window while the dialog is up; a modal dialog keeps it open, so the
        # dialog is then closed by the window manager and the main window after it.
        editor.request_close()
        time.sleep(2)
        if editor.running():
            dialog = editor.other_window()
            if dialog:
                editor.key("alt+F4")
                time.sleep(1)
            if editor.running():
                editor.request_close()
        editor.wait_exit()
        editor.check_clean_end(lambda: check_unchanged(case, "nothing was edited"))
    return case


def open_menu_properties(editor):
    editor.key("alt+s")  # &Soubor
    time.sleep(0.5)
    editor.key("v")  # &Vlastnosti
    time.sleep(0.5)


def case_close_during_memory(case):
    # Many language files in the folder: the translation memory is still reading them at the close.
    big = language_bytes(3000, 1, " z paměti")
    for number in range(120):
        case.write(f"memory{number:03d}.lng", big)
    editor = case.start()
    editor.wait_main_window(timeout=180)
    editor.request_close()
    editor.wait_exit()
    editor.check_clean_end()


def case_corrupt_language_beside(case):
    case.write("zz-random.lng", random_lines(random.Random(5)))
    editor = case.start()
    editor.wait_main_window()
    time.sleep(2)
    for index in range(12):
        if not editor.running():
            break
        editor.click_relative(0.7, 0.2 + 0.03 * index)
        time.sleep(0.4)
        editor.key("Down")
        time.sleep(0.2)
    if editor.running():
        editor.request_close()
        editor.wait_exit()
    else:
        editor.wait_exit()
    editor.check_clean_end(lambda: check_unchanged(case, "nothing was edited"))


def case_quit_after_start(case):
    editor = case.start({"VERBARIA_QUIT_AFTER_START": "1"})
    editor.wait_exit(90)
    editor.check_clean_end(lambda: check_unchanged(case, "nothing was edited"))


def case_close_start_up_report(case):
    # The report of a file that cannot be read comes before the main window; closed with the
    # window manager's close, it must leave the editor running with its main window.
    case.write(LANGUAGE, b"Language=English\r\n12a:not a number\r\n")
    editor = case.start()
    editor.wait_main_window(answer=lambda box: editor.key("alt+F4"))
    time.sleep(1)
    if not editor.running():
        raise Failure("the editor ended when its start-up report was closed")
    editor.request_close()
    if editor.wait_dialog(5):
        editor.key("Tab", "space")
    editor.wait_exit()
    editor.check_clean_end()


def case_save_after_new(case):
    # Ctrl+S on a new document must not write over the file that was open before Ctrl+N.
    editor = case.start()
    editor.wait_main_window()
    editor.key("ctrl+n")
    time.sleep(1)
    dialog = editor.other_window()
    if dialog:
        editor.key("Escape")
    edit_one_translation(editor)
    editor.key("ctrl+s")
    time.sleep(1.5)
    if editor.other_window():
        editor.key("Escape")  # a save dialog: cancel it
        time.sleep(0.5)
    check_unchanged(case, "Ctrl+S was pressed in a new document")
    editor.request_close()
    if editor.wait_dialog(5):
        editor.key("Tab", "space")  # No: discard the new document
    editor.wait_exit()
    editor.check_clean_end(lambda: check_unchanged(case, "Ctrl+S was pressed in a new document"))


def kept_copies(case):
    """The copies of unsaved work in the user's data folder."""
    found = []
    for root, _, files in os.walk(os.path.join(case.display.folder, "data")):
        found += [os.path.join(root, name) for name in files if name.endswith(".lng")]
    return found


def case_restore_after_kill(case):
    # Unsaved work is kept aside (here every second); a run killed mid-edit offers it back at the
    # next start, and the translator's Yes (Enter) brings the typed row back for the save.
    fast = {"VERBARIA_AUTOSAVE_SECONDS": "1"}
    editor = case.start(fast)
    editor.wait_main_window()
    edit_one_translation(editor)
    deadline = time.monotonic() + 15
    while not kept_copies(case) and time.monotonic() < deadline:
        time.sleep(0.2)
    if not kept_copies(case):
        raise Failure("no copy of the unsaved work was kept")
    editor.kill()
    check_unchanged(case, "the editor was killed before a save")

    editor = case.start(fast)
    editor.wait_main_window()  # the offer comes before the window: Enter is its Yes
    time.sleep(1)
    editor.activate()
    editor.key("ctrl+s")
    time.sleep(1.5)
    if TYPED not in case.translations():
        raise Failure("the restored row is not in the language file saved after the restart")
    editor.request_close()
    editor.wait_exit()
    editor.check_clean_end(lambda: check_saved(case))
    if kept_copies(case):
        raise Failure("a copy of the work stayed aside after it was saved: " + ", ".join(kept_copies(case)))


def case_file_after_dashes(case):
    # A file whose name begins with '-' follows "--" on the command line (taken against the
    # current folder, as any relative name).
    name = "-english.lng"
    case.write(name, case.original)
    editor = case.start(arguments=["--", name])
    title = editor.title(editor.wait_main_window())
    if not title.startswith(name):
        raise Failure(f"the main window shows {title!r}, not the file named after '--'")
    editor.request_close()
    editor.wait_exit()
    editor.check_clean_end()


CASES = {
    "save_yes": case_save_yes,
    "save_no": case_save_no,
    "escape_keeps_edits": case_escape_keeps_edits,
    "close_with_properties_shortcut": close_with_dialog(lambda e: e.key("alt+Return")),
    "close_with_properties_menu": close_with_dialog(open_menu_properties),
    "close_with_about": close_with_dialog(lambda e: e.key("F1")),
    "close_with_settings": close_with_dialog(lambda e: e.key("ctrl+comma")),
    "close_with_catalogue": close_with_dialog(lambda e: e.key("ctrl+shift+n")),
    "close_with_find": close_with_dialog(lambda e: e.key("ctrl+f")),
    "close_during_memory": case_close_during_memory,
    "corrupt_language_beside": case_corrupt_language_beside,
    "quit_after_start": case_quit_after_start,
    "save_after_new": case_save_after_new,
    "close_start_up_report": case_close_start_up_report,
    "file_after_dashes": case_file_after_dashes,
    "restore_after_kill": case_restore_after_kill,
}


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--build", required=True, help="the build folder whose bin/verbaria runs")
    parser.add_argument("--keep", action="store_true", help="keep the session folder of a failed case")
    parser.add_argument("case", choices=sorted(CASES) + ["all"])
    options = parser.parse_args()
    names = sorted(CASES) if options.case == "all" else [options.case]
    failed = []
    for name in names:
        case = Case(os.path.abspath(options.build), options.keep)
        ok = False
        try:
            CASES[name](case)
            ok = True
            print(f"PASS {name}")
        except (Failure, subprocess.TimeoutExpired) as failure:
            print(f"FAIL {name}: {failure}")
            failed.append(name)
        finally:
            case.close(not ok)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
