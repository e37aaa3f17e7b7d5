"""Runs the real editor executable on a virtual X display of its own and drives it as a user would.

Shared by the whole-program tests (tests/program/) and the monkey (scripts/monkey.py). Each
session has a folder of its own: an X server (Xvfb) with the openbox window manager, a copy of the
program laid out as an installed copy (bin/ and share/verbaria/jazyky/), and HOME and the XDG
folders, so that the settings, the catalogue and the registry record all land in that folder and
nothing is written anywhere else. (A program folder we may write to keeps its settings beside the
executable, but its registry record goes to the system's configuration folder, which root may
write; the installed layout sends the record to $XDG_CONFIG_HOME/verbaria/ too.)

Only the standard library, Xvfb, openbox and xdotool (and xclip for the clipboard) are needed.
"""

import os
import resource
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time

# What a sanitizer writes when it finds something; any of these on stderr fails a run.
SANITIZER_MARKS = (
    "ERROR: AddressSanitizer",
    "ERROR: LeakSanitizer",
    "ERROR: UndefinedBehaviorSanitizer",
    "SUMMARY: UndefinedBehaviorSanitizer",
    "runtime error:",
)
# What the C++ runtime and glibc write before they abort.
ABORT_MARKS = ("terminate called", "corrupted ", "double free", "free(): ", "malloc(): ")

CLOSE_SECONDS = 15

# Root may write anywhere, and a driven file dialog may wander anywhere: as root, the editor runs
# as nobody, so that what it writes can only land in the session's folder (or another folder
# everyone may write to).
NOBODY = 65534


def _allow_core():
    """A crash leaves a core file (in the editor's folder, where the kernel's pattern "core" puts
    it), so that its stack can be read after the run."""
    try:
        resource.setrlimit(resource.RLIMIT_CORE, (resource.RLIM_INFINITY, resource.RLIM_INFINITY))
    except (ValueError, OSError):
        pass


def as_user_prefix():
    return ["setpriv", f"--reuid={NOBODY}", f"--regid={NOBODY}", "--clear-groups"] if os.getuid() == 0 else []


def share_with_user(*paths):
    """Lets the user the editor runs as write to the given folders and files (and what they hold)."""
    if os.getuid() != 0:
        return
    for path in paths:
        for root, folders, files in os.walk(path):
            os.chown(root, NOBODY, NOBODY)
            for name in files:
                os.chown(os.path.join(root, name), NOBODY, NOBODY)
        if os.path.isfile(path):
            os.chown(path, NOBODY, NOBODY)


class Failure(Exception):
    """A run that crashed, hung, reported a sanitizer finding or wrote a bad file."""


def _run(arguments, env, timeout=10, check=False):
    try:
        result = subprocess.run(arguments, env=env, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                                timeout=timeout, text=True)
    except subprocess.TimeoutExpired:
        # xdotool waits for ever for a window that will not be activated (one a modal dialog blocks).
        result = subprocess.CompletedProcess(arguments, -1, "", "timed out")
    if check and result.returncode != 0:
        raise Failure(f"{' '.join(arguments)} failed: {result.stderr.strip()}")
    return result


def describe_status(status):
    if status is None:
        return "still running"
    if status < 0:
        try:
            return f"killed by signal {signal.Signals(-status).name}"
        except ValueError:
            return f"killed by signal {-status}"
    return f"exit status {status}"


class Display:
    """An Xvfb server on a free display number with openbox as its window manager."""

    def __init__(self, folder, width=1280, height=1024):
        self.folder = folder
        self.width, self.height = width, height
        read_end, write_end = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", f"{width}x{height}x24", "-nolisten", "tcp",
             "-noreset"], pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        number = b""
        deadline = time.monotonic() + 30
        while not number.endswith(b"\n"):
            ready, _, _ = select.select([read_end], [], [], max(0.1, deadline - time.monotonic()))
            chunk = os.read(read_end, 16) if ready else b""
            if not chunk:
                os.close(read_end)
                self.xvfb.kill()
                raise Failure("Xvfb did not start")
            number += chunk
        os.close(read_end)
        self.name = ":" + number.decode().strip()
        self.env = dict(os.environ, DISPLAY=self.name)
        self.env.pop("WAYLAND_DISPLAY", None)
        self.openbox = subprocess.Popen(["openbox", "--sm-disable"], env=self.child_env(),
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        # The window manager is ready once it has announced itself on the root window.
        deadline = time.monotonic() + 30
        while _run(["xdotool", "get_num_desktops"], self.env).returncode != 0:
            if time.monotonic() > deadline:
                self.close()
                raise Failure("openbox did not start")
            time.sleep(0.1)

    def child_env(self):
        """The environment of a program on this display: HOME and every XDG folder in our folder."""
        env = dict(self.env)
        for variable, sub in (("HOME", "home"), ("XDG_CONFIG_HOME", "config"), ("XDG_CACHE_HOME", "cache"),
                              ("XDG_DATA_HOME", "data"), ("XDG_STATE_HOME", "state"), ("XDG_RUNTIME_DIR", "run")):
            path = os.path.join(self.folder, sub)
            if not os.path.isdir(path):
                os.makedirs(path, mode=0o700)
                share_with_user(path)
            env[variable] = path
        env.pop("DBUS_SESSION_BUS_ADDRESS", None)
        return env

    def screenshot(self, path):
        subprocess.run(["import", "-window", "root", path], env=self.env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=30)

    def close(self):
        for process in (getattr(self, "openbox", None), self.xvfb):
            if process and process.poll() is None:
                process.terminate()
                try:
                    process.wait(5)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()


class ProgramCopy:
    """The build's executable and its own languages, copied as an installed copy."""

    def __init__(self, build, folder):
        source = os.path.join(build, "bin")
        self.tool = os.path.join(source, "verbaria-tool")
        self.bin = os.path.join(folder, "bin")
        os.makedirs(self.bin)
        self.executable = os.path.join(self.bin, "verbaria")
        shutil.copy2(os.path.join(source, "verbaria"), self.executable)
        shutil.copytree(os.path.join(source, "jazyky"), os.path.join(folder, "share", "verbaria", "jazyky"))


class Editor:
    """One run of the editor: started, driven through xdotool, and ended."""

    def __init__(self, display, program, arguments, cwd, log, extra_env=None):
        self.display = display
        self.log = log
        env = display.child_env()
        env["QT_QPA_PLATFORM"] = "xcb"
        env["NO_AT_BRIDGE"] = "1"
        # The window's own account of each close request, kept in the run's stderr file.
        env.setdefault("QT_LOGGING_RULES", "verbaria.window*=true")
        env.setdefault("ASAN_OPTIONS", "halt_on_error=1:detect_leaks=1")
        env.setdefault("UBSAN_OPTIONS", "halt_on_error=1:print_stacktrace=1")
        supp = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "lsan.supp")
        env.setdefault("LSAN_OPTIONS", f"suppressions={os.path.abspath(supp)}:print_suppressions=0")
        env.update(extra_env or {})
        self.stderr_path = log + ".stderr"
        self._stderr = open(self.stderr_path, "wb")
        # The session's folder must be reachable for the user the editor runs as.
        os.chmod(os.path.dirname(display.folder), 0o755)
        self.process = subprocess.Popen(as_user_prefix() + [program.executable] + list(arguments), cwd=cwd, env=env,
                                        stdout=self._stderr, stderr=subprocess.STDOUT, preexec_fn=_allow_core)
        self.main = None
        self.status = None

    # -- windows ----------------------------------------------------------------------------------

    def xdo(self, *arguments, timeout=10):
        return _run(["xdotool"] + [str(a) for a in arguments], self.display.env, timeout=timeout)

    def owned(self, window):
        """Whether the window belongs to the editor's process."""
        result = self.xdo("getwindowpid", window)
        return result.returncode == 0 and result.stdout.strip() == str(self.process.pid)

    def title(self, window):
        return self.xdo("getwindowname", window).stdout.strip()

    def active(self):
        result = self.xdo("getactivewindow")
        return int(result.stdout.strip()) if result.returncode == 0 and result.stdout.strip() else None

    def wait_main_window(self, timeout=90, answer=None):
        """The main window once it is shown. A question or report shown before it (a file meant for
        another template, a file that cannot be read) is answered by answer(window), else with Enter."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if self.process.poll() is not None:
                self.status = self.process.returncode
                self._stderr.close()
                raise Failure(f"the editor ended at start ({describe_status(self.status)}): " +
                              "; ".join(self.problems()) + "\n--- stderr ---\n" + self.stderr()[-2000:])
            result = self.xdo("search", "--onlyvisible", "--pid", self.process.pid, ".")
            boxes = []
            for window in [int(w) for w in result.stdout.split()]:
                title = self.title(window)
                if "Verbaria" not in title:
                    continue
                # Message boxes carry the program's name alone as their caption; the main window
                # is the big one with the document's name before it (it may be mapped before it
                # has its size: it is never taken for a box, which would be answered).
                if title.strip() == "Verbaria":
                    boxes.append(window)
                    continue
                _, _, width, height = self.geometry(window)
                if width >= 600 and height >= 350:
                    self.main = window
                    self.activate(window)
                    return window
            active = self.active()
            # A box shown before any window of the program may come up without the focus; a user
            # clicks on it.
            if boxes and active not in boxes:
                self.activate(boxes[0])
                active = self.active()
            if active in boxes:
                time.sleep(0.5)
                if self.active() == active:
                    (answer or (lambda w: self.key("Return")))(active)
            time.sleep(0.2)
        raise Failure("no main window within %d s" % timeout)

    def activate(self, window=None):
        self.xdo("windowactivate", "--sync", window or self.main, timeout=3)

    def other_window(self):
        """The active window when it is one of ours other than the main window (a dialog)."""
        active = self.active()
        if active and active != self.main and self.owned(active):
            return active
        return None

    def wait_dialog(self, timeout=10):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if self.process.poll() is not None:
                return None
            window = self.other_window()
            if window:
                return window
            time.sleep(0.1)
        return None

    def geometry(self, window=None):
        result = self.xdo("getwindowgeometry", window or self.main)
        position = size = (0, 0)
        for line in result.stdout.splitlines():
            line = line.strip()
            if line.startswith("Position:"):
                x, y = line.split()[1].split(",")
                position = (int(x), int(y))
            elif line.startswith("Geometry:"):
                w, h = line.split()[1].split("x")
                size = (int(w), int(h))
        return position + size

    # -- input ------------------------------------------------------------------------------------

    def key(self, *keys):
        self.xdo("key", "--clearmodifiers", "--delay", "40", *keys)

    def type(self, text):
        self.xdo("type", "--clearmodifiers", "--delay", "15", "--", text, timeout=60)

    def click(self, x, y, button=1):
        self.xdo("mousemove", "--sync", x, y, "click", button)

    def click_relative(self, fx, fy, window=None):
        left, top, width, height = self.geometry(window)
        self.click(left + int(width * fx), top + int(height * fy))

    def set_clipboard(self, text):
        """Puts a text on the clipboard (xclip stays until another owner takes it)."""
        subprocess.run(["xclip", "-selection", "clipboard", "-i"], input=text.encode("utf-8"),
                       env=self.display.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=10)

    def request_close(self):
        """Asks the main window to close as the window manager's close does (Alt+F4)."""
        self.activate()
        self.key("alt+F4")
        self._close_requests = getattr(self, "_close_requests", 0) + 1

    # -- end --------------------------------------------------------------------------------------

    def running(self):
        return self.process.poll() is None

    def wait_exit(self, timeout=CLOSE_SECONDS):
        """The exit status; a process that has not ended in time is killed and reported hung."""
        try:
            self.status = self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            # The window logs each close it receives. A loaded display can drop Alt+F4 between
            # xdotool and the window manager; one that never reached the window is asked again,
            # once. A close that arrived and did not end the program is a hang.
            if getattr(self, "_close_requests", 0) == 1 and "close requested" not in self.stderr():
                print("note: the first close request never reached the window; asked again", file=sys.stderr)
                self.request_close()
                return self.wait_exit(timeout)
            raise self.hung(timeout)
        self._stderr.close()
        return self.status

    def threads(self):
        """What each thread of a process that does not end is waiting in (from /proc)."""
        states = []
        folder = f"/proc/{self.process.pid}/task"
        try:
            for task in sorted(os.listdir(folder), key=int):
                with open(f"{folder}/{task}/comm") as f:
                    name = f.read().strip()
                with open(f"{folder}/{task}/wchan") as f:
                    wchan = f.read().strip()
                states.append(f"{name}:{wchan}")
        except OSError:
            pass
        return ", ".join(states)

    def hung(self, seconds):
        """Records a hang (screen, threads), kills the process and returns the failure to raise."""
        self.display.screenshot(self.log + ".hang.png")
        # Every window of the display with its state: a modal window off screen or unmapped
        # blocks a close without showing anything.
        with open(self.log + ".hang.windows", "w", encoding="utf-8") as windows:
            # Where the keyboard goes (X's input focus) and what the window manager calls active:
            # keys typed into a window Qt thinks blocked are dropped.
            windows.write(f"input focus: {self.xdo('getwindowfocus', '-f').stdout.strip()}, "
                          f"active: {self.xdo('getactivewindow').stdout.strip()}, main: {self.main}\n")
            windows.flush()
            subprocess.run(["xwininfo", "-root", "-tree"], env=dict(os.environ, DISPLAY=self.display.name),
                           stdout=windows, stderr=subprocess.STDOUT, check=False)
        active = self.active()
        active_title = self.title(active) if active else "none"
        # Does the main window still take keys? A window Qt thinks blocked by a modal window takes
        # neither keys nor close requests; one that takes keys dropped the close alone.
        self.activate()
        self.key("ctrl+f")
        time.sleep(2)
        answers_keys = self.other_window() is not None
        if answers_keys:
            self.key("Escape")
        threads = self.threads()
        # Where the main thread waits: a dialog's loop nested in a command shows in its stack.
        if shutil.which("gdb"):
            with open(self.log + ".hang.stack", "w", encoding="utf-8") as stack:
                subprocess.run(["gdb", "-p", str(self.process.pid), "-batch", "-ex", "thread apply 1 bt 40"],
                               stdout=stack, stderr=subprocess.STDOUT, check=False, timeout=60)
            # What Qt itself believes: a modal or popup window it still counts, and the state of
            # the window under the screen's middle (the QWidgetData bits: is_closing is bit 9).
            x, y, width, height = self.geometry()
            script = [
                "set pagination off",
                "print (void*)'QApplication::activeModalWidget'()",
                "print (void*)'QGuiApplication::modalWindow'()",
                "print (void*)'QApplication::activePopupWidget'()",
                "print (void*)'QApplication::focusWidget'()",
                "print (void*)'QApplication::activeWindow'()",
                "set $p = (int*)malloc(8)",
                f"set $p[0] = {x + width // 2}",
                f"set $p[1] = {y + height // 2}",
                "set $top = (char*)'QApplication::topLevelAt'($p)",
                "info symbol *(void**)$top",
                "x/6wx *(char**)($top+32)",
                "print \"is_closing\"",
                "print (*(unsigned*)(*(char**)($top+32)+16) >> 9) & 1",
            ]
            with open(self.log + ".hang.qt", "w", encoding="utf-8") as state:
                subprocess.run(["gdb", "-p", str(self.process.pid), "-batch"] +
                               [arg for line in script for arg in ("-ex", line)],
                               stdout=state, stderr=subprocess.STDOUT, check=False, timeout=60)
        self.kill()
        return Failure(f"the editor did not end within {seconds} s of the close request (killed; active "
                       f"window then: {active_title!r}; "
                       f"the main window {'still' if answers_keys else 'no longer'} took keys; threads: "
                       f"{threads}; screen: {self.log}.hang.png)")

    def kill(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        self._stderr.close()

    def stderr(self):
        if not self._stderr.closed:
            self._stderr.flush()
        with open(self.stderr_path, "rb") as f:
            return f.read().decode("utf-8", "replace")

    def problems(self):
        """What the run's end and its stderr say went wrong; empty for a clean run."""
        problems = []
        if self.status not in (None, 0):
            problems.append(describe_status(self.status))
        text = self.stderr()
        for line in text.splitlines():
            if any(mark in line for mark in SANITIZER_MARKS + ABORT_MARKS):
                problems.append(line.strip())
                break
        return problems

    def check_clean_end(self, *checks):
        """Fails with everything wrong at once: the end, stderr, and the given checks of the files."""
        problems = []
        for check in checks:
            try:
                check()
            except Failure as failure:
                problems.append(str(failure))
        problems += self.problems()
        if problems:
            lines = self.stderr().splitlines()
            first = next((i for i, line in enumerate(lines)
                          if any(mark in line for mark in SANITIZER_MARKS + ABORT_MARKS)), max(0, len(lines) - 15))
            excerpt = "\n".join(lines[first:first + 15])
            raise Failure("; ".join(problems) + ("\n--- stderr ---\n" + excerpt if excerpt else ""))


def remember_template(display, template):
    """Writes the settings an earlier run would leave: the template last used, so that opening a
    language file made for it asks nothing."""
    folder = os.path.join(display.folder, "config", "verbaria")
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "glotra.ini"), "wb") as f:
        f.write(b"[Naposledy otevreny]\r\nSablona=" + template.encode("cp1250") + b"\r\n")
    share_with_user(os.path.join(display.folder, "config"))


def well_formed_language_file(tool, template, path):
    """None when the file is a language file the reader takes, with CR LF after every line."""
    with open(path, "rb") as f:
        data = f.read()
    if data:
        if not data.endswith(b"\r\n"):
            return "the last line does not end in CR LF"
        for number, line in enumerate(data.split(b"\r\n")[:-1], 1):
            if b"\r" in line or b"\n" in line:
                return f"line {number} holds a bare CR or LF"
    result = subprocess.run([tool, "export", template, path], stdout=subprocess.DEVNULL,
                            stderr=subprocess.PIPE, timeout=60)
    if result.returncode != 0:
        return "verbaria-tool export refuses it: " + result.stderr.decode("utf-8", "replace").strip()
    return None


def random_lines(generator, count=200):
    """Bytes of no meaning in CR LF lines, as a damaged or foreign file beside the document has."""
    lines = [bytes(generator.randrange(256) for _ in range(generator.randrange(1, 40))) for _ in range(count)]
    return b"\r\n".join(line.replace(b"\r", b"").replace(b"\n", b"") for line in lines) + b"\r\n"


def new_session_folder(prefix):
    return tempfile.mkdtemp(prefix=prefix, dir=os.environ.get("TMPDIR", "/tmp"))
