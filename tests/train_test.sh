#!/usr/bin/env bash
# scripts/train-opponents across machines: the same small training on this
# machine alone and spread over two "hosts" (a stand-in for ssh that runs the
# command here, as GNU parallel would run it there) gives the same tables,
# bit for bit, and tables the view learner loads; --skills, tables of the
# skill learner.
# usage: train_test.sh SOURCE_DIR ARENA PANEL
set -euo pipefail
root="$1"
export SKIVO_ARENA="$2" SKIVO_PANEL="$3"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
cat >"$tmp/ssh" <<'SSH'
#!/usr/bin/env bash
# ssh [options] HOST [--] COMMAND...: runs COMMAND here, as HOST would.
while [[ "$1" == -* ]]; do case "$1" in -[oplFiS]) shift 2 ;; *) shift ;; esac; done
echo "$1" >>"$(dirname "$0")/hosts-used"
shift
# sshd gives the command the user's login shell, which parallel's wrapper
# runs the job with; a caller's environment (CI's) may have none.
SHELL="$(getent passwd "$(id -un)" | cut -d: -f7)" && export SHELL
[ "${1:-}" = -- ] && shift
exec bash -c "$*"
SSH
chmod +x "$tmp/ssh"
printf '1/first.example\n1/second.example\n' >"$tmp/hosts"
"$root/scripts/train-opponents" --quick "$tmp/alone" 2>"$tmp/log" || { cat "$tmp/log"; exit 1; }
PARALLEL_SSH="$tmp/ssh" "$root/scripts/train-opponents" --quick --hosts "$tmp/hosts" "$tmp/spread" \
  2>"$tmp/log" || { cat "$tmp/log"; exit 1; }
[ "$(sort -u "$tmp/hosts-used" | wc -l)" = 2 ] || { echo "FAILED: not both hosts trained"; exit 1; }
for t in full-1 full-2 classic-1 classic-2; do
  cmp "$tmp/alone/$t.txt" "$tmp/spread/$t.txt" || { echo "FAILED: $t differs"; exit 1; }
  head -1 "$tmp/alone/$t.txt" | grep -q '^skivo-view-learner 576 9$' || { echo "FAILED: $t is no view table"; exit 1; }
done
# Every run's tables and learning curve (its validation names its own folder).
diff -r -x valid.csv "$tmp/alone/runs" "$tmp/spread/runs" >/dev/null ||
  { echo "FAILED: the runs differ"; exit 1; }
# The opponents that plan train the same way, into skill tables of their own.
"$root/scripts/train-opponents" --quick --skills "$tmp/skills" 2>"$tmp/log" || { cat "$tmp/log"; exit 1; }
for t in full-skills-1 full-skills-2 classic-skills-1 classic-skills-2; do
  head -1 "$tmp/skills/$t.txt" | grep -q '^skivo-skill-learner 216 7$' || { echo "FAILED: $t is no skill table"; exit 1; }
done
echo "train-opponents: the same tables on one machine and on two"
