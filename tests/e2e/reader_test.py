#!/usr/bin/python3
"""A blind player's whole game, heard through Debian's screen reader.

The game runs with Qt's accessibility on, on an X server, a session bus and an
AT-SPI bus of the test's own. Debian's orca runs on that bus with its debug log,
which records every utterance ("SPEECH OUTPUT") whether or not a voice is
installed. The player uses the keys alone; the test checks what the reader says,
and reads the game's objects and focus changes over AT-SPI as the reader gets
them. Every process it starts is ended by its id.

Usage: reader_test.py PATH/TO/quabe-pro
"""
import fcntl
import json
import os
import pty
import re
import shutil
import subprocess
import sys
import tempfile
import threading
import time
import unittest

GAME = None  # the executable under test, from the command line

CELL = re.compile(r"row (\d+), column (\d+), (?:empty|(.+?), (?:no group|group of (\d+), \d+ points))\.?$")
REMOVED = re.compile(r"notification Removed the (.+?) group of (\d+): (\d+) points, score (\d+)\.")
REPLY = re.compile(r"The computer removed a group of \d+: \d+ points, its score \d+\.")
ARROWS = {(-1, 0): "Up", (1, 0): "Down", (0, -1): "Left", (0, 1): "Right"}
AIM = ("Aim. Click two or more touching pieces alike to remove them. Pieces above fall, empty "
       "columns close to the left. Clear the board for a fresh one: the score is kept. When no two "
       "touching pieces match, the game is over.")


def wait_until(done, timeout=20.0, pump=None):
    """Polls `done` until it gives something true or `timeout` seconds pass; returns
    its last answer. A bound, not a measure: nothing is judged by how long it took."""
    end = time.monotonic() + timeout
    while True:
        if pump:
            pump()
        answer = done()
        if answer or time.monotonic() > end:
            return answer
        time.sleep(0.05)


def stop_process(process, grace=5.0):
    if process.poll() is None:
        process.terminate()
        try:
            process.wait(grace)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()


def stop_pid(pid):
    try:
        os.kill(pid, 15)
    except ProcessLookupError:
        pass


def session_members(session):
    """The processes of one session: what the AT-SPI launcher started for its bus."""
    members = []
    for entry in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open("/proc/%s/stat" % entry) as f:
                fields = f.read().rsplit(")", 1)[1].split()
        except OSError:
            continue
        if int(fields[3]) == session:
            members.append(int(entry))
    return members


class Desktop:
    """An X server, a session bus and an AT-SPI bus of the test's own, and the
    programs started on them, in a home folder of their own."""

    def __init__(self):
        self.home = tempfile.mkdtemp(prefix="quabe-reader-")
        self.processes = []
        self.daemons = []  # pids of what leaves its first process
        self.launcher = None
        try:
            self._start()
        except BaseException:
            self.stop()
            raise

    def _start(self):
        env = {k: v for k, v in os.environ.items()
               if not k.startswith(("DBUS_", "AT_SPI", "XDG_", "QT_", "DISPLAY", "WAYLAND"))}
        for name in ("config", "data", "cache", "runtime"):
            os.makedirs(os.path.join(self.home, name), mode=0o700)
        env.update(HOME=self.home, XDG_CONFIG_HOME=os.path.join(self.home, "config"),
                   XDG_DATA_HOME=os.path.join(self.home, "data"),
                   XDG_CACHE_HOME=os.path.join(self.home, "cache"),
                   XDG_RUNTIME_DIR=os.path.join(self.home, "runtime"),
                   GSETTINGS_BACKEND="memory",
                   # No speech server starts: what the reader would say is in its log.
                   SPEECHD_CMD="/bin/false")
        self.env = env

        reading, writing = os.pipe()
        self.processes.append(subprocess.Popen(
            # -noreset: else the server starts afresh, refusing clients for a moment,
            # each time its last client leaves.
            ["Xvfb", "-displayfd", str(writing), "-screen", "0", "1024x768x24",
             "-nolisten", "tcp", "-noreset"],
            pass_fds=[writing], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        os.close(writing)
        with os.fdopen(reading) as f:
            env["DISPLAY"] = ":" + f.readline().strip()
        if not wait_until(lambda: self.run(["xdpyinfo"]), 20):
            raise RuntimeError("the X server %s takes no clients" % env["DISPLAY"])

        bus = subprocess.run(["dbus-daemon", "--session", "--fork", "--print-address=1",
                              "--print-pid=1"], env=env, capture_output=True, text=True, check=True)
        address, pid = bus.stdout.split()[:2]
        self.daemons.append(int(pid))
        env["DBUS_SESSION_BUS_ADDRESS"] = address

        self.launcher = self.start(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"],
                                   start_new_session=True)
        # A reader started before the AT-SPI bus answers may fail to start.
        if not wait_until(lambda: self.run(["dbus-send", "--session", "--dest=org.a11y.Bus",
                                            "--print-reply", "/org/a11y/bus",
                                            "org.a11y.Bus.GetAddress"]), 20):
            raise RuntimeError("the AT-SPI bus does not answer")
        os.environ.update(DISPLAY=env["DISPLAY"], DBUS_SESSION_BUS_ADDRESS=address)

    def run(self, argv):
        return subprocess.run(argv, env=self.env, stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL).returncode == 0

    def start(self, argv, extra_env=None, **options):
        """Starts `argv`; what it prints goes to <home>/<name>.out."""
        output = open(os.path.join(self.home, os.path.basename(argv[0]) + ".out"), "w")
        process = subprocess.Popen(argv, env=dict(self.env, **(extra_env or {})),
                                   stdin=subprocess.DEVNULL, stdout=output,
                                   stderr=subprocess.STDOUT, **options)
        self.processes.append(process)
        return process

    def output(self, name):
        with open(os.path.join(self.home, name + ".out"), errors="replace") as f:
            return f.read()

    def keys(self, *keys):
        subprocess.run(["xdotool", "key", "--delay", "40", *keys], env=self.env, check=True)

    def click(self, extents):
        x, y = extents.x + extents.width // 2, extents.y + extents.height // 2
        subprocess.run(["xdotool", "mousemove", str(x), str(y), "click", "1"], env=self.env,
                       check=True)

    def stop(self):
        for process in reversed(self.processes):
            stop_process(process)
        bus = session_members(self.launcher.pid) if self.launcher else []
        for pid in self.daemons + bus:
            stop_pid(pid)
        shutil.rmtree(self.home, ignore_errors=True)


class Reader:
    """Debian's orca on the desktop's buses. Python writes its debug log line by
    line only to a terminal, so the log goes to one; a thread keeps reading it, so
    the reader never waits on the test."""

    SPOKEN = re.compile(r"SPEECH OUTPUT: '(.*?)'(?: voice=\S+)?\s*(?:\{.*\})?\s*$")

    def __init__(self, desktop):
        prefs = os.path.join(desktop.home, "orca")
        os.makedirs(prefs)
        # Typed letters are echoed from the text they add, as many blind players set it.
        general = {"enableEchoByCharacter": True, "enableBraille": False,
                   "enableSound": False, "enableTutorialMessages": False}
        with open(os.path.join(prefs, "user-settings.conf"), "w") as f:
            json.dump({"general": general, "pronunciations": {}, "keybindings": {},
                       "profiles": {"default": {"profile": ["Default", "default"],
                                                "pronunciations": {}, "keybindings": {}}}}, f)
        self._spoken = []
        self._lock = threading.Lock()
        # The test keeps the terminal open as well: until orca opens it, reading fails.
        self._master, self._terminal = pty.openpty()
        self.process = desktop.start(
            ["orca", "--user-prefs", prefs, "--debug-file", os.ttyname(self._terminal)],
            start_new_session=True)
        threading.Thread(target=self._drain, daemon=True).start()

    def _drain(self):
        pending = b""
        while True:
            try:
                data = os.read(self._master, 65536)
            except OSError:
                return
            if not data:
                return
            pending += data
            *lines, pending = pending.split(b"\n")
            spoken = [m.group(1) for m in (self.SPOKEN.search(line.decode("utf-8", "replace"))
                                           for line in lines if b"SPEECH OUTPUT" in line) if m]
            with self._lock:
                self._spoken.extend(spoken)

    def said(self):
        """Every utterance so far."""
        with self._lock:
            return list(self._spoken)

    def close(self):
        os.close(self._terminal)
        os.close(self._master)


class Objects:
    """The game's objects as AT-SPI gives them to the reader, and every object that
    took the focus: (role, name, its parent's name)."""

    def __init__(self):
        import gi
        gi.require_version("Atspi", "2.0")
        from gi.repository import Atspi, GLib
        import pyatspi
        self.Atspi, self.pyatspi = Atspi, pyatspi
        self._context = GLib.MainContext.default()
        self.focused = []
        pyatspi.Registry.registerEventListener(self._focused, "object:state-changed:focused")

    def _focused(self, event):
        if event.detail1:
            try:
                source = event.source
                self.focused.append((source.getRoleName(), source.name, source.parent.name))
            except Exception:  # gone before it could be asked
                self.focused.append(("", "", ""))

    def pump(self):
        while self._context.iteration(False):
            pass

    def frame(self):
        for app in self.pyatspi.Registry.getDesktop(0):
            for window in app or []:
                if window and window.name == "Quabe Pro":
                    return window
        return None

    @staticmethod
    def child(parent, role, name=None):
        for child in parent:
            if child.getRoleName() == role and (name is None or child.name == name):
                return child
        return None

    def focus(self):
        """The innermost object that has the focus, from the game's frame down."""
        def search(node):
            for child in node:
                if child.getState().contains(self.pyatspi.STATE_FOCUSED):
                    return search(child) or child
            return None
        return search(self.frame())


class ByEar(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        # Test runs on one machine take turns: a user may run one screen reader only.
        cls.lock = open(os.path.join(tempfile.gettempdir(), "quabe-pro-reader-test.lock"), "w")
        cls.addClassCleanup(cls.lock.close)
        if not wait_until(lambda: cls.try_lock(), 300):
            raise RuntimeError("another run of this test holds the screen reader")
        cls.desktop = Desktop()
        cls.addClassCleanup(cls.desktop.stop)
        cls.reader = Reader(cls.desktop)
        cls.addClassCleanup(cls.reader.close)
        cls.objects = Objects()
        if not cls.wait_said(lambda s: s == "Screen reader on.", timeout=60):
            raise RuntimeError("orca did not start")

    @classmethod
    def try_lock(cls):
        try:
            fcntl.flock(cls.lock, fcntl.LOCK_EX | fcntl.LOCK_NB)
            return True
        except BlockingIOError:
            return False

    @classmethod
    def wait_said(cls, match, since=0, timeout=20.0):
        """The first utterance after the `since`-th that `match` accepts, or None."""
        def found():
            if cls.reader.process.poll() is not None:
                raise RuntimeError("orca has ended: " + cls.desktop.output("orca"))
            return next((s for s in cls.reader.said()[since:] if match(s)), None)
        return wait_until(found, timeout, pump=cls.objects.pump)

    def said_after(self, since, text):
        """Waits for the reader to say `text` whole after its `since`-th utterance."""
        said = self.wait_said(lambda s: s.rstrip(".") == text.rstrip("."), since)
        self.assertIsNotNone(said, "never said %r; said %r%s" % (
            text, self.reader.said()[since:], self.game_trouble()))

    def game_trouble(self):
        if self.game.poll() is None:
            return ""
        return "; the game ended with %s: %s" % (self.game.returncode,
                                                  self.desktop.output(os.path.basename(GAME)))

    def spoken(self):
        self.objects.pump()
        return len(self.reader.said())

    def settled(self):
        """Waits until no focus change has come for half a second; returns how many came."""
        seen = [-1, time.monotonic()]

        def quiet():
            if len(self.objects.focused) != seen[0]:
                seen[:] = [len(self.objects.focused), time.monotonic()]
            return time.monotonic() - seen[1] > 0.5
        wait_until(quiet, pump=self.objects.pump)
        return len(self.objects.focused)

    def focus_moves(self, keys, landing):
        """Presses `keys`, waits for the focus to reach the object named `landing` and
        to stay, and names every object that took the focus meanwhile; a cell or a
        row that takes it with its picture stands for the picture."""
        start = self.settled()
        self.desktop.keys(*keys)
        wait_until(lambda: any(name == landing for _, name, _ in self.objects.focused[start:]),
                   pump=self.objects.pump)
        self.settled()
        moves = []
        for _, name, parent in self.objects.focused[start:]:
            if moves and moves[-1] == parent:
                moves.pop()
            moves.append(name)
        return moves

    def assertFocusMoves(self, keys, landing):
        """The focus goes straight to `landing`, through nothing else."""
        self.assertEqual(self.focus_moves(keys, landing), [landing])

    def start_game(self):
        # Each game starts as a first run: the settings below, no statistics.
        data = os.path.join(self.desktop.home, "data")
        shutil.rmtree(data)
        os.makedirs(data, mode=0o700)
        config = os.path.join(self.desktop.home, "config", "Quabe Pro")
        os.makedirs(config, exist_ok=True)
        with open(os.path.join(config, "Quabe Pro.conf"), "w") as f:
            f.write("[Settings]\nSound=0\n")
        spoken = self.started = self.spoken()
        # One numbered deal, so that every run plays the same game.
        self.game = self.desktop.start(
            [GAME, "--deal", "1609"], {"QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1", "QT_ACCESSIBILITY": "1"})
        self.addCleanup(stop_process, self.game)
        self.said_after(spoken, "Quabe Pro frame")
        self.frame = self.objects.frame()
        self.board = self.objects.child(self.frame, "table", "Board")
        self.assertIsNotNone(self.board)
        self.settled()

    def cells(self):
        """The board as its cells tell it: {(row, col): (piece, group size)}."""
        cells = {}
        for cell in self.board:
            m = CELL.match(cell.name)
            self.assertIsNotNone(m, cell.name)
            cells[int(m.group(1)), int(m.group(2))] = (m.group(3), int(m.group(4) or 0))
        return cells

    @staticmethod
    def walk(cursor, target):
        """The arrows from `cursor` to `target`: rows first, then columns."""
        keys = []
        while cursor != target:
            step = (target[0] > cursor[0]) - (target[0] < cursor[0]), 0
            if step == (0, 0):
                step = 0, (target[1] > cursor[1]) - (target[1] < cursor[1])
            keys.append(ARROWS[step])
            cursor = cursor[0] + step[0], cursor[1] + step[1]
        return keys

    def test_a_whole_two_player_game(self):
        self.start_game()
        # The window is a frame of named controls; a one-player game shows one score.
        self.assertEqual(self.frame.getRoleName(), "frame")
        names = [child.name for child in self.frame if child.getRoleName() != "notification"]
        self.assertNotIn("", names)
        showing = [child.name for child in self.frame
                   if child.getState().contains(self.objects.pyatspi.STATE_SHOWING)]
        self.assertFalse([name for name in showing if name.startswith("Player 2")], showing)

        # Two players, switched on from the keys: the toggle says its new state.
        spoken = self.spoken()
        self.desktop.keys(*["Tab"] * 6)
        self.said_after(spoken, "Two players check box not checked")
        spoken = self.spoken()
        self.desktop.keys("space")
        self.said_after(spoken, "checked")
        spoken = self.spoken()
        self.desktop.keys("ctrl+n")
        self.said_after(spoken, "notification New game, two players, deal 1609")

        # An arrow says the cell; the edge says so.
        spoken = self.spoken()
        self.desktop.keys("Up")
        first = self.wait_said(CELL.match, spoken)
        self.assertTrue(first and first.startswith("row 10, column 1, "), first)
        spoken = self.spoken()
        self.desktop.keys("Left")
        self.said_after(spoken, "notification Left edge")

        # Each move says once what it took and the score, the computer's reply, then
        # the cell under the cursor; the last says how the game ended.
        cursor, score = (10, 1), 0
        for move in range(200):
            cells = self.cells()
            target = min((cell for cell, (_, size) in cells.items() if size >= 2),
                         key=lambda c: abs(c[0] - cursor[0]) + abs(c[1] - cursor[1]))
            piece, size = cells[target]
            points = size * (size - 1) + 2
            keys = self.walk(cursor, target)
            cursor = target
            if keys:
                spoken = self.spoken()
                self.desktop.keys(*keys)
                self.said_after(spoken, "row %d, column %d, %s, group of %d, %d points"
                                % (target + (piece, size, points)))
            spoken = self.spoken()
            self.desktop.keys("Return")
            told = self.wait_said(lambda s: s.startswith("notification Removed"), spoken)
            self.assertIsNotNone(told, self.reader.said()[spoken:])
            score += points
            self.assertEqual(REMOVED.match(told).groups(),
                             (piece, str(size), str(points), str(score)), told)
            if "Game over" in told:
                break
            self.assertRegex(told, REPLY.pattern + r" row %d, column %d, .*\.$" % cursor)
        self.assertTrue(told.endswith(" Game over."), told)
        # The group's worth beside the scores and the winner line are for the eye: the
        # cell and the game-over picture say them already.
        self.assertFalse([s for s in self.reader.said()
                          if s.startswith("Group of") or s.rstrip(".") in ("You win", "Draw")])
        # A moment later the game-over picture takes the focus and says how it ended.
        ending = re.compile(r"Game over: you %d, the computer \d+\. " % score
                            + r"(You win|The computer wins|A draw)\. push button\.?$")
        self.assertIsNotNone(self.wait_said(ending.match, spoken), self.reader.said()[spoken:])

        # The name goes into a text field: each letter is said from the text it adds
        # (the key itself is echoed as "e").
        self.assertFocusMoves(["Return"], "Your name for place 1, %d points" % score)
        field = self.objects.focus()
        self.assertEqual(field.getRoleName(), "text")
        self.assertTrue(field.getState().contains(self.objects.pyatspi.STATE_EDITABLE))
        spoken = self.spoken()
        self.desktop.keys("e")
        self.said_after(spoken, "E")
        self.assertEqual(field.queryText().getText(0, -1), "E")

        # The name done, OK takes the focus; the table reads place by place.
        self.assertFocusMoves(["Return"], "OK")
        self.assertFocusMoves(["shift+Tab"], "Place 1, E, %d points" % score)
        spoken = self.spoken()
        self.desktop.keys("Down")
        self.said_after(spoken, "Place 2, no name, 0 points")
        self.assertFocusMoves(["Escape"], "Board")
        self.assertFocusMoves(["ctrl+h"], "Place 1, E, %d points" % score)
        spoken = self.spoken()
        self.desktop.keys("Tab", "Tab")
        self.said_after(spoken, "Reset: clears the ten best scores push button")

        # Each screen puts the focus straight on its first control.
        self.assertFocusMoves(["Escape"], "Board")
        self.assertFocusMoves(["F1"], AIM)
        self.assertFocusMoves(["Escape"], "Board")
        spoken = self.spoken()
        self.desktop.keys(*["Tab"] * 7)
        self.said_after(spoken, "Events/Options push button")
        self.said_after(spoken, "No events on")
        # Each switch says what it does as it takes the focus.
        spoken = self.spoken()
        self.assertFocusMoves(["space"], "Row Shifts")
        self.said_after(spoken, "Every 10 to 20 seconds the pieces roll down a row. "
                                "Shifts and mines start with the next board.")

        # A toggle clicked says its new state too.
        mines = self.objects.child(self.frame, "check box", "Mines")
        spoken = self.spoken()
        self.desktop.click(mines.queryComponent().getExtents(self.objects.pyatspi.DESKTOP_COORDS))
        # The reader may tell the focus that the press gave and the state after the
        # release at once, or only the state.
        said = self.wait_said(lambda s: s.rstrip(".") in ("Mines check box checked", "checked"),
                              spoken)
        self.assertIsNotNone(said, self.reader.said()[spoken:])
        self.assertFocusMoves(["Escape"], "Board")

    def test_the_page_the_figures_and_a_typed_deal_are_heard(self):
        self.start_game()
        # Before the first deal the board says how to deal one.
        self.assertIsNotNone(self.wait_said(
            lambda s: s.startswith("Click New, the play button, or press Ctrl+N to deal a board."),
            self.started), self.reader.said()[self.started:])

        # F1's page is read part by part, Ctrl+T's figures one by one.
        spoken = self.spoken()
        self.desktop.keys("F1")
        self.said_after(spoken, "List with 5 items")
        self.said_after(spoken, AIM)
        spoken = self.spoken()
        self.desktop.keys("Down")
        scoring = self.wait_said(lambda s: s.startswith("Scoring. "), spoken)
        self.assertIn("3 score 8", scoring or "")
        self.assertFocusMoves(["Escape"], "Board")
        self.assertFocusMoves(["ctrl+t"], "One-player games: 0")
        spoken = self.spoken()
        self.desktop.keys("Down")
        self.said_after(spoken, "Two-player games: 0")
        self.assertFocusMoves(["Escape"], "Board")

        # A deal number is typed into a text field: each digit is said from the text
        # it adds, a refusal is said, and the deal played is told and shown.
        self.assertFocusMoves(["ctrl+g"], "Deal number")
        spoken = self.spoken()
        self.desktop.keys("0")
        self.said_after(spoken, "0")
        spoken = self.spoken()
        self.desktop.keys("Return")
        self.said_after(spoken, "notification No such deal: deals are numbered from 1 to 999,999,999")
        self.desktop.keys("BackSpace", "9", "0", "4")
        self.assertEqual(self.objects.focus().queryText().getText(0, -1), "904")
        spoken = self.spoken()
        self.desktop.keys("Return")
        self.said_after(spoken, "notification New game, deal 904")
        self.assertIsNotNone(self.objects.child(self.frame, "label", "Deal 904"))
        spoken = self.spoken()
        self.desktop.keys("ctrl+r")
        self.said_after(spoken, "notification Deal 904 again from its start: score 0")

    def test_the_set_chooser_is_a_named_dialog_that_leaves_its_caller_free(self):
        self.start_game()
        # A call that waited for the chooser to close would fail here, not hang.
        self.objects.Atspi.set_timeout(3000, 15000)
        self.objects.child(self.frame, "push button", "Game Set").queryAction().doAction(0)
        app = self.frame.parent
        dialog = wait_until(lambda: self.objects.child(app, "dialog", "Choose a piece set"),
                            pump=self.objects.pump)
        self.assertIsNotNone(dialog, [child.name for child in app])
        self.assertFocusMoves(["Tab"], "Ok")
        self.assertFocusMoves(["Tab"], "Cancel")
        self.assertFocusMoves(["Tab"], "Piece sets")
        self.assertFocusMoves(["Escape"], "Board")
        self.assertTrue(self.frame.getState().contains(self.objects.pyatspi.STATE_SENSITIVE))


if __name__ == "__main__":
    GAME = os.path.abspath(sys.argv.pop(1))
    unittest.main()
