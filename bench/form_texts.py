#!/usr/bin/env python3
"""How many user-interface texts of real Designer forms verbaria-tool reaches.

For each form: scan it into a template, give every entry a translation, apply the language to the
form (-o) and compare the written form with the original: a text counts as translated when its
<string> changed. Texts counted: every non-empty <string> not marked notr="true", except those of
properties that are no user-interface text (shortcut, styleSheet, objectName...). Also prints how
many form files share an object name with another one.

Usage: bench/form_texts.py BUILD_DIR FORM.ui...
"""
import collections
import os
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

NOT_TEXT = {"shortcut", "styleSheet", "objectName", "inputMask", "locale", "accessibleName",
            "accessibleDescription", "windowFilePath", "windowIconText", "documentTitle", "html",
            "text/html", "searchPaths", "source", "displayFormat", "buttonGroup", "url"}


def strings(root):
    """(property name, text) of every user-interface string of a form, in document order."""
    found = []

    def walk(element, prop):
        for child in element:
            name = prop
            if child.tag in ("property", "attribute"):
                name = child.get("name")
            if child.tag == "string":
                if child.get("notr") != "true" and (child.text or "") and name not in NOT_TEXT:
                    found.append((name, child.text))
            walk(child, name)

    walk(root, None)
    return found


def main():
    build, forms = sys.argv[1], sys.argv[2:]
    tool = os.path.join(build, "bin", "verbaria-tool")
    total = translated = 0
    missed = collections.Counter()
    names = collections.Counter()
    with tempfile.TemporaryDirectory() as work:
        for form in forms:
            try:
                root = ET.parse(form).getroot()
            except ET.ParseError:
                continue
            widget = root.find("widget")
            if widget is None or not widget.get("name"):
                continue
            names[widget.get("name").upper()] += 1
            template = os.path.join(work, "t.lnd")
            if subprocess.run([tool, "scan", form, "-o", template, "--code-page", "UTF-8"],
                              capture_output=True).returncode != 0:
                continue
            lines = []
            for line in open(template, encoding="utf-8", errors="replace"):
                number, _, rest = line.partition(":component ")
                if rest:
                    lines.append("%s:%s" % (number, ",".join("T%s_%d" % (number, i) for i in range(60))))
            with open(os.path.join(work, "t.lng"), "w", encoding="utf-8", newline="\r\n") as out:
                out.write("\n".join(lines) + "\n")
            outdir = os.path.join(work, "out")
            subprocess.run([tool, "apply", "--template", template, "--language", os.path.join(work, "t.lng"),
                            "--code-page", "UTF-8", "--separator", ",", form, "-o", outdir],
                           capture_output=True)
            written = os.path.join(outdir, os.path.basename(form))
            before = strings(root)
            after = strings(ET.parse(written).getroot()) if os.path.exists(written) else []
            after_texts = [t for _, t in after]
            total += len(before)
            for i, (prop, text) in enumerate(before):
                if i < len(after_texts) and after_texts[i] != text:
                    translated += 1
                else:
                    missed[prop] += 1
    collisions = sum(n for n in names.values() if n > 1)
    print("forms %d, texts %d, translated %d (%.1f %%)" % (len(forms), total, translated,
                                                           100.0 * translated / max(total, 1)))
    print("forms sharing an object name with another: %d" % collisions)
    print("not reached, by property: %s" % dict(missed.most_common()))


if __name__ == "__main__":
    main()
