#!/usr/bin/env bash
# The commands a newcomer types from the README's command blocks run, as they
# stand, from a scratch folder laid out as the project's: its build/release
# is this build, examples/ the project's, $HOME a scratch one, and a virtual
# X server stands in for the display (--watch). Two blocks are run by tests of
# their own: the web build's (tests/web/run, the same build of web/) and the
# Debian package's (scripts/check-package). A block of any other kind fails
# here until it is run somewhere.
# usage: readme_commands.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
root="$(cd "$1" && pwd)" build="$(cd "$2" && pwd)"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/build" "$scratch/home"
ln -s "$build" "$scratch/build/release"
ln -s "$root/examples" "$scratch/examples"

ran=0
run_block() {  # run_block FILE: runs the commands in FILE, one by one, from $scratch
  local line
  while IFS= read -r line; do
    [ -n "$line" ] || continue
    echo "\$ $line"
    (cd "$scratch" && HOME="$scratch/home" xvfb-run -a bash -euo pipefail -c "$line" >"$scratch/out" 2>&1) ||
      { cat "$scratch/out"; echo "FAILED: the README's command: $line"; exit 1; }
    ran=$((ran + 1))
  done <"$1"
}

block=0
while IFS= read -r -d '' text; do
  block=$((block + 1))
  first="${text%%$'\n'*}"
  case "$first" in
    scripts/web*) echo "block $block: the web build, run by tests/web/run" ;;
    "cmake -S . -B build/package"*) echo "block $block: the Debian package, run by scripts/check-package" ;;
    *) printf '%s\n' "$text" >"$scratch/block" && run_block "$scratch/block" ;;
  esac
done < <(awk '/^```sh$/ { inside = 1; text = ""; next }
              /^```$/ && inside { inside = 0; printf "%s%c", text, 0; next }
              inside { text = text $0 "\n" }' "$root/README.md")
[ "$ran" -gt 0 ] || { echo "FAILED: no command of the README ran"; exit 1; }
echo "README: $ran commands ran as they stand"
