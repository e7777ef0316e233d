#!/usr/bin/env python3
"""Runs the end-to-end scenarios with the programs of one build (32- or 64-bit) under Wine, each in
a fresh game folder, and writes a JUnit-style report. Needs the Wine prefix and display of
scripts/with-wine. With --game64, the scenarios that pair the build's player with a 64-bit game run
too.

    run_e2e.py --bin BUILD/bin --results REPORT.xml [--game64 WIN64/bin] [--only NAME] [--keep]
"""

import argparse
import glob
import importlib
import os
import shutil
import sys
import time
import traceback
from xml.sax.saxutils import escape, quoteattr

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.abspath(os.path.join(HERE, "..", ".."))
sys.dont_write_bytecode = True  # no __pycache__ in the source tree
sys.path.insert(0, HERE)

from harness import Environment, ScenarioFailure  # noqa: E402


def all_scenarios():
    """The SCENARIOS lists of every *_scenarios.py beside this file, in file name order: a new
    group of scenarios needs only its own file."""
    scenarios = []
    for path in sorted(glob.glob(os.path.join(HERE, "*_scenarios.py"))):
        module = importlib.import_module(os.path.splitext(os.path.basename(path))[0])
        scenarios += module.SCENARIOS
    return scenarios


def run_one(scenario_class, env, keep):
    """Runs one scenario; returns (seconds, failure message or None)."""
    started = time.monotonic()
    scenario = None
    try:
        scenario = scenario_class(env, keep=keep)
        scenario.run()
        failure = None
    except ScenarioFailure as error:
        failure = str(error)
    except Exception:  # a fault of the harness or the scenario itself, reported like a failure
        failure = traceback.format_exc()
    finally:
        transcripts = scenario.transcripts() if scenario else ""
        if scenario:
            scenario.close()
    if failure and transcripts:
        failure += "\n" + transcripts
    if failure and scenario and keep:
        failure += f"\n(game folder kept: {scenario.root})"
    return time.monotonic() - started, failure


def write_report(path, results):
    failures = sum(1 for _, _, failure in results if failure)
    total = sum(seconds for _, seconds, _ in results)
    lines = [
        '<?xml version="1.0" encoding="UTF-8"?>',
        f'<testsuites tests="{len(results)}" failures="{failures}" errors="0" disabled="0" time="{total:.3f}" name="e2e">',
        f'  <testsuite name="e2e" tests="{len(results)}" failures="{failures}" errors="0" disabled="0" time="{total:.3f}">',
    ]
    for name, seconds, failure in results:
        lines.append(f'    <testcase name={quoteattr(name)} classname="e2e" time="{seconds:.3f}">')
        if failure:
            first = failure.splitlines()[0] if failure else ""
            lines.append(f"      <failure message={quoteattr(first)}>{escape(failure)}</failure>")
        lines.append("    </testcase>")
    lines += ["  </testsuite>", "</testsuites>"]
    os.makedirs(os.path.dirname(os.path.abspath(path)), exist_ok=True)
    with open(path, "w", encoding="utf-8") as report:
        report.write("\n".join(lines) + "\n")


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--bin", required=True, help="folder of the build's programs")
    parser.add_argument("--game64", help="folder of the 64-bit stand-in game")
    parser.add_argument("--results", required=True, help="JUnit-style report to write")
    parser.add_argument("--only", action="append", help="run only the scenario of this name")
    parser.add_argument("--keep", action="store_true", help="keep the game folders of failed scenarios")
    args = parser.parse_args()

    if not os.environ.get("WINEPREFIX") or not os.environ.get("DISPLAY"):
        print("run_e2e: no Wine prefix or display; run this through scripts/with-wine", file=sys.stderr)
        return 2
    game64 = os.path.abspath(args.game64) if args.game64 else None
    if game64 and not os.path.isfile(os.path.join(game64, "duskward_game.exe")):
        print(f"run_e2e: no duskward_game.exe in {game64}; build the win64 preset first", file=sys.stderr)
        return 2
    # The documents of this run only, beside the report, for tests/reader/run_reader_tests.lua.
    documents = os.path.join(os.path.dirname(os.path.abspath(args.results)), "e2e-documents")
    shutil.rmtree(documents, ignore_errors=True)
    os.makedirs(documents)
    env = Environment(os.path.abspath(args.bin), os.path.join(REPO, "scripts", "wine-run"), documents, game64)
    scenarios = [s for s in all_scenarios() if game64 or not s.game64]
    chosen = [s for s in scenarios if not args.only or s.name in args.only]
    unknown = set(args.only or []) - {s.name for s in scenarios}
    if unknown:
        print(f"run_e2e: no scenario named {', '.join(sorted(unknown))}", file=sys.stderr)
        return 2

    results = []
    for scenario_class in chosen:
        seconds, failure = run_one(scenario_class, env, args.keep)
        verdict = "FAIL" if failure else "ok"
        print(f"{verdict:4} {scenario_class.name} ({seconds:.1f} s)", flush=True)
        if failure:
            print("\n".join("     " + line for line in failure.splitlines()), flush=True)
        results.append((scenario_class.name, seconds, failure))
    write_report(args.results, results)
    failed = sum(1 for _, _, failure in results if failure)
    print(f"e2e: {len(results)} scenarios, {failed} failing", flush=True)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
