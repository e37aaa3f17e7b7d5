#!/usr/bin/env python3
"""A GUI monkey for the real editor: seeded random keys, texts in several alphabets, pastes, clicks
and closes on the build's own `verbaria`, on a virtual display (Xvfb, openbox, xdotool, xclip).

Beside the document lie files that are not what their names say (a .lng of random bytes, a .lnd
that is a language file, an empty file, a binary file, a language file in UTF-16). Every few dozen
events the monkey asks the window to close, answers the save question at random and starts the
editor again. A run fails when the editor crashes (an exit status other than 0, a signal), hangs (a
close request not answered within 15 s), a sanitizer or the C++ runtime reports anything on stderr,
or a language file it wrote is not well formed (verbaria-tool must read it back; every line ends in
CR LF, with no bare CR or LF inside).

    scripts/monkey.py --build build-ci --seed 7 --events 2000
    scripts/monkey.py --build build-ci --minutes 60 --keep

It prints its seed and event count; on a failure the events that led there (and with --keep the
folder with the files and the full event log stays for a replay with the same seed).
"""

import argparse
import hashlib
import os
import random
import shutil
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from editor_session import (CLOSE_SECONDS, Display, Editor, Failure, ProgramCopy,  # noqa: E402
                            new_session_folder, random_lines, remember_template, share_with_user,
                            well_formed_language_file)

TEMPLATE = "program.lnd"
LANGUAGE = "english.lng"

WORKBENCH_KEYS = [
    "ctrl+s", "ctrl+n", "ctrl+z", "ctrl+shift+z", "ctrl+y", "ctrl+j", "ctrl+shift+j", "F8", "ctrl+k", "ctrl+1",
    "ctrl+2", "ctrl+3", "ctrl+h", "ctrl+f", "F3", "Return", "Escape", "F2", "Tab", "shift+Tab", "Up", "Down",
    "Left", "Right", "Delete", "BackSpace", "Page_Up", "Page_Down", "Home", "End", "ctrl+Home", "ctrl+End",
    "ctrl+e", "ctrl+l", "ctrl+d", "ctrl+a", "ctrl+c", "ctrl+v", "ctrl+x", "alt+Return", "ctrl+comma", "F1",
    "ctrl+shift+n", "ctrl+o", "ctrl+shift+s", "ctrl+shift+o", "alt+s", "alt+a", "alt+n", "Menu", "shift+F10",
]
PLAIN_KEYS = list("abcdefghijklmnopqrstuvwxyz0123456789") + [
    "space", "comma", "period", "minus", "equal", "semicolon", "apostrophe", "shift+a", "shift+7", "shift+5",
    "shift+bar", "shift+ampersand", "shift+percent", "quotedbl", "Insert",
]
DIALOG_KEYS = ["Escape", "Escape", "Escape", "Return", "Return", "Tab", "shift+Tab", "space", "alt+F4", "Down", "Up"]

TEXTS = {
    "czech": ["Příliš žluťoučký kůň úpěl ďábelské ódy", "Uložit změny ?", "řeřicha", "&Soubor", "Ďábel %s"],
    "russian": ["Съешь же ещё этих мягких французских булок", "Файл", "&Сохранить %1", "Ёлка"],
    "greek": ["Ξεσκεπάζω την ψυχοφθόρα βδελυγμία", "Αρχείο", "Άνοιγμα %d"],
    "japanese": ["いろはにほへと", "ファイルを保存", "日本語の文章です。", "％s"],
    "arabic": ["نص حكيم له سر قاطع", "ملف", "حفظ التغييرات؟"],
    "latin": ["Save changes ?", "&File", "Open %1 of %2", "x|y", '"quoted"', "tab\there"],
}


def template_bytes(rows):
    lines = ["[LANGUAGE]", "Program=Zkušební program", "Version=1.0", "Author=Jana Nováková|Petr Novák", "",
             "[ITEMS]", '1: SECTION "Hlavní okno"']
    for number in range(2, rows + 2):
        if number % 17 == 0:
            lines.append(f'{number}: SECTION "Oddíl {number}"')
        elif number % 3:
            lines.append(f'{number}: COMPONENT "MainForm.tlacitko{number}.Caption"')
        else:
            lines.append(f'{number}: MESSAGE "Zpráva %s číslo {number} je &hotová."')
    return ("\r\n".join(lines) + "\r\n").encode("cp1250")


def language_text(rows):
    lines = ["Language=English", "Version=1.0", "Author=Jane Doe", f"Definition={TEMPLATE}"]
    for number in range(2, rows + 2):
        if number % 2 == 0 and number % 17:
            lines.append(f"{number:05d}:Text {number}")
    return "\r\n".join(lines) + "\r\n"


class Monkey:
    def __init__(self, options):
        self.options = options
        self.random = random.Random(options.seed)
        self.folder = new_session_folder(f"verbaria-monkey-{options.seed}.")
        self.display = Display(os.path.join(self.folder, "x"))
        self.program = ProgramCopy(os.path.abspath(options.build), os.path.join(self.folder, "program"))
        self.documents = os.path.join(self.folder, "documents")
        os.makedirs(self.documents)
        remember_template(self.display, os.path.join(self.documents, TEMPLATE))
        self.log = []
        self.events = 0
        self.runs = 0
        self.editor = None

    # -- files ------------------------------------------------------------------------------------

    def write(self, name, data):
        with open(os.path.join(self.documents, name), "wb") as f:
            f.write(data)

    def lay_out_documents(self):
        """The document and the files beside it that are not what their names say."""
        files = {
            TEMPLATE: template_bytes(120),
            LANGUAGE: language_text(120).encode("cp1250"),
            "zz-random.lng": random_lines(self.random),
            "mislabelled.lnd": language_text(30).encode("cp1250"),
            "empty.lng": b"",
            "binary.lng": b"\x7fELF\x02\x01\x01\x00" + bytes(self.random.randrange(256) for _ in range(2048)),
            "utf16.lng": language_text(40).replace("Text", "Текст").encode("utf-16"),
        }
        if self.options.no_mislabelled:
            files = {name: data for name, data in files.items() if name in (TEMPLATE, LANGUAGE)}
        for name, data in files.items():
            if not os.path.exists(os.path.join(self.documents, name)):
                self.write(name, data)
        share_with_user(self.documents)

    def snapshot(self):
        """Every file of the session's writable folders with a digest of its bytes."""
        state = {}
        for top in (self.documents, os.path.join(self.folder, "x")):
            for root, _, files in os.walk(top):
                for name in files:
                    path = os.path.join(root, name)
                    try:
                        with open(path, "rb") as f:
                            state[path] = hashlib.sha1(f.read()).hexdigest()
                    except OSError:
                        pass
        return state

    def check_written_files(self, before):
        template = os.path.join(self.documents, TEMPLATE)
        for path, digest in self.snapshot().items():
            if not path.lower().endswith(".lng") or before.get(path) == digest:
                continue
            self.note(f"check written {os.path.relpath(path, self.folder)}")
            problem = well_formed_language_file(self.program.tool, template, path)
            if problem:
                raise Failure(f"the editor wrote {os.path.relpath(path, self.folder)}, which is not well formed: "
                              + problem)

    # -- events -----------------------------------------------------------------------------------

    def note(self, text):
        self.log.append(f"[{self.events}] {text}")

    def start(self):
        self.lay_out_documents()
        self.runs += 1
        choice = self.random.random()
        if choice < 0.7:
            arguments = [LANGUAGE]
        else:
            arguments = self.random.choice([[TEMPLATE], []] if self.options.no_mislabelled else [
                [TEMPLATE], ["mislabelled.lnd"], ["utf16.lng"], ["zz-random.lng"], ["empty.lng"], ["binary.lng"], []])
        self.note(f"start verbaria {' '.join(arguments)}")
        self.before = self.snapshot()
        self.editor = Editor(self.display, self.program, [os.path.join(self.documents, a) for a in arguments],
                             self.documents, os.path.join(self.folder, f"run{self.runs:03d}"))
        self.editor.wait_main_window(timeout=120, answer=self.dialog_event)

    def random_text(self):
        alphabet = self.random.choice(sorted(TEXTS))
        return self.random.choice(TEXTS[alphabet])

    def long_text(self):
        parts = []
        length = self.random.choice([200, 2000, 20000])
        while sum(len(p) for p in parts) < length:
            parts.append(self.random_text())
            parts.append(self.random.choice([" ", " ", "\n", "\r\n", "\r", "\t", "|"]))
        return "".join(parts)

    def main_window_event(self):
        editor = self.editor
        kind = self.random.choices(["workbench", "plain", "type", "paste", "click"], [40, 15, 20, 8, 17])[0]
        if kind == "workbench":
            key = self.random.choice(WORKBENCH_KEYS)
            self.note(f"key {key}")
            editor.key(key)
        elif kind == "plain":
            keys = [self.random.choice(PLAIN_KEYS) for _ in range(self.random.randint(1, 6))]
            self.note(f"keys {' '.join(keys)}")
            editor.key(*keys)
        elif kind == "type":
            text = self.random_text()
            self.note(f"type {text!r}")
            editor.type(text)
        elif kind == "paste":
            text = self.long_text() if self.random.random() < 0.7 else self.random_text()
            self.note(f"paste {len(text)} characters, {text.count(chr(10)) + text.count(chr(13))} line breaks")
            editor.set_clipboard(text)
            editor.key("ctrl+v")
        else:
            area = self.random.choice(["grid", "grid", "pane", "anywhere"])
            fy = {"grid": (0.15, 0.6), "pane": (0.6, 0.97), "anywhere": (0.0, 1.0)}[area]
            fx, fy = self.random.uniform(0.02, 0.98), self.random.uniform(*fy)
            button = self.random.choices([1, 3], [9, 1])[0]
            double = self.random.random() < 0.2
            self.note(f"click {area} {fx:.2f},{fy:.2f} button {button}{' twice' if double else ''}")
            editor.click_relative(fx, fy)
            if button == 3 or double:
                editor.xdo("click", "--repeat", 2 if double else 1, button)

    def dialog_event(self, dialog):
        editor = self.editor
        editor.activate(dialog)
        choice = self.random.random()
        if choice < 0.75:
            key = self.random.choice(DIALOG_KEYS)
            self.note(f"dialog {key}")
            editor.key(key)
        elif choice < 0.85:
            text = self.random_text()
            self.note(f"dialog type {text!r}")
            editor.type(text)
        else:
            fx, fy = self.random.uniform(0.05, 0.95), self.random.uniform(0.05, 0.95)
            self.note(f"dialog click {fx:.2f},{fy:.2f}")
            editor.click_relative(fx, fy, dialog)

    def event(self):
        self.events += 1
        dialog = self.editor.other_window()
        if dialog:
            self.dialog_event(dialog)
        else:
            self.editor.activate()
            self.main_window_event()
        time.sleep(self.random.uniform(0.02, 0.25))
        if not self.editor.running():
            # Random keys reach "Konec" too (Alt+S opens the file menu, K chooses its end) and
            # random answers then settle the save question: a clean end the user asked for.
            self.editor.wait_exit()
            if self.editor.status != 0:
                self.editor.check_clean_end()
                raise Failure(f"the editor ended by itself: status {self.editor.status}")
            self.note("ended: status 0 (the menu's end)")
            self.editor.check_clean_end(lambda: self.check_written_files(self.before))
            self.start()

    def close(self):
        """Asks the main window to close and answers what it asks; True when the editor ended."""
        editor = self.editor
        way = self.random.choice(["alt+F4", "alt+F4", "ctrl+q"])
        self.note(f"close ({way})")
        if way == "ctrl+q" and not editor.other_window():
            editor.activate()
            editor.key("ctrl+q")
        else:
            editor.request_close()
        for attempt in range(20):
            start = time.monotonic()
            deadline = start + CLOSE_SECONDS
            dialog = None
            asked_again = 0
            while time.monotonic() < deadline and editor.running():
                dialog = editor.other_window()
                if dialog:
                    break
                # Qt drops a close request that comes while a modal dialog is still going away
                # (so would it for a user's click): the first request is repeated once, as a
                # user would click again.
                # A close that comes while a dialog is still going away (a save dialog the close
                # itself cancelled) is dropped; a user asks again, a few times.
                if attempt == 0 and asked_again < 4 and time.monotonic() - start > 3 * (asked_again + 1):
                    asked_again += 1
                    # As a user would: a click on the window's status bar (it gives the window the
                    # keyboard again, wherever the focus went), then the close once more.
                    self.note("close again, after a click on the status bar")
                    editor.click_relative(0.5, 0.985)
                    editor.request_close()
                    # The question may take its time on a loaded machine: the wait starts again.
                    deadline = time.monotonic() + CLOSE_SECONDS
                    start = time.monotonic() - 3 * asked_again
                time.sleep(0.1)
            if not editor.running():
                break
            if not dialog:
                # No question, no end: after an answer the close was cancelled (Escape on the
                # question, a save dialog cancelled); the next close finds out whether it hangs.
                if self.last_answer:
                    self.note("close cancelled")
                    return False
                raise editor.hung(CLOSE_SECONDS)
            # Random answers may go round (save, "replace?", no, save ...); after a few, the
            # monkey gets out as a user would: Escape leaves a file dialog or the "replace?" box,
            # and the next button of the save question (which Escape does not answer) is "Ne".
            if attempt < 6:
                answer = self.random.choice([["Return"], ["Tab", "space"], ["Escape"]])
            else:
                answer = ["Escape"] if attempt % 2 == 0 else ["Tab", "space"]
            self.last_answer = answer[0]
            self.note(f"answer {' '.join(answer)}")
            # A user answers the box in front of them: it gets the focus first (the close request
            # may have left it on the main window that the box blocks).
            editor.activate(dialog)
            editor.key(*answer)
            time.sleep(0.5)
        if editor.running() and editor.other_window():
            raise editor.hung(CLOSE_SECONDS)  # nothing led out of the dialogs
        editor.wait_exit()
        self.note(f"ended: status {editor.status}")
        editor.check_clean_end(lambda: self.check_written_files(self.before))
        return True

    def run(self):
        deadline = time.monotonic() + self.options.minutes * 60 if self.options.minutes else None
        self.start()
        next_close = self.events + self.random.randint(self.options.close_every // 2, self.options.close_every)
        while True:
            done = (deadline and time.monotonic() > deadline) or (
                not deadline and self.events >= self.options.events)
            if done or self.events >= next_close:
                self.last_answer = None
                if self.close():
                    if done:
                        return
                    self.start()
                next_close = self.events + self.random.randint(self.options.close_every // 2,
                                                               self.options.close_every)
                continue
            self.event()

    def finish(self, failure):
        if failure and self.options.keep:
            self.display.screenshot(os.path.join(self.folder, "failure.png"))
        if self.editor:
            self.editor.kill()
        self.display.close()
        if failure and self.options.keep:
            with open(os.path.join(self.folder, "events.log"), "w", encoding="utf-8") as f:
                f.write("\n".join(self.log) + "\n")
            print(f"kept: {self.folder} (events.log, run*.stderr)")
        else:
            shutil.rmtree(self.folder, ignore_errors=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--build", default="build-ci", help="the build folder whose bin/verbaria runs")
    parser.add_argument("--seed", type=int, default=None, help="the seed (default: a random one, printed)")
    parser.add_argument("--events", type=int, default=300, help="how many events (unless --minutes)")
    parser.add_argument("--minutes", type=float, default=None, help="run this long instead of --events")
    parser.add_argument("--close-every", type=int, default=80, help="close and restart every N events at most")
    parser.add_argument("--no-mislabelled", action="store_true",
                        help="leave out the files that are not what their names say (to look past a known fault)")
    parser.add_argument("--keep", action="store_true", help="keep the folder and the event log on a failure")
    options = parser.parse_args()
    if options.seed is None:
        options.seed = random.SystemRandom().randrange(1, 1 << 31)
    print(f"monkey: seed {options.seed}", flush=True)
    monkey = Monkey(options)
    failure = None
    try:
        monkey.run()
    except Failure as error:
        failure = error
    finally:
        monkey.finish(failure)
    print(f"monkey: seed {options.seed}, {monkey.events} events, {monkey.runs} runs", flush=True)
    if failure:
        print(f"FAIL (seed {options.seed}, event {monkey.events}): {failure}")
        print("the events that led there:")
        for line in monkey.log[-60:]:
            print("  " + line)
        return 1
    print("no crash, no hang, no sanitizer report, every written language file well formed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
