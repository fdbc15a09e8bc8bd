#!/usr/bin/env bash
# skivo-arena stopped from outside, in a scratch folder: SIGINT and SIGTERM
# save what the run has and exit with 130 and 143; a second signal ends it at
# once, without saving; SIGKILL between checkpoints leaves the outputs of the
# last checkpoint, each whole (the tables possibly the checkpoint before's);
# "--csv -" writes the CSV alone on standard output.
# usage: arena_interrupt.sh ARENA
set -euo pipefail
arena="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "arena_interrupt: $*" >&2 && exit 1; }
# start COMMAND...: in the background, SIGINT not ignored as bash would; $! is it.
start() { env --default-signal=INT "$@" & }
# wait_until PID COMMAND...: until COMMAND succeeds, however loaded the machine
# (ctest's time-out is the only limit); fails at once if PID has ended. The
# waits follow what the arena does, never a fixed time.
wait_until() {
  local pid=$1
  shift
  until "$@"; do
    kill -0 "$pid" 2>/dev/null || fail "ended before: $*"
    sleep 0.05
  done
}
# handling PID: whether its SIGINT and SIGTERM handlers are in place.
handling() { (($(awk '/^SigCgt/ { print "0x" $2 }' "/proc/$1/status") & 0x4002)); }
rows() {  # the rows of CSV $1: a header, then rows of 14 fields numbered 1, 2, ...
  awk -F, 'NR == 1 && !/^minute,/ { bad = 1 } NR > 1 && (NF != 14 || $1 != NR - 1) { bad = 1 }
           END { if (bad || NR < 2) exit 1; print NR - 1 }' "$1"
}
tables() { for t; do [ "$(grep -c '^-\?[0-9]' "$t")" = 80 ] || fail "$t: not a whole table"; done; }
long=(--minutes 30000 --seed 1 --no-progress)

for signal in INT TERM; do
  d="$work/$signal" && mkdir "$d"
  start "$arena" "${long[@]}" --csv "$d/run.csv" --save-tactics1 "$d/t1" --save-tactics2 "$d/t2" \
    >/dev/null 2>"$d/err"
  pid=$! && wait_until $pid handling $pid && sleep 0.3 && kill -$signal $pid
  status=0 && { wait $pid || status=$?; }
  want=$([ $signal = INT ] && echo 130 || echo 143)
  [ $status = "$want" ] || fail "SIG$signal: exit status $status, not $want: $(cat "$d/err")"
  n="$(rows "$d/run.csv")" || fail "SIG$signal: the CSV is not whole"
  grep -q "stopped by SIG$signal at game minute [0-9.]*; wrote '$d/run.csv' ($n rows), '$d/t1', '$d/t2'$" \
    "$d/err" || fail "SIG$signal: $(cat "$d/err")"
  tables "$d/t1" "$d/t2"
done

# Killed between checkpoints: the files are a run of the last checkpoint's length.
d="$work/KILL" && mkdir "$d"
start "$arena" "${long[@]}" --checkpoint-minutes 40 --csv "$d/run.csv" --save-tactics1 "$d/t1" \
  >/dev/null 2>&1
pid=$! && wait_until $pid test -s "$d/run.csv" && sleep "0.$((RANDOM % 5))" && kill -KILL $pid
{ wait $pid || true; } 2>/dev/null
n="$(rows "$d/run.csv")" || fail "SIGKILL: the CSV is not whole"
[ $((n % 40)) = 0 ] || fail "SIGKILL: $n minutes saved, not a checkpoint's"
"$arena" --minutes "$n" --seed 1 --no-progress --csv "$d/again.csv" --save-tactics1 "$d/again1" >/dev/null
cmp -s "$d/run.csv" "$d/again.csv" || fail "SIGKILL: the CSV is not minute $n's"
# Each file is replaced whole on its own, the CSV first: a kill between the
# two saves leaves the table of the checkpoint before (none before the first).
if ! cmp -s "$d/t1" "$d/again1"; then
  before=$((n - 40))
  if [ "$before" = 0 ]; then
    [ ! -e "$d/t1" ] || fail "SIGKILL: a table at minute 40 that is not minute 40's"
  else
    "$arena" --minutes "$before" --seed 1 --no-progress --save-tactics1 "$d/before1" >/dev/null
    cmp -s "$d/t1" "$d/before1" || fail "SIGKILL: the table is neither minute $n's nor $before's"
  fi
fi
[ "$(find "$d" -name '.*skivo-save-*' | wc -l)" -le 1 ] || fail "SIGKILL: temporary files left"

# A second signal while the first one's save waits for a reader (for 5 s),
# sent as soon as the arena says it is saving; then --csv -.
d="$work/twice" && mkdir "$d" && mkfifo "$d/pipe"
start "$arena" "${long[@]}" --csv "$d/pipe" --save-tactics1 "$d/t1" >/dev/null 2>"$d/err"
pid=$! && wait_until $pid handling $pid && kill -INT $pid
wait_until $pid grep -q "saving what the run has" "$d/err" && kill -INT $pid
status=0 && { wait $pid || status=$?; }
[ $status = 130 ] || fail "second SIGINT: exit status $status"
{ ! grep -q "stopped by" "$d/err" && [ -p "$d/pipe" ] && [ ! -e "$d/t1" ]; } ||
  fail "second SIGINT: still saved: $(cat "$d/err")"

"$arena" --minutes 3 --seed 1 --no-progress --csv - >"$work/out.csv" 2>"$work/summary"
"$arena" --minutes 3 --seed 1 --no-progress --csv "$work/file.csv" >/dev/null
{ cmp "$work/out.csv" "$work/file.csv" && grep -q "x real time" "$work/summary"; } ||
  fail "--csv -: standard output is not the CSV alone"
echo "arena interrupt: SIGINT, SIGTERM, SIGKILL at a checkpoint's state, a second SIGINT, --csv -: ok"
