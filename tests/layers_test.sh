#!/usr/bin/env bash
# The layers point one way: math <- world <- sim, ai <- gfx <- the programs,
# with io (saving files) beneath ai, and above the core the option table, the
# scenario, the arena, its window and the games: a folder includes its own
# headers and those beneath only (the links of the libraries say the same, and
# the shared build links each with --no-undefined). SDL appears only in the
# input devices, gfx/, the arena's window, the games and their programs (not
# the core, the scenario or the arena), OpenGL only in gfx/; the arena program
# links neither.
# usage: layers_test.sh SOURCE_DIR [SKIVO_ARENA]
set -euo pipefail
root="$1"
core="math io world sim ai"
declare -A allowed=([math]="math" [io]="io" [world]="math world" [sim]="math world sim"
  [ai]="math io world ai" [input]="math io world ai input" [gfx]="math world gfx" [cli]="cli"
  [scenario]="$core cli scenario" [arena]="$core cli scenario arena"
  [watch]="$core cli scenario arena gfx watch" [game]="$core input gfx cli scenario game"
  [app]="$core input gfx cli scenario arena watch game" [web]="$core input gfx cli scenario game"
  [python]="$core cli scenario arena gfx watch python")
home=()
for dir in "${!allowed[@]}"; do
  for h in "$root/$dir"/*.h; do [ -e "$h" ] && home[$(basename "$h")]="$dir"; done
done
bad=0
complain() { echo "$1" && bad=1; }
for dir in "${!allowed[@]}"; do
  for f in "$root/$dir"/*.h "$root/$dir"/*.cpp; do
    [ -e "$f" ] || continue
    rel="${f#"$root"/}"
    while IFS= read -r header; do
      owner="${home[$header]:-}"
      [ -z "$owner" ] || [[ " ${allowed[$dir]} " == *" $owner "* ]] || complain "$rel includes $owner/$header"
    done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$f")
    drawing="$(grep -Eo '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"](SDL|GL/)' "$f" || true)"
    case "$rel" in
      gfx/*) ;;
      input/* | watch/* | game/* | web/* | python/* | app/skivo_main.cpp | app/skivo_classic_main.cpp | \
        app/skivo_watch_main.cpp) [[ "$drawing" != *GL/* ]] || complain "$rel includes OpenGL" ;;
      *) [ -z "$drawing" ] || complain "$rel includes SDL or OpenGL" ;;
    esac
  done
done
if [ $# -ge 2 ] && ldd "$2" | grep -Ei 'lib(GL|GLU|OpenGL|GLX|SDL)[-.]'; then
  complain "$2 links a drawing or SDL library"
fi
[ "$bad" -eq 0 ] && echo "layers: every include points down; the arena links no SDL or GL"
exit "$bad"
