#!/usr/bin/env python3
"""How many of the texts Qt's lupdate finds in real Qt programs reach a template made by
`verbaria-tool scan --qt-messages`.

For every example program of the Debian packages qtbase5-examples and qttools5-examples (a folder
with a .pro file that is not a subdirs project, or with a CMakeLists.txt), runs lupdate into a
temporary .ts file and scan over the same folder (its sources and every .ui form below it), then
compares the sets of (context, source, disambiguation). Prints a table per package; --verbose
lists the texts that did not reach the template.

    scripts/scan-coverage.py [--tool build/bin/verbaria-tool] [--lupdate /usr/lib/qt6/bin/lupdate] [--verbose]
"""

import argparse
import os
import re
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree

PACKAGES = ["qtbase5-examples", "qttools5-examples"]


def package_folders(package):
    """The example program folders a package installs."""
    files = subprocess.run(["dpkg", "-L", package], capture_output=True, text=True, check=True).stdout.split("\n")
    folders = set()
    for path in files:
        name = os.path.basename(path)
        if not os.path.isfile(path) or "/examples/" not in path:
            continue
        if name == "CMakeLists.txt":
            folders.add(os.path.dirname(path))
        elif name.endswith(".pro"):
            with open(path, encoding="utf-8", errors="replace") as project:
                if not re.search(r"^\s*TEMPLATE\s*=\s*subdirs", project.read(), re.MULTILINE):
                    folders.add(os.path.dirname(path))
    # A folder inside another program's folder is part of that program.
    ordered = sorted(folders)
    return [f for f in ordered if not any(f.startswith(other + "/") for other in ordered if other != f)]


def lupdate_messages(lupdate, folder, work):
    ts = os.path.join(work, "out.ts")
    if os.path.exists(ts):
        os.remove(ts)
    subprocess.run([lupdate, "-silent", "-no-obsolete", folder, "-ts", ts], capture_output=True, check=False)
    if not os.path.exists(ts):
        return set()
    messages = set()
    for context in ElementTree.parse(ts).getroot().iter("context"):
        name = context.findtext("name") or ""
        for message in context.iter("message"):
            if message.get("id"):  # qsTrId: found by id, which a template does not keep
                continue
            source = message.findtext("source") or ""
            messages.add((name, source, message.findtext("comment") or ""))
    return messages


def unescape(value):
    out, i = [], 0
    while i < len(value):
        if value[i] == "\\" and i + 1 < len(value):
            out.append({"n": "\n", "r": "\r", "t": "\t"}.get(value[i + 1], value[i + 1]))
            i += 2
        else:
            out.append(value[i])
            i += 1
    return "".join(out)


def template_messages(data):
    encoding = "utf-8" if re.search(rb"^codepage\s*=\s*utf-?8", data, re.IGNORECASE | re.MULTILINE) else "cp1250"
    messages, comments = set(), {}
    for line in data.decode(encoding, errors="replace").split("\r\n"):
        if line.startswith("/"):
            key, _, value = line[1:].partition("=")
            comments[key] = unescape(value)
            continue
        match = re.match(r'\s*\d+\s*:\s*message\s+"(.*)"', line, re.IGNORECASE)
        if match:
            source = comments.get("Source", match.group(1))
            messages.add((comments.get("Context", ""), source, comments.get("Disambiguation", "")))
        comments = {}
    return messages


def scan_messages(tool, folder):
    forms = []
    for root, _, names in os.walk(folder):
        forms += [os.path.join(root, n) for n in names if n.endswith(".ui")]
    result = subprocess.run([tool, "scan", "--qt-messages", "--sources", folder] + sorted(forms),
                            capture_output=True, check=False)
    if result.returncode != 0:
        print(f"scan failed in {folder}: {result.stderr.decode(errors='replace')}", file=sys.stderr)
        return set()
    return template_messages(result.stdout)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--tool", default=os.path.join(here, "..", "build", "bin", "verbaria-tool"))
    parser.add_argument("--lupdate", default="/usr/lib/qt6/bin/lupdate")
    parser.add_argument("--verbose", action="store_true", help="list the texts that did not reach the template")
    args = parser.parse_args()

    rows, misses, extras = [], [], []
    with tempfile.TemporaryDirectory() as work:
        for package in PACKAGES:
            programs = found = reached = 0
            for folder in package_folders(package):
                expected = lupdate_messages(args.lupdate, folder, work)
                got = scan_messages(args.tool, folder)
                programs += 1
                found += len(expected)
                reached += len(expected & got)
                misses += [(folder, m) for m in sorted(expected - got)]
                extras += [(folder, m) for m in sorted(got - expected)]
            rows.append((package, programs, found, reached))
    print(f"{'package':<20} {'programs':>8} {'lupdate':>8} {'reached':>8} {'percent':>8}")
    for package, programs, found, reached in rows + [("all", *map(sum, zip(*[r[1:] for r in rows])))]:
        percent = 100.0 * reached / found if found else 100.0
        print(f"{package:<20} {programs:>8} {found:>8} {reached:>8} {percent:>7.1f}%")
    if args.verbose:
        for folder, (context, source, disambiguation) in misses:
            print(f"missed: {folder}: {context!r} {source!r} {disambiguation!r}")
        for folder, (context, source, disambiguation) in extras:
            print(f"extra: {folder}: {context!r} {source!r} {disambiguation!r}")


if __name__ == "__main__":
    main()
