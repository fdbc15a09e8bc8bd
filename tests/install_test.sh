#!/usr/bin/env bash
# Programs outside the tree build on a copy installed in a scratch prefix: the
# installed examples, found with find_package(skivo), run (arena_match also as
# an arena program of its own, writing its CSV); controller_tree links neither
# SDL nor GL; a program on skivo::input gets SDL along. With --shared the
# libraries are built shared from SOURCE_DIR first and installed whole: the
# examples and the installed arena then run on the prefix's shared libraries.
# usage: install_test.sh BUILD_DIR | install_test.sh --shared SOURCE_DIR
set -euo pipefail
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
prefix="$tmp/prefix"
quiet() { "$@" >"$tmp/log" 2>&1 || { cat "$tmp/log"; echo "FAILED: $*"; exit 1; }; }
if [ "$1" = --shared ]; then
  quiet cmake -S "$2" -B "$tmp/build" -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON \
    -DSKIVO_BUILD_TESTS=OFF -DSKIVO_BUILD_BENCH=OFF -DCMAKE_INTERPROCEDURAL_OPTIMIZATION_RELEASE=OFF
  quiet cmake --build "$tmp/build" -j "$(nproc)"
  quiet cmake --install "$tmp/build" --prefix "$prefix"
  # The installed programs find the libraries through their run path.
  quiet "$prefix/bin/skivo-arena" --minutes 0.1 --no-progress
  ldd "$prefix/bin/skivo-arena" | grep "=> $prefix/.*/libskivo_arena\.so" >/dev/null ||
    { echo "FAILED: the installed arena does not run on the installed shared library"; exit 1; }
else
  quiet cmake --install "$1" --prefix "$prefix" --component dev
fi
quiet cmake -S "$prefix/share/doc/skivo-dev/examples" -B "$tmp/examples" -DCMAKE_PREFIX_PATH="$prefix"
quiet grep -q "^skivo_DIR:PATH=$prefix/" "$tmp/examples/CMakeCache.txt"
quiet cmake --build "$tmp/examples" -j 2
"$tmp/examples/controller_tree" && "$tmp/examples/arena_match"
quiet "$tmp/examples/arena_match" --minutes 2 --seed 3 --no-progress --csv "$tmp/match.csv"
[ "$(wc -l <"$tmp/match.csv")" = 3 ] || { echo "FAILED: arena_match wrote no CSV of 2 minutes"; exit 1; }
! ldd "$tmp/examples/controller_tree" | grep -Ei 'lib(GL|GLU|SDL)[-.]' ||
  { echo "FAILED: an example on skivo::scenario links SDL or GL"; exit 1; }
if [ "$1" = --shared ]; then
  ldd "$tmp/examples/arena_match" | grep "=> $prefix/.*/libskivo_world\.so" >/dev/null ||
    { echo "FAILED: arena_match does not link the installed shared world library"; exit 1; }
  echo "shared libraries: the installed arena and examples run on them"
  exit 0
fi
# The guide's CMake snippet, as it stands, builds the guide's example.
mkdir "$tmp/snippet"
guide="$(dirname "$0")/../docs/controllers.md"
{
  echo "cmake_minimum_required(VERSION 3.25)"
  echo "project(app LANGUAGES CXX)"
  sed -n '/^```cmake$/,/^```$/p' "$guide" | sed '1d;$d'
} >"$tmp/snippet/CMakeLists.txt"
cp "$prefix/share/doc/skivo-dev/examples/controller_tree.cpp" "$tmp/snippet/app.cpp"
quiet cmake -S "$tmp/snippet" -B "$tmp/snippet/build" -DCMAKE_PREFIX_PATH="$prefix"
quiet cmake --build "$tmp/snippet/build"
quiet "$tmp/snippet/build/app"
mkdir "$tmp/input"
cat >"$tmp/input/CMakeLists.txt" <<'CMAKE'
cmake_minimum_required(VERSION 3.25)
project(keyboard LANGUAGES CXX)
find_package(skivo 1.0 REQUIRED COMPONENTS input)
add_executable(keyboard keyboard.cpp)
target_link_libraries(keyboard PRIVATE skivo::input)
CMAKE
cat >"$tmp/input/keyboard.cpp" <<'CPP'
#include <skivo/skControllerPC.h>
#include <skivo/skKeyboardSDL.h>
// Reads the keys only when asked to, so that it runs without a display.
int main(int argc, char**) { return argc > 1 ? static_cast<int>(skivo::skKeyboardSDL().getX()) : 0; }
CPP
quiet cmake -S "$tmp/input" -B "$tmp/input/build" -DCMAKE_PREFIX_PATH="$prefix"
quiet cmake --build "$tmp/input/build"
"$tmp/input/build/keyboard"
# grep reads all of ldd's output: with -q it could stop early, and ldd's
# SIGPIPE would fail the pipeline under pipefail.
ldd "$tmp/input/build/keyboard" | grep 'libSDL' >/dev/null || { echo "FAILED: skivo::input brings no SDL"; exit 1; }
# Every installed header compiles on its own from the prefix (none needs a
# header left in the tree), and the libraries' internals stay in the tree.
compile_alone() {  # HEADER: compiles #include <skivo/HEADER> and nothing else
  # shellcheck disable=SC2046  # SDL's flags are words
  echo "#include <skivo/$1>" | g++ -std=c++17 -fsyntax-only -x c++ - -I"$prefix/include" \
    $(pkg-config --cflags sdl) || { echo "FAILED: <skivo/$1> alone"; exit 1; }
}
export -f compile_alone
export prefix
(cd "$prefix/include/skivo" && ls -- *.h) | xargs -P "$(nproc)" -I{} bash -c 'compile_alone {}'
for internal in skObstacleGrid.h skTorusPaths.h skArenaReport.h skGame.h; do
  [ ! -e "$prefix/include/skivo/$internal" ] || { echo "FAILED: $internal is installed"; exit 1; }
done
echo "out of tree: the installed examples and a program on skivo::input build and run; every installed header compiles alone"
