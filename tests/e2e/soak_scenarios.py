"""A soak of the whole component under Wine: plavora_host with the DLL and the stand-in game, many
posts and many connections, with the host's open handles and private bytes taken before and
after. Run with the other scenarios it is short (a few cycles, to stay within the test run) and
fails when a figure grows beyond a small tolerance; run on its own it takes any size:

    scripts/with-wine python3 tests/e2e/soak_scenarios.py --bin build/win64/bin --posts 100000 --cycles 300
    (add --loader /usr/lib/wine/wine and --bin build/win32/bin for the 32-bit programs)

A connection cycle costs about 4.5 s of real time: the watcher looks for the game every 4 s."""

import argparse
import os
import re
import sys
import tempfile
import time

sys.dont_write_bytecode = True
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

from harness import GAME_TITLES, Environment, Scenario, ScenarioFailure, check  # noqa: E402

# Wine makes a few objects of its own lazily (seen: up to three handles, once, at any point of a
# run) and its heaps settle with use; more than this is a leak.
HANDLE_TOLERANCE = 4
PRIVATE_BYTES_TOLERANCE = 1 << 20
CONNECT_TIMEOUT = 15
BATCH = 2000


class WineSoak(Scenario):
    name = "wine_soak"
    posts = 20000
    cycles = 3

    def run(self):
        game = self.start_game()
        host = self.start_host()
        host.expect(rf"^found '{re.escape(GAME_TITLES[1])}'$", CONNECT_TIMEOUT)
        self.post(host, BATCH)  # the ring, the document and the host's buffers reach their size
        before_posts = self.stats(host)
        self.post(host, self.posts)
        after_posts = self.stats(host)

        self.cycle(game, host)
        before_cycles = self.stats(host)
        for _ in range(self.cycles):
            self.cycle(game, host)
        after_cycles = self.stats(host)

        grew = report("posts", self.posts, before_posts, after_posts)
        grew += report("connect/disconnect", self.cycles, before_cycles, after_cycles)
        check(not grew, "; ".join(grew))

    def post(self, host, count):
        commands = [r"play Some Artist|Some Title|C:\Music\some.mp3", "seek 75.25", "volume -6.5"]
        for start in range(0, count, BATCH):
            for index in range(start, min(count, start + BATCH)):
                host.send(commands[index % 3])
            self.stats(host)  # the host has run every line before it answers

    def cycle(self, game, host):
        game.command("away")
        self.wait_for_event_file(lambda data: data in (b"", b"\0"), CONNECT_TIMEOUT, "emptied")
        game.command("front")
        host.expect(rf"^found '{re.escape(GAME_TITLES[1])}'$", CONNECT_TIMEOUT)

    @staticmethod
    def stats(host):
        host.send("stats")
        line = host.expect(r"^stats handles (\d+) private_bytes (\d+)$", 120)
        return int(line.match.group(1)), int(line.match.group(2))


def report(phase, count, before, after):
    """Prints the phase's figures; returns the figures that grew beyond the tolerance."""
    (handles_0, bytes_0), (handles_1, bytes_1) = before, after
    print(
        f"     {phase}: handles {handles_0} -> {handles_1}, private bytes {bytes_0} -> {bytes_1} "
        f"({(bytes_1 - bytes_0) / max(count, 1):+.1f} per {'post' if phase == 'posts' else 'cycle'}, {count})",
        flush=True,
    )
    grew = []
    if handles_1 > handles_0 + HANDLE_TOLERANCE:
        grew.append(f"{phase}: handles grew from {handles_0} to {handles_1}")
    if bytes_1 > bytes_0 + PRIVATE_BYTES_TOLERANCE:
        grew.append(f"{phase}: private bytes grew from {bytes_0} to {bytes_1}")
    return grew


class HostQuitsWhileItsScriptIsStillRead(Scenario):
    """A long script whose second line is `quit`: the host ends at once and cleanly, with its
    settings saved, while its reader is still in the middle of the file."""

    name = "host_quits_while_its_script_is_still_read"

    def run(self):
        script = os.path.join(self.root, "long.script")
        config = os.path.join(self.root, "host.cfg")
        with open(script, "w") as out:
            out.write("seek 1\nquit\n" + "seek 2\n" * 200000)
        host = self.start_host("--config", "host.cfg", "--script", "long.script")  # in the host's folder
        status = host.wait(60)
        check(status == 0, f"the host ended with {status}: {host.stderr_lines()}")
        check(os.path.getsize(config) > 0, "the settings were not saved")


SCENARIOS = [WineSoak, HostQuitsWhileItsScriptIsStillRead]


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--bin", required=True, help="folder of the programs and the DLL")
    parser.add_argument("--posts", type=int, default=WineSoak.posts)
    parser.add_argument("--cycles", type=int, default=WineSoak.cycles)
    parser.add_argument("--loader", default="/usr/lib/wine/wine64", help="the Wine loader for the programs")
    args = parser.parse_args()
    if not os.environ.get("WINEPREFIX") or not os.environ.get("DISPLAY"):
        print("soak: no Wine prefix or display; run this through scripts/with-wine", file=sys.stderr)
        return 2
    with tempfile.NamedTemporaryFile("w", suffix=".sh", delete=False) as loader:
        loader.write(f'#!/bin/sh\nexport WINEDEBUG=${{WINEDEBUG:--all}}\nexec {args.loader} "$@"\n')
    os.chmod(loader.name, 0o755)
    WineSoak.posts, WineSoak.cycles = args.posts, args.cycles
    scenario = WineSoak(Environment(os.path.abspath(args.bin), loader.name))
    started = time.monotonic()
    try:
        scenario.run()
        print(f"soak: flat within the tolerance ({time.monotonic() - started:.0f} s)", flush=True)
        return 0
    except ScenarioFailure as failure:
        print(f"soak: {failure}\n{scenario.transcripts()}", flush=True)
        return 1
    finally:
        scenario.close()
        os.unlink(loader.name)


if __name__ == "__main__":
    sys.exit(main())
