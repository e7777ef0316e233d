#!/usr/bin/env python3
"""A short session of the component as a user meets it: the stand-in game in front, the stand-in
host playing tracks, control mode passing a key from the game to the player, the game leaving the
front. Runs under Wine (scripts/demo starts it inside scripts/with-wine) with the programs of the
build folder given, build/win64/bin unless told otherwise:

    demo_session.py [BUILD/bin]
"""

import os
import shutil
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))

from harness import Environment, Scenario  # noqa: E402

TRACKS = [
    ("Aurora Lane", "Night Drive", r"C:\Music\Aurora Lane\Night Drive.mp3"),
    ("The Hollow Pines", "Ember", r"C:\Music\The Hollow Pines\Ember.flac"),
    ("Mira Sol", "Grey Orchard Theme", r"C:\Music\Mira Sol\Grey Orchard Theme.ogg"),
]
NEXT_KEY = 0x346  # Ctrl+Shift+F
OUT = os.path.join(ROOT, "build", "demo")


class DemoSession(Scenario):
    name = "demo"

    def step(self, text):
        print(f"\n>>> {text}", flush=True)

    def run(self):
        config = os.path.join(self.root, "plavora.cfg")
        self.step("the game starts and comes to the front; the player starts with the component")
        game = self.start_game(1)
        host = self.start_host("--config", config)
        host.expect(r"^found 'Duskward: Grey Orchard'$", 30)
        game.expect(r"^event 0 init connection is enabled$", 15)

        self.step("three tracks, a pause and a resume, a seek and a volume change")
        for artist, title, path in TRACKS:
            host.send(f"play {artist}|{title}|{path}")
        host.send("pause")
        host.send("resume")
        host.send("seek 75.25")
        host.send("volume -6.5")
        game.expect(r"^event 7 volume_change volume -6\.50 dB$", 15)

        self.step("Scroll Lock on: control mode; Ctrl+Shift+F in the game skips to the next track")
        host.send(f"bind 0x{NEXT_KEY:X} 0 next")
        game.command("scroll")
        game.expect(r"^event 8 control_on control is ON$", 15)
        game.command("press ctrl shift f")
        host.expect(rf"^key 0x{NEXT_KEY:X} context 0$", 15)
        game.expect(r"^event 9 track_change Aurora Lane: Night Drive$", 15)
        game.command("scroll")
        game.expect(r"^event 10 control_off control is OFF$", 15)
        file_while_connected = self.read_event_file()

        self.step("the game leaves the front: the event file is emptied")
        game.command("away")
        host.send("wait 1500")
        host.send("prefs open")
        host.send(f"prefs shot {windows_path(os.path.join(self.root, 'preferences_page.bmp'))}")
        host.send("prefs close")
        host.send("quit")
        host.wait(30)
        file_after = self.read_event_file()
        game.stop()

        self.report(host, game, file_while_connected, file_after)

    def report(self, host, game, file_while_connected, file_after):
        print("\n=== the player's console (plavora_host)")
        for line in host.lines():
            print(f"    {line}")
        for line in host.stderr_lines():
            print(f"    (stderr) {line}")
        print("\n=== the game's view of the events (duskward_game)")
        for line in game.lines():
            print(f"    {line}")
        print("\n=== the event file gamedata\\config\\plvr.ltx while the game was in front")
        for line in file_while_connected.decode("cp1252").split("\r\n"):
            print(f"    {line}")
        size = "missing" if file_after is None else f"{len(file_after)} bytes"
        print(f"=== the event file after the game left the front: {size}")
        save_picture(os.path.join(self.root, "preferences_page.bmp"))


def windows_path(path):
    return "Z:" + path.replace("/", "\\")


def save_picture(bmp):
    os.makedirs(OUT, exist_ok=True)
    png = os.path.join(OUT, "preferences_page.png")
    if not os.path.exists(bmp):
        print("\n(no picture of the preferences page was made)")
        return
    if shutil.which("convert"):
        subprocess.run(["convert", bmp, png], check=True)
    else:
        png = os.path.join(OUT, "preferences_page.bmp")
        shutil.copy2(bmp, png)
    print(f"\n=== a picture of the preferences page: {png}")


def main():
    bin_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "build", "win64", "bin")
    env = Environment(os.path.abspath(bin_dir), os.path.join(ROOT, "scripts", "wine-run"))
    session = DemoSession(env)
    try:
        session.run()
    except Exception as error:  # the demo shows what went wrong, with both programs' output
        print(f"\ndemo failed: {error}\n{session.transcripts()}", file=sys.stderr)
        return 1
    finally:
        session.close()
    return 0


if __name__ == "__main__":
    sys.exit(main())
