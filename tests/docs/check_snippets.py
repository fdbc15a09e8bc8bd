#!/usr/bin/env python3
"""Every C++ snippet of README.md and docs/*.md stands, line for line, in a
file under examples/, which the build compiles and a test runs, and every
Python snippet in a file under examples/python/, which a test runs;
indentation aside, since a snippet may come from inside a function. CMake snippets are
built as they stand by tests/install_test.sh, which knows one: any other is an
error here until a test builds it too.

usage: check_snippets.py SOURCE_DIR"""
import pathlib
import re
import sys

BUILT_CMAKE = {("docs/controllers.md", 1)}  # (page, n-th cmake block)


def blocks(text):
    """(language, [lines]) of each fenced block."""
    for match in re.finditer(r"^```(\w*)\n(.*?)^```", text, re.S | re.M):
        yield match.group(1), match.group(2).splitlines()


def runs_in(lines, haystack):
    want = [line.strip() for line in lines]
    have = [line.strip() for line in haystack]
    return any(have[i:i + len(want)] == want for i in range(len(have) - len(want) + 1))


def main(root):
    root = pathlib.Path(root)
    examples = [p.read_text().splitlines() for p in sorted((root / "examples").glob("*.cpp"))]
    scripts = [p.read_text().splitlines()
               for p in sorted((root / "examples" / "python").glob("*.py"))]
    pages = [root / "README.md"] + sorted((root / "docs").glob("*.md"))
    bad = checked = 0
    for page in pages:
        name = page.relative_to(root).as_posix()
        cmake_seen = 0
        for language, lines in blocks(page.read_text()):
            if language == "cpp":
                checked += 1
                if not any(runs_in(lines, example) for example in examples):
                    print(f"{name}: a C++ snippet stands in no file of examples/:\n  {lines[0]}")
                    bad += 1
            elif language == "python":
                checked += 1
                if not any(runs_in(lines, script) for script in scripts):
                    print(f"{name}: a Python snippet stands in no file of examples/python/:\n"
                          f"  {lines[0]}")
                    bad += 1
            elif language == "cmake":
                cmake_seen += 1
                checked += 1
                if (name, cmake_seen) not in BUILT_CMAKE:
                    print(f"{name}: CMake snippet {cmake_seen} is built by no test")
                    bad += 1
    print(f"snippets: {checked} checked, {bad} stand nowhere a test builds")
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
