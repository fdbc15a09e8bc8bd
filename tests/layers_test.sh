#!/usr/bin/env bash
# The layers point one way: math <- world <- sim, ai <- gfx <- app, with io
# (saving files) beneath ai and app: a folder includes its own headers and
# those beneath only. SDL appears only in the input devices, gfx/ and app/'s
# front ends (not the world, the scenario or the arena), OpenGL only in gfx/;
# the arena program links neither.
# usage: layers_test.sh SOURCE_DIR [SKIVO_ARENA]
set -euo pipefail
root="$1"
declare -A allowed=([math]="math" [io]="io" [world]="math world" [sim]="math world sim"
  [ai]="math io world ai" [gfx]="math world gfx" [app]="math io world sim ai gfx app") home=()
for dir in "${!allowed[@]}"; do
  for h in "$root/$dir"/*.h; do home[$(basename "$h")]="$dir"; done
done
bad=0
complain() { echo "$1" && bad=1; }
for dir in "${!allowed[@]}"; do
  for f in "$root/$dir"/*.h "$root/$dir"/*.cpp; do
    rel="${f#"$root"/}"
    while IFS= read -r header; do
      owner="${home[$header]:-}"
      [ -z "$owner" ] || [[ " ${allowed[$dir]} " == *" $owner "* ]] || complain "$rel includes $owner/$header"
    done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$f")
    drawing="$(grep -Eo '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"](SDL|GL/)' "$f" || true)"
    case "$rel" in
      gfx/*) ;;
      app/skWorld.* | app/skWorldDef.h | app/skScenario.* | app/skCommandLine.* | app/skArena.* | \
        app/skArenaOptions.* | app/skArenaProgram.* | app/skArenaReport.* | app/skArenaRun.* | \
        app/skArenaStalls.* | app/skArenaPanel.* | app/panel_main.cpp | \
        app/arena_main.cpp) [ -z "$drawing" ] || complain "$rel includes SDL or OpenGL" ;;
      ai/skKeyboardSDL.* | ai/skKeyboardWASDSDL.* | ai/skJoystickSDL.* | app/*) [[ "$drawing" != *GL/* ]] || complain "$rel includes OpenGL" ;;
      *) [ -z "$drawing" ] || complain "$rel includes SDL or OpenGL" ;;
    esac
  done
done
if [ $# -ge 2 ] && ldd "$2" | grep -Ei 'lib(GL|GLU|OpenGL|GLX|SDL)[-.]'; then
  complain "$2 links a drawing or SDL library"
fi
[ "$bad" -eq 0 ] && echo "layers: every include points down; the arena links no SDL or GL"
exit "$bad"
