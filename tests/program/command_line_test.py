#!/usr/bin/env python3
"""`verbaria --help` and `--version` on the build's own executable: each answers on standard output
and exits 0 with nothing on stderr, with no display at all (no DISPLAY, WAYLAND_DISPLAY or
QT_QPA_PLATFORM), so no window and no connection to a display may come first. Both executables
give the project's one version.

    command_line_test.py --build BUILD_DIR --version VERSION
"""

import argparse
import os
import subprocess
import sys
import tempfile


def run(executable, argument, folder):
    env = {name: value for name, value in os.environ.items()
           if name not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
    return subprocess.run([executable, argument], cwd=folder, env=env, stdout=subprocess.PIPE,
                          stderr=subprocess.PIPE, text=True, timeout=60)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--build", required=True, help="the build folder whose bin/verbaria runs")
    parser.add_argument("--version", required=True, help="the project's version")
    options = parser.parse_args()
    build = os.path.abspath(options.build)
    editor = os.path.join(build, "bin", "verbaria")
    tool = os.path.join(build, "bin", "verbaria-tool")

    failures = []
    with tempfile.TemporaryDirectory(prefix="verbaria-command-line.") as folder:
        def expect(executable, argument, check):
            result = run(executable, argument, folder)
            name = f"{os.path.basename(executable)} {argument}"
            if result.returncode != 0 or result.stderr:
                failures.append(f"{name}: exit status {result.returncode}, stderr: {result.stderr[-1500:]!r}")
            elif not check(result.stdout):
                failures.append(f"{name}: printed {result.stdout!r}")
            if os.listdir(folder):
                failures.append(f"{name}: wrote {os.listdir(folder)} into the current folder")

        usage = lambda out: (out.startswith("Usage: verbaria [FILE]\n") and "--version" in out
                             and "  --  " in out)
        expect(editor, "--help", usage)
        expect(editor, "-h", usage)
        expect(editor, "--version", lambda out: out == f"verbaria {options.version}\n")
        expect(tool, "--version", lambda out: out == f"verbaria-tool {options.version}\n")

    for failure in failures:
        print("FAIL " + failure)
    if not failures:
        print("PASS help_and_version")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
