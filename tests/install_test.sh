#!/usr/bin/env bash
# Programs outside the tree build on a copy installed (component dev) in a
# scratch prefix: the installed examples, found with find_package(skivo), run
# and link neither SDL nor GL; a program on skivo::input gets SDL along.
# usage: install_test.sh BUILD_DIR
set -euo pipefail
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
prefix="$tmp/prefix"
quiet() { "$@" >"$tmp/log" 2>&1 || { cat "$tmp/log"; echo "FAILED: $*"; exit 1; }; }
quiet cmake --install "$1" --prefix "$prefix" --component dev
quiet cmake -S "$prefix/share/doc/skivo-dev/examples" -B "$tmp/examples" -DCMAKE_PREFIX_PATH="$prefix"
quiet grep -q "^skivo_DIR:PATH=$prefix/" "$tmp/examples/CMakeCache.txt"
quiet cmake --build "$tmp/examples" -j 2
"$tmp/examples/controller_tree" && "$tmp/examples/arena_match"
! ldd "$tmp/examples/controller_tree" "$tmp/examples/arena_match" | grep -Ei 'lib(GL|GLU|SDL)[-.]' ||
  { echo "FAILED: an example on skivo::core or skivo::arena links SDL or GL"; exit 1; }
mkdir "$tmp/input"
cat >"$tmp/input/CMakeLists.txt" <<'CMAKE'
cmake_minimum_required(VERSION 3.25)
project(keyboard LANGUAGES CXX)
find_package(skivo 1.0 REQUIRED COMPONENTS input)
add_executable(keyboard keyboard.cpp)
target_link_libraries(keyboard PRIVATE skivo::input)
CMAKE
cat >"$tmp/input/keyboard.cpp" <<'CPP'
#include "skControllerPC.h"
#include "skKeyboardSDL.h"
// Reads the keys only when asked to, so that it runs without a display.
int main(int argc, char**) { return argc > 1 ? static_cast<int>(skivo::skKeyboardSDL().getX()) : 0; }
CPP
quiet cmake -S "$tmp/input" -B "$tmp/input/build" -DCMAKE_PREFIX_PATH="$prefix"
quiet cmake --build "$tmp/input/build"
"$tmp/input/build/keyboard"
# grep reads all of ldd's output: with -q it could stop early, and ldd's
# SIGPIPE would fail the pipeline under pipefail.
ldd "$tmp/input/build/keyboard" | grep 'libSDL' >/dev/null || { echo "FAILED: skivo::input brings no SDL"; exit 1; }
echo "out of tree: the installed examples and a program on skivo::input build and run"
