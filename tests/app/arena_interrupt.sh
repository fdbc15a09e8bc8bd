#!/usr/bin/env bash
# skivo-arena stopped from outside, in a scratch folder: SIGINT and SIGTERM
# save what the run has and exit with 130 and 143; a second signal ends it at
# once, without saving; SIGKILL between checkpoints leaves the outputs of the
# last checkpoint, whole; "--csv -" writes the CSV alone on standard output.
# usage: arena_interrupt.sh ARENA
set -euo pipefail
arena="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "arena_interrupt: $*" >&2 && exit 1; }
# start COMMAND...: in the background, SIGINT not ignored as bash would; $! is it.
start() { env --default-signal=INT "$@" & }
wait_for() {  # wait_for SECONDS COMMAND...: polls COMMAND every 0.1 s until it succeeds
  local tries=$(($1 * 10))
  shift
  until "$@"; do
    tries=$((tries - 1)) && [ "$tries" -gt 0 ] || fail "gave up waiting for: $*"
    sleep 0.1
  done
}
# handling PID: whether its SIGINT and SIGTERM handlers are in place.
handling() { (($(awk '/^SigCgt/ { print "0x" $2 }' "/proc/$1/status") & 0x4002)); }
rows() {  # the rows of CSV $1: a header, then rows of 13 fields numbered 1, 2, ...
  awk -F, 'NR == 1 && !/^minute,/ { bad = 1 } NR > 1 && (NF != 13 || $1 != NR - 1) { bad = 1 }
           END { if (bad || NR < 2) exit 1; print NR - 1 }' "$1"
}
tables() { for t; do [ "$(grep -c '^-\?[0-9]' "$t")" = 80 ] || fail "$t: not a whole table"; done; }
long=(--minutes 30000 --seed 1 --no-progress)

for signal in INT TERM; do
  d="$work/$signal" && mkdir "$d"
  start "$arena" "${long[@]}" --csv "$d/run.csv" --save-tactics1 "$d/t1" --save-tactics2 "$d/t2" \
    >/dev/null 2>"$d/err"
  pid=$! && wait_for 20 handling $pid && sleep 0.3 && kill -$signal $pid
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
pid=$! && wait_for 60 test -s "$d/run.csv" && sleep "0.$((RANDOM % 5))" && kill -KILL $pid
{ wait $pid || true; } 2>/dev/null
n="$(rows "$d/run.csv")" || fail "SIGKILL: the CSV is not whole"
[ $((n % 40)) = 0 ] || fail "SIGKILL: $n minutes saved, not a checkpoint's"
"$arena" --minutes "$n" --seed 1 --no-progress --csv "$d/again.csv" --save-tactics1 "$d/again1" >/dev/null
{ cmp "$d/run.csv" "$d/again.csv" && cmp "$d/t1" "$d/again1"; } || fail "SIGKILL: not minute $n's state"
[ "$(find "$d" -name '.*skivo-save-*' | wc -l)" -le 1 ] || fail "SIGKILL: temporary files left"

# A second signal while the first one's save waits for a reader; then --csv -.
d="$work/twice" && mkdir "$d" && mkfifo "$d/pipe"
start "$arena" "${long[@]}" --csv "$d/pipe" --save-tactics1 "$d/t1" >/dev/null 2>"$d/err"
pid=$! && wait_for 20 handling $pid && kill -INT $pid
wait_for 20 grep -q "saving what the run has" "$d/err" && kill -INT $pid
status=0 && { wait $pid || status=$?; }
[ $status = 130 ] || fail "second SIGINT: exit status $status"
{ ! grep -q "stopped by" "$d/err" && [ -p "$d/pipe" ] && [ ! -e "$d/t1" ]; } ||
  fail "second SIGINT: still saved: $(cat "$d/err")"

"$arena" --minutes 3 --seed 1 --no-progress --csv - >"$work/out.csv" 2>"$work/summary"
"$arena" --minutes 3 --seed 1 --no-progress --csv "$work/file.csv" >/dev/null
{ cmp "$work/out.csv" "$work/file.csv" && grep -q "x real time" "$work/summary"; } ||
  fail "--csv -: standard output is not the CSV alone"
echo "arena interrupt: SIGINT, SIGTERM, SIGKILL at a checkpoint's state, a second SIGINT, --csv -: ok"
