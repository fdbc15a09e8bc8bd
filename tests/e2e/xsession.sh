# shellcheck shell=bash
# Sourced by the end-to-end tests, the game soak and check-package: a private
# virtual X server, a game on it, its window and pictures of it, with Debian's
# tools (Xvfb, xset, xdotool, xwd, ImageMagick). Whatever is started here is
# stopped, and $work removed, when the sourcing script exits.
work="$(mktemp -d /tmp/skivo-x-XXXXXX)"
xvfb_pid="" game_pid="" win=""
stop_all() {
  for p in $game_pid $xvfb_pid; do kill "$p" 2>/dev/null || true; done
  rm -rf "$work"
}
trap stop_all EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# start_x: starts Xvfb, keys held down not repeating, and waits until it takes
# clients. It must not reset when its last client leaves (it would refuse the
# game for that moment and forget the keys' setting). Its display number is
# drawn far above those that servers choosing their own take, and the server
# holds it with a lock file: without one, a server starting on the number of
# one still closing can lose its socket to the other's clean-up.
start_x() {
  local end=$((SECONDS + 60)) n
  while ((SECONDS < end)); do
    n=$((1000 + RANDOM % 30000))
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$! && export DISPLAY=":$n"
    while kill -0 "$xvfb_pid" 2>/dev/null && ((SECONDS < end)); do
      [ "$(tr -d ' ' 2>/dev/null <"/tmp/.X$n-lock")" = "$xvfb_pid" ] && xset r off 2>/dev/null &&
        return 0
      sleep 0.1
    done
  done
  fail "Xvfb did not start: $(cat "$work/xvfb.log")"
}

# start_game COMMAND...: starts the game (standard error into $work/game.err)
# and waits up to 60 s for its window, titled "skivo", to show a drawn frame.
# Sets game_pid and win.
start_game() {
  env -u WAYLAND_DISPLAY SDL_VIDEODRIVER=x11 "$@" 2>"$work/game.err" &
  game_pid=$!
  local end=$((SECONDS + 60))
  while ((SECONDS < end)); do
    kill -0 "$game_pid" 2>/dev/null || fail "$* ended at start-up: $(cat "$work/game.err")"
    win="$(xdotool search --onlyvisible --name '^skivo$' 2>/dev/null | head -n1)" || true
    [ -n "$win" ] && shot "$work/first.xwd" &&
      [ "$(convert "$work/first.xwd" -format '%[fx:maxima]' info:)" != 0 ] && return 0
    sleep 0.1
  done
  fail "$* showed no drawn window within 60 s"
}

shot() { xwd -silent -id "$win" >"$1" 2>/dev/null; }  # false when the window is gone
focus() { xdotool mousemove --window "$win" 256 256 windowfocus --sync "$win"; }

# wait_exit SECONDS: true, with the game's exit status in $status, when it
# ended within that time.
wait_exit() {
  local end=$((SECONDS + $1))
  while kill -0 "$game_pid" 2>/dev/null; do
    ((SECONDS < end)) || return 1
    sleep 0.1
  done
  status=0 && { wait "$game_pid" || status=$?; }
  game_pid=""
}
