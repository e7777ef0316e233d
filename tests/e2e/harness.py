"""The pieces that end-to-end scenarios are made of: a program under Wine that is driven line by
line, a scenario with its own temporary game folder, and the event file's text."""

import hashlib
import os
import queue
import re
import shutil
import subprocess
import tempfile
import threading
import time


class ScenarioFailure(Exception):
    """A scenario's expectation that did not hold."""


def check(condition, message):
    if not condition:
        raise ScenarioFailure(message)


class Line:
    """One line of a program's output, with the moment it arrived."""

    def __init__(self, text, arrived):
        self.text = text
        self.arrived = arrived
        self.match = None

    def __repr__(self):
        return repr(self.text)


class Process:
    """A program under Wine, fed commands on standard input. Its standard output is read on a
    thread into a list of lines; expect() walks that list with a cursor, so that each expectation
    looks only at what came after the previous one."""

    def __init__(self, name, argv, encoding="utf-8", cwd=None):
        self.name = name
        self.argv = argv
        self.encoding = encoding
        self.process = subprocess.Popen(
            argv, cwd=cwd, stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=subprocess.PIPE
        )
        self._lines = []
        self._stderr = []
        self._lock = threading.Lock()
        self._arrivals = queue.Queue()
        self._cursor = 0
        self._readers = [
            threading.Thread(target=self._read, args=(self.process.stdout, self._lines, True), daemon=True),
            threading.Thread(target=self._read, args=(self.process.stderr, self._stderr, False), daemon=True),
        ]
        for reader in self._readers:
            reader.start()

    def _read(self, stream, into, signal):
        for raw in iter(stream.readline, b""):
            text = raw.decode(self.encoding, errors="replace").rstrip("\r\n")
            with self._lock:
                into.append(Line(text, time.monotonic()))
            if signal:
                self._arrivals.put(None)
        if signal:
            self._arrivals.put(None)  # wakes a waiter when the program ends

    def send(self, line):
        check(self.process.poll() is None, f"{self.name} has ended; cannot send {line!r}")
        self.process.stdin.write((line + "\n").encode(self.encoding))
        self.process.stdin.flush()

    def expect(self, pattern, timeout):
        """Waits for the next line that matches the regular expression (searched, not anchored)
        and returns it; lines before it are passed over. Fails when the time is up or the
        program has ended first."""
        regex = re.compile(pattern)
        deadline = time.monotonic() + timeout
        while True:
            with self._lock:
                while self._cursor < len(self._lines):
                    line = self._lines[self._cursor]
                    self._cursor += 1
                    line.match = regex.search(line.text)
                    if line.match:
                        return line
                ended = self.process.poll() is not None and not self._readers[0].is_alive()
            remaining = deadline - time.monotonic()
            if ended or remaining <= 0:
                why = "it ended" if ended else f"none within {timeout} s"
                raise ScenarioFailure(f"{self.name}: expected a line matching {pattern!r}, {why}")
            try:
                self._arrivals.get(timeout=min(remaining, 0.5))
            except queue.Empty:
                pass

    def command(self, line, timeout=10):
        """Sends a command and waits for its acknowledgement, "ok COMMAND..."."""
        self.send(line)
        word = re.escape(line.split()[0])
        answer = self.expect(rf"^(ok|error) {word}\b", timeout)
        check(answer.text.startswith("ok "), f"{self.name}: {line!r} answered {answer.text!r}")
        return answer

    def lines(self):
        with self._lock:
            return [line.text for line in self._lines]

    def stderr_lines(self):
        with self._lock:
            return [line.text for line in self._stderr]

    def wait(self, timeout):
        """Waits for the program to end; returns its exit status, or None if it is still running."""
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            return None

    def stop(self, quit_command="quit", timeout=10):
        """Asks the program to end, and kills it if it does not."""
        if self.process.poll() is None:
            try:
                self.send(quit_command)
                self.process.stdin.close()
            except (OSError, ScenarioFailure):
                pass
            if self.wait(timeout) is None:
                self.process.kill()
                self.process.wait()
        for reader in self._readers:
            reader.join(timeout=5)

    def transcript(self, last=40):
        out = self.lines()[-last:]
        err = self.stderr_lines()[-last:]
        text = [f"--- {self.name}: {' '.join(self.argv)} (exit {self.process.poll()})"]
        text += [f"    {line}" for line in out]
        if err:
            text.append(f"--- {self.name} stderr")
            text += [f"    {line}" for line in err]
        return "\n".join(text)


class Environment:
    """Where the programs under test are; where the documents that the component wrote are kept
    for the tests of the game-side readers (None: not kept); and game64_dir, when given, a 64-bit
    stand-in game for the scenarios that pair it with the programs of bin_dir."""

    def __init__(self, bin_dir, wine_run, documents=None, game64_dir=None):
        self.bin_dir = bin_dir
        self.wine_run = wine_run
        self.documents = documents
        self.game64_dir = game64_dir

    def program(self, name):
        return os.path.join(self.bin_dir, name)


GAME_TITLES = {1: "Duskward: Grey Orchard", 2: "Duskward: Iron Dawn"}
# Leaves time for Wine to start a program in the prefix of the run.
START_TIMEOUT = 30


class Scenario:
    """One scenario: a fresh game folder <root>/bin, <root>/gamedata, and the programs it starts.
    A subclass gives `name` and implements run(); one with `game64` set plays against the 64-bit
    game of the environment."""

    name = None
    game64 = False

    def __init__(self, env, keep=False):
        self.env = env
        self.keep = keep
        self.root = tempfile.mkdtemp(prefix=f"plv-e2e-{self.name}-")
        self.processes = []
        os.makedirs(os.path.join(self.root, "bin"))
        os.makedirs(os.path.join(self.root, "gamedata"))
        game_dir = env.game64_dir if self.game64 else env.bin_dir
        shutil.copy2(os.path.join(game_dir, "duskward_game.exe"), os.path.join(self.root, "bin"))

    def run(self):
        raise NotImplementedError

    def start(self, name, argv, encoding="utf-8"):
        process = Process(name, [self.env.wine_run] + argv, encoding=encoding, cwd=self.root)
        self.processes.append(process)
        return process

    def start_game(self, title=1):
        """Starts the game from the game folder and waits until its window is in front."""
        exe = os.path.join(self.root, "bin", "duskward_game.exe")
        # Event texts are in the ANSI code page, 1252 under this Wine.
        game = self.start("game", [exe, "--title", str(title)], encoding="cp1252")
        game.expect(rf'^ready "{re.escape(GAME_TITLES[title])}"$', START_TIMEOUT)
        return game

    def start_host(self, *arguments, dll="plv_duskward.dll"):
        """Starts the stand-in host from the build with the component DLL and the arguments
        given before it (--config FILE, --script FILE)."""
        host = self.env.program("plavora_host.exe")
        return self.start("host", [host, *arguments, self.env.program(dll)])

    @property
    def event_file(self):
        return os.path.join(self.root, "gamedata", "config", "plvr.ltx")

    def read_event_file(self):
        """The file's bytes, or None when there is no file."""
        try:
            with open(self.event_file, "rb") as file:
                return file.read()
        except FileNotFoundError:
            return None

    def wait_for_event_file(self, predicate, timeout, what):
        """Waits until the file's bytes (None when there is none) satisfy the predicate, and
        returns them; fails naming `what` when the time is up."""
        deadline = time.monotonic() + timeout
        while True:
            data = self.read_event_file()
            if predicate(data):
                return data
            if time.monotonic() >= deadline:
                shown = "no file" if data is None else f"{len(data)} bytes"
                raise ScenarioFailure(f"the event file was not {what} within {timeout} s ({shown})")
            time.sleep(0.01)

    def write_event_file(self, data):
        """Replaces the file's content the way the component does: cut, then one write."""
        os.makedirs(os.path.dirname(self.event_file), exist_ok=True)
        with open(self.event_file, "wb") as file:
            file.write(data)

    def keep_document(self, data, events, polling_delay=2000, suspend_input=True):
        """Keeps a whole document that the component wrote, beside what a reader of it alone
        must give, in the form of tests/reader/cases.txt; equal documents are kept once."""
        if not self.env.documents:
            return
        name = os.path.join(self.env.documents, hashlib.sha1(data).hexdigest()[:16])
        lines = [f"event {i} {t} {x}" for i, t, x in sorted(events)]
        lines.append(f"complete {polling_delay} {1 if suspend_input else 0}")
        with open(name + ".ltx", "wb") as file:
            file.write(data)
        with open(name + ".expected", "wb") as file:
            file.write("".join(line + "\n" for line in lines).encode("cp1252"))

    def close(self):
        for process in self.processes:
            process.stop()
        if not self.keep:
            shutil.rmtree(self.root, ignore_errors=True)

    def transcripts(self):
        return "\n".join(process.transcript() for process in self.processes)


def event_document(events=(), polling_delay=2000, suspend_input=True):
    """The event file's text for the events given as (id, type, text): each in slot id mod 8,
    last_slot naming the newest, the other slots empty."""
    slots = [(-1, "", "")] * 8
    last_slot = 0
    for event_id, event_type, text in events:
        slots[event_id % 8] = (event_id, event_type, text)
        last_slot = event_id % 8
    lines = [
        "[info]",
        "format_version = 1",
        "event_count = 8",
        f"last_slot = {last_slot}",
        f"polling_delay = {polling_delay}",
        f"suspend_input = {1 if suspend_input else 0}",
    ]
    for index, (event_id, event_type, text) in enumerate(slots):
        lines += [f"[event@{index}]", f'text = "{text}"', f"type = {event_type}", f"id = {event_id}"]
    return "".join(line + "\r\n" for line in lines).encode("cp1252")
