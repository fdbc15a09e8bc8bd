#!/usr/bin/env python3
"""The commands the README and the guides name in running text (`skivo-arena
--seamless`, `scripts/measure-step --benchmark_repetitions=5`, `ctest ... -L
e2e`) name what exists: each script is there, each option is one the
program's --help lists, each ctest label or name selects a test, each gtest
filter a case. Too long to run here (a panel, the whole test), they are
checked for what goes stale when a name changes.

usage: check_inline_commands.py SOURCE_DIR BUILD_DIR"""
import os
import pathlib
import re
import shlex
import subprocess
import sys

PROGRAMS = {"skivo", "skivo-classic", "skivo-arena", "skivo-panel", "skivo-watch"}


def spans(text):
    """The inline code spans outside fenced blocks."""
    text = re.sub(r"^```.*?^```", "", text, flags=re.S | re.M)
    return re.findall(r"`([^`\n]+)`", text)


def output(args, **kw):
    return subprocess.run(args, capture_output=True, text=True, check=False, **kw).stdout


def check(words, root, build, helps):
    """The faults of one command, as messages."""
    while words and re.fullmatch(r"[A-Z_]+=\S*", words[0]):
        words = words[1:]  # an environment setting
    if not words:
        return []
    name = words[0].rsplit("/", 1)[-1]
    options = [w.split("=", 1)[0] for w in words[1:] if w.startswith("--")]
    if words[0].startswith("scripts/"):
        path = root / words[0]
        if not path.exists():
            return [f"{words[0]} is not there"]
        if len(words) > 1 and not os.access(path, os.X_OK):
            return [f"{words[0]} cannot be run"]
        return []
    if name in PROGRAMS:
        if name not in helps:
            helps[name] = output([str(build / "app" / name), "--help"])
        return [f"{name} has no option {o}" for o in options if not re.search(
            rf"(^|[\s,]){re.escape(o)}([\s,=\[]|$)", helps[name], re.M)]
    if name == "ctest":
        for flag, value in zip(words, words[1:]):
            if flag in ("-L", "-R") and "Total Tests: 0" in output(
                    ["ctest", "--test-dir", str(build), "-N", flag, value]):
                return [f"ctest {flag} {value} selects no test"]
        return []
    if name == "skivo_unit_tests":
        listed = output([str(build / "tests" / name), "--gtest_list_tests"] + words[1:])
        if not re.search(r"^  \S", listed, re.M):
            return [f"{' '.join(words)} selects no case"]
    return []


def main(root, build):
    root, build = pathlib.Path(root), pathlib.Path(build)
    pages = [root / "README.md"] + sorted((root / "docs").glob("*.md"))
    faults, checked, helps = [], 0, {}
    for page in pages:
        for span in spans(page.read_text()):
            try:
                words = shlex.split(span.split(" > ")[0])
            except ValueError:
                continue
            if not words:
                continue
            name = words[0].rsplit("/", 1)[-1]
            if not (words[0].startswith("scripts/") or name in PROGRAMS | {"ctest"} or
                    re.fullmatch(r"[A-Z_]+=\S*", words[0])):
                continue
            checked += 1
            faults += [f"{page.name}: `{span}`: {f}" for f in check(words, root, build, helps)]
    print("\n".join(faults) if faults else f"{checked} commands in running text name what exists")
    return 1 if faults or checked == 0 else 0


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    sys.exit(main(*sys.argv[1:]))
