"""Scenarios of the stand-in game alone: the event file written by hand, the commands answered."""

import re
import time

from harness import Scenario, ScenarioFailure, check, event_document

INIT = (0, "init", "connection is enabled")
TRACK = (1, "track_change", "Some Artist: Some Title")
# The game reads at least every 2 s before a document names a delay; this covers one read.
READ_TIMEOUT = 10


def event_and_reset_lines(game):
    return [line for line in game.lines() if re.match(r"^(event|reset)\b", line)]


class GameReadsTheEventFile(Scenario):
    """Two connections written by hand, with and without the intermediate states: each event
    is printed once, and "reset" once when the numbering starts again."""

    name = "game_reads_the_event_file"

    def run(self):
        game = self.start_game()
        self.write_event_file(event_document([], polling_delay=100))
        game.expect(r"^polling 100$", READ_TIMEOUT)
        self.write_event_file(event_document([INIT], polling_delay=100))
        game.expect(r"^event 0 init connection is enabled$", READ_TIMEOUT)
        self.write_event_file(event_document([INIT, TRACK], polling_delay=100))
        game.expect(r"^event 1 track_change Some Artist: Some Title$", READ_TIMEOUT)

        # The connection ends and a new one begins: the file is emptied, then eight empty
        # slots, then the new "init". The game may see any of these states or none.
        self.write_event_file(b"")
        time.sleep(0.5)
        self.write_event_file(event_document([], polling_delay=100))
        self.write_event_file(event_document([INIT], polling_delay=100))
        game.expect(r"^reset$", READ_TIMEOUT)
        game.expect(r"^event 0 init connection is enabled$", READ_TIMEOUT)

        # A half-written document is skipped until the whole one is there.
        whole = event_document([INIT, (1, "pause", "paused")], polling_delay=100)
        self.write_event_file(whole[: len(whole) // 2])
        time.sleep(0.5)
        self.write_event_file(whole)
        game.expect(r"^event 1 pause paused$", READ_TIMEOUT)

        expected = [
            "event 0 init connection is enabled",
            "event 1 track_change Some Artist: Some Title",
            "reset",
            "event 0 init connection is enabled",
            "event 1 pause paused",
        ]
        seen = event_and_reset_lines(game)
        check(seen == expected, f"the game printed {seen}, expected {expected}")
        bad = [line for line in game.lines() if line.startswith(("malformed", "error"))]
        check(not bad, f"the game complained: {bad}")


class GameHonoursThePollingDelay(Scenario):
    """The delay that the file names paces the reads, but never below 50 ms."""

    name = "game_honours_the_polling_delay"

    def run(self):
        game = self.start_game()
        self.write_event_file(event_document([INIT], polling_delay=10))
        game.expect(r"^event 0 init", READ_TIMEOUT)
        game.expect(r"^polling 50$", READ_TIMEOUT)

        delay_ms = 1500
        self.write_event_file(event_document([INIT, (1, "pause", "paused")], polling_delay=delay_ms))
        named = game.expect(rf"^polling {delay_ms}$", READ_TIMEOUT)
        # That line came right after a read; the next read is a whole delay later.
        self.write_event_file(
            event_document([INIT, (1, "pause", "paused"), (2, "stop", "stopped")], polling_delay=delay_ms)
        )
        stopped = game.expect(r"^event 2 stop stopped$", READ_TIMEOUT)
        waited = stopped.arrived - named.arrived
        check(waited >= 0.8 * delay_ms / 1000, f"the game read again after {waited:.3f} s")


class GameAnswersItsCommands(Scenario):
    """Each command takes effect before it is answered; the second edition has its own title."""

    name = "game_answers_its_commands"

    def run(self):
        game = self.start_game(title=2)
        game.command("away")
        game.command("front")
        game.command("press ctrl shift f")
        game.command("press 0x46")
        first = game.command("scroll").text
        second = game.command("scroll").text
        check({first, second} == {"ok scroll on", "ok scroll off"}, f"Scroll Lock: {first!r}, {second!r}")

        game.send("press nosuchkey")
        game.expect(r"^error press: unknown key 'nosuchkey'$", 10)
        game.send("jump")
        game.expect(r"^error unknown command 'jump'$", 10)

        game.command("quit")
        status = game.wait(10)
        if status is None:
            raise ScenarioFailure("the game did not end after quit")
        check(status == 0, f"the game ended with status {status}")


SCENARIOS = [GameReadsTheEventFile, GameHonoursThePollingDelay, GameAnswersItsCommands]
