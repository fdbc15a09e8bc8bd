# shellcheck shell=bash
# Sourced by game-test and check-package: a private X server, a game on it,
# its window and pictures of it, with Debian's tools (Xvfb, xset, xdotool,
# xwd, ImageMagick). What starts here stops, and $work goes, at exit.
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

# start_x: starts Xvfb (no reset when its last client leaves, which would
# refuse the game and forget that keys do not repeat) on a display number
# drawn far above those that servers choosing their own take, held by a lock
# file, and waits until it takes clients.
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

# start_game COMMAND...: starts the game (standard output into $work/game.out,
# standard error into $work/game.err);
# sets game_pid and win once its window, titled "skivo", shows a drawn frame.
start_game() {
  env -u WAYLAND_DISPLAY SDL_VIDEODRIVER=x11 "$@" >"$work/game.out" 2>"$work/game.err" &
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

# wait_exit SECONDS: true, with its exit status in $status, when the game ends in time.
wait_exit() {
  local end=$((SECONDS + $1))
  while kill -0 "$game_pid" 2>/dev/null; do
    ((SECONDS < end)) || return 1
    sleep 0.1
  done
  status=0 && { wait "$game_pid" || status=$?; }
  game_pid=""
}
