#!/usr/bin/env bash
# The arena's results for a fixed set of options, byte for byte: the CSV rows
# and the saved tables must stay exactly those recorded in arena-results/.
# usage: arena_results.sh ARENA [--record]
set -euo pipefail
arena="$1"
expected="$(cd "$(dirname "$0")" && pwd)/arena-results"
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
[ "${2:-}" = --record ] && out="$expected" && trap - EXIT

run() {  # run NAME ARGS...: writes NAME.csv (and whatever ARGS save) into $out
  local name="$1"
  shift
  "$arena" --no-progress --csv "$out/$name.csv" "$@" > /dev/null
}
run full-chaser-learn --minutes 7 --seed 1 \
  --save-tactics1 "$out/full-t1.txt" --save-tactics2 "$out/full-t2.txt"
run classic-chaser-learn --classic --minutes 7 --seed 2 \
  --save-tactics1 "$out/classic-t1.txt" --save-tactics2 "$out/classic-t2.txt"
run full-wander-scripted --minutes 3 --seed 3 --player wander --npc scripted --step-ms 10
run classic-still-frozen --classic --minutes 3 --seed 4 --player still --npc frozen \
  --load-tactics1 "$expected/classic-t1.txt" --load-tactics2 "$expected/classic-t2.txt"
run full-unseeded --minutes 4 --step-ms 23 --load-tactics1 "$expected/full-t1.txt" \
  --save-tactics1 "$out/full-unseeded-t1.txt" --save-tactics2 "$out/full-unseeded-t2.txt"
run classic-unseeded-wander --classic --minutes 2 --player wander \
  --save-tactics1 "$out/classic-unseeded-t1.txt"
# Seamless edges: collisions, tags and sight across the edges.
run full-seamless-learn --seamless --minutes 5 --seed 5 \
  --save-tactics1 "$out/full-seamless-t1.txt" --save-tactics2 "$out/full-seamless-t2.txt"
run classic-seamless-expert --classic --seamless --minutes 4 --seed 6 --player expert \
  --learner view --save-tactics1 "$out/classic-seamless-view-t1.txt"
run full-seamless-scripted --seamless --minutes 4 --seed 7 --npc scripted --step-ms 10

[ "$out" = "$expected" ] && exit 0
diff -r "$expected" "$out" > /dev/null || { diff -r "$expected" "$out" | head -20; exit 1; }
echo "arena results: $(ls "$out" | wc -l) files identical to the recording"
