"""Scenarios of the whole component: plavora_host loads the build's DLL, the stand-in game runs
in a fresh game folder, and each scenario checks what the game read, what the host printed and
the event file's bytes."""

import os
import re
import time

from harness import GAME_TITLES, Scenario, ScenarioFailure, check, event_document

INIT = (0, "init", "connection is enabled")
# The component looks for the game every 4 s and the game reads every 2 s before the file names
# another delay: one connection and one read fit well within this, even on a busy machine.
CONNECT_TIMEOUT = 15
READ_TIMEOUT = 10


def event_and_reset_lines(game):
    return [line for line in game.lines() if re.match(r"^(event|reset)\b", line)]


def document_lines(data):
    """The file's lines, split at CR LF: a last element other than b"" is an unended line."""
    return data.split(b"\r\n")


def check_document(scenario, events, polling_delay=2000, suspend_input=True):
    expected = event_document(events, polling_delay=polling_delay, suspend_input=suspend_input)
    seen = scenario.read_event_file()
    if seen is None:
        raise ScenarioFailure("there is no event file")
    seen_lines, expected_lines = document_lines(seen), document_lines(expected)
    differing = [
        f"line {number}: {got!r}, expected {want!r}"
        for number, (got, want) in enumerate(zip(seen_lines, expected_lines), start=1)
        if got != want
    ]
    if len(seen_lines) != len(expected_lines):
        differing.append(f"{len(seen_lines) - 1} lines, expected {len(expected_lines) - 1}")
    check(not differing, "the event file differs: " + "; ".join(differing))
    scenario.keep_document(seen, events, polling_delay=polling_delay, suspend_input=suspend_input)


def check_nothing_went_wrong(game, *hosts):
    complaints = [line for line in game.lines() if line.startswith(("malformed", "error"))]
    check(not complaints, f"the game complained: {complaints}")
    for host in hosts:
        check(not host.stderr_lines(), f"the host reported: {host.stderr_lines()}")
        errors = [line for line in host.lines() if line.startswith("Error")]
        check(not errors, f"the component reported: {errors}")


def expect_events(game, events, timeout=READ_TIMEOUT):
    for event_id, event_type, text in events:
        game.expect(rf"^event {event_id} {re.escape(event_type)} {re.escape(text)}$", timeout)


def processes_holding(path):
    """The Linux processes (a Wine program, the wineserver) that have the file open."""
    holders = []
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            for fd in os.listdir(f"/proc/{pid}/fd"):
                if os.readlink(f"/proc/{pid}/fd/{fd}") == path:
                    with open(f"/proc/{pid}/comm") as comm:
                        holders.append(f"{comm.read().strip()} ({pid})")
                    break
        except OSError:
            continue  # gone meanwhile, or not ours to look at
    return holders


class ConnectedScenario(Scenario):
    """A scenario that starts with the game in front and a host connected to it."""

    def connect(self, *host_arguments, title=1):
        game = self.start_game(title=title)
        host = self.start_host(*host_arguments)
        self.expect_connection(game, host, title)
        return game, host

    def expect_connection(self, game, host, title=1):
        host.expect(rf"^found '{re.escape(GAME_TITLES[title])}'$", CONNECT_TIMEOUT)
        expect_events(game, [INIT], CONNECT_TIMEOUT)


class HostConnectsToTheGame(ConnectedScenario):
    """The game in front is found; its new event file holds eight empty slots, then "init".
    The two rewrites follow each other within microseconds, so the file is read in a tight
    loop: the empty document, when caught, must come before "init", and nothing else may show
    but the cut file. (Wine cuts a file that is already empty by writing one zero byte and
    cutting again, so a lone zero byte is a cut file too.)"""

    name = "host_connects_to_the_game"

    def run(self):
        game = self.start_game()
        host = self.start_host()
        states = self.watch_file_until_init(CONNECT_TIMEOUT)
        empty, with_init = event_document([]), event_document([INIT])
        check(len(empty) == 421, f"the empty document is {len(empty)} bytes")
        written = [state for state in states if state not in (b"", b"\0")]
        check(written[-1] == with_init, f"the file ended as {written[-1]!r}")
        stray = [state for state in written[:-1] if state != empty]
        check(not stray, f"before \"init\" the file held {stray!r}")
        if written[0] == empty:
            self.keep_document(empty, [])
        caught = "caught" if written[0] == empty else "missed (only \"init\" seen)"
        print(f"     the file with eight empty slots: {caught}", flush=True)
        host.expect(r"^found 'Duskward: Grey Orchard'$", READ_TIMEOUT)
        expect_events(game, [INIT])
        check(event_and_reset_lines(game) == ["event 0 init connection is enabled"], f"the game read {game.lines()}")
        check_nothing_went_wrong(game, host)

    def watch_file_until_init(self, timeout):
        """Every distinct content of the file, in order, until it holds "init"."""
        deadline = time.monotonic() + timeout
        # No sleep in either loop: the file is created and written twice within a millisecond.
        while not os.path.exists(self.event_file):
            check(time.monotonic() < deadline, f"no event file within {timeout} s")
        states = []
        fd = os.open(self.event_file, os.O_RDONLY)
        try:
            while time.monotonic() < deadline:
                data = os.pread(fd, 4096, 0)
                if not states or data != states[-1]:
                    states.append(data)
                    if b"type = init" in data and data.endswith(b"id = -1\r\n"):
                        return states
        finally:
            os.close(fd)
        raise ScenarioFailure(f"the event file did not get \"init\" within {timeout} s: {states!r}")


class HostConnectsToTheSecondTitle(ConnectedScenario):
    name = "host_connects_to_the_second_title"

    def run(self):
        game, host = self.connect(title=2)
        check_document(self, [INIT])
        check_nothing_went_wrong(game, host)


class PlaybackReachesTheGame(ConnectedScenario):
    """Each playback notification becomes one event with the default texts, read by the game
    in id order; a stop for another reason than the user's posts nothing."""

    name = "playback_reaches_the_game"

    def run(self):
        game, host = self.connect()
        for command in [
            r"play Some Artist|Some Title|C:\Music\some.mp3",
            "pause",
            "resume",
            "seek 75.25",
            "stop 1",
            "stop",
            "volume -6.5",
            "volume -100",
        ]:
            host.send(command)
        events = [
            INIT,
            (1, "track_change", "Some Artist: Some Title"),
            (2, "pause", "pause"),
            (3, "pause", "pause"),
            (4, "seek", "seek to 1:15.3"),
            (5, "stop", "stop"),
            (6, "volume_change", "volume -6.50 dB"),
            (7, "volume_mute", "volume -100.00 dB"),
        ]
        expect_events(game, events[1:])
        # Eight events fill the ring: the newest sits in slot 7.
        check_document(self, events)
        seen = event_and_reset_lines(game)
        expected = [f"event {i} {t} {x}" for i, t, x in events]
        check(seen == expected, f"the game read {seen}, expected {expected}")
        check_nothing_went_wrong(game, host)


class ControlModeDrivesTheHost(ConnectedScenario):
    """Scroll Lock in the game starts control mode; a key pressed in the game reaches the host's
    key processor, whose assignment skips to the next track, which the game is told of."""

    name = "control_mode_drives_the_host"
    FIRST = (1, "track_change", "First Artist: First Song")
    SECOND = (2, "track_change", "Second Artist: Second Song")
    CONTROL_ON = (3, "control_on", "control is ON")
    # The bound key skips from the second track to the next one, wrapping round to the first.
    SKIPPED = (4, "track_change", "First Artist: First Song")
    CONTROL_OFF = (5, "control_off", "control is OFF")

    def run(self):
        game, host = self.connect()
        host.send("bind 0x346 0 next")  # Ctrl+Shift+F
        host.send(r"play First Artist|First Song|C:\Music\first.mp3")
        host.send(r"play Second Artist|Second Song|C:\Music\second.mp3")
        expect_events(game, [self.FIRST, self.SECOND])

        scroll_on = game.command("scroll").text
        try:
            check(scroll_on == "ok scroll on", f"Scroll Lock was on before the scenario: {scroll_on!r}")
            self.control_the_host(game, host)
        finally:
            if scroll_on == "ok scroll on":
                game.command("scroll")  # later scenarios start with Scroll Lock off
        expect_events(game, [self.CONTROL_OFF])
        seen = event_and_reset_lines(game)
        events = [INIT, self.FIRST, self.SECOND, self.CONTROL_ON, self.SKIPPED, self.CONTROL_OFF]
        expected = [f"event {i} {t} {x}" for i, t, x in events]
        check(seen == expected, f"the game read {seen}, expected {expected}")
        check_nothing_went_wrong(game, host)

    def control_the_host(self, game, host):
        expect_events(game, [self.CONTROL_ON])
        # The rewrite that announces control mode still names the idle delay.
        check_document(self, [INIT, self.FIRST, self.SECOND, self.CONTROL_ON], polling_delay=2000)

        # Key presses reach the host on its main thread, which runs them while it waits.
        host.send("wait 6000")
        game.command("press ctrl shift f")
        host.expect(r"^key 0x346 context 0$", READ_TIMEOUT)
        expect_events(game, [self.SKIPPED])
        game.expect(r"^polling 1000$", READ_TIMEOUT)
        check_document(self, [INIT, self.FIRST, self.SECOND, self.CONTROL_ON, self.SKIPPED], polling_delay=1000)


class GameLeavesTheFrontAndComesBack(ConnectedScenario):
    """Another window in front ends the connection and empties the file; the game back in front
    is a new connection, numbered from 0 again."""

    name = "game_leaves_the_front_and_comes_back"

    def run(self):
        game, host = self.connect()
        host.send(r"play Some Artist|Some Title|C:\Music\some.mp3")
        expect_events(game, [(1, "track_change", "Some Artist: Some Title")])

        game.command("away")
        # A connected pass comes every 500 ms.
        self.wait_for_event_file(lambda data: data == b"", 3, "emptied")
        game.command("front")
        host.expect(r"^found 'Duskward: Grey Orchard'$", CONNECT_TIMEOUT)
        game.expect(r"^reset$", READ_TIMEOUT)
        expect_events(game, [INIT])
        check_document(self, [INIT])
        check_nothing_went_wrong(game, host)


class SettingsFromThePageLast(ConnectedScenario):
    """Texts and a switch changed on the preferences page are used by the next events, and
    come back from the configuration file when the host is started again."""

    name = "settings_from_the_page_last"
    CONFIG = "host.cfg"  # in the game folder, the host's working folder
    PAUSED = (1, "pause", "paused!")
    SEEK = (2, "seek", "jump to 1:15.3")

    def run(self):
        config = os.path.join(self.root, self.CONFIG)
        # The page is a window of its own that would take the front from the game: it is used
        # before the game starts.
        host = self.start_host("--config", self.CONFIG)
        for command in [
            "prefs open",
            "prefs type 1012 paused!",
            "prefs type 1019 jump to %time%",
            "prefs click 1015",  # no stop events
            "prefs close",
            "save",
        ]:
            host.send(command)
        self.wait_for_config(config)

        game = self.start_game()
        self.expect_connection(game, host)
        self.play_the_changed_events(game, host)
        host.send("quit")
        check(host.wait(READ_TIMEOUT) == 0, "the first host did not end well")

        again = self.start_host("--config", self.CONFIG)
        self.expect_connection(game, again)
        self.play_the_changed_events(game, again)
        check(
            game.lines().count("reset") == 1,
            f"the second host's connection was not read as a new one: {game.lines()}",
        )
        check_nothing_went_wrong(game, host, again)

    def wait_for_config(self, path, timeout=READ_TIMEOUT):
        deadline = time.monotonic() + timeout
        while not (os.path.exists(path) and os.path.getsize(path) > 0):
            check(time.monotonic() < deadline, f"'save' wrote no {self.CONFIG} within {timeout} s")
            time.sleep(0.01)
        with open(path, "rb") as file:
            saved = file.read()
        check(b"paused!" in saved and b"jump to %time%" in saved, f"the saved settings are {saved!r}")

    def play_the_changed_events(self, game, host):
        for command in ["stop", "pause", "seek 75.25"]:
            host.send(command)
        expect_events(game, [self.PAUSED, self.SEEK])
        check_document(self, [INIT, self.PAUSED, self.SEEK])


class PlayerReachesAGameOfTheOtherWidth(ConnectedScenario):
    """The users' common case: the 32-bit player with a 64-bit game. A 32-bit process may not read
    a 64-bit one's module list, so the game's folder is found through the limited query; the event
    file must still land in that folder, with no error on the way."""

    name = "player_reaches_a_64_bit_game"
    game64 = True

    def run(self):
        game, host = self.connect()
        host.send(r"play Some Artist|Some Title|C:\Music\some.mp3")
        events = [INIT, (1, "track_change", "Some Artist: Some Title")]
        expect_events(game, events[1:])
        check_document(self, events)
        check_nothing_went_wrong(game, host)


class QuitEmptiesAndClosesTheFile(ConnectedScenario):
    """Quitting the host stops the component at once: the file is empty and no process holds
    it within a second of the command."""

    name = "quit_empties_and_closes_the_file"
    LIMIT = 1.0

    def run(self):
        game, host = self.connect()
        host.send(r"play Some Artist|Some Title|C:\Music\some.mp3")
        expect_events(game, [(1, "track_change", "Some Artist: Some Title")])
        check(processes_holding(self.event_file), "no process has the event file open while connected")

        sent = time.monotonic()
        host.send("quit")
        status = host.wait(self.LIMIT)
        exited = time.monotonic() - sent
        check(status is not None, f"the host was still running {self.LIMIT} s after 'quit'")
        check(status == 0, f"the host ended with status {status}")
        self.wait_for_event_file(lambda data: data == b"", self.LIMIT - exited, "emptied after 'quit'")
        while processes_holding(self.event_file):
            left = self.LIMIT - (time.monotonic() - sent)
            check(left > 0, f"the event file is still open: {processes_holding(self.event_file)}")
            time.sleep(0.01)
        check_nothing_went_wrong(game, host)
        print(f"     host ended {exited * 1000:.0f} ms after 'quit'", flush=True)


SCENARIOS = [
    HostConnectsToTheGame,
    HostConnectsToTheSecondTitle,
    PlaybackReachesTheGame,
    ControlModeDrivesTheHost,
    GameLeavesTheFrontAndComesBack,
    SettingsFromThePageLast,
    QuitEmptiesAndClosesTheFile,
    PlayerReachesAGameOfTheOtherWidth,
]
