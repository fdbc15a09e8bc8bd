#!/usr/bin/env bash
# Every program's --help, as a user runs it: exit status 0, the usage on
# standard output and nothing on standard error, no line over 80 columns,
# and -h the same text. Needs no display: the games answer before a window.
# usage: help_test.sh APP_DIR
set -uo pipefail
app="${1:?usage: help_test.sh APP_DIR}"
failed=0
for program in skivo skivo-classic skivo-arena skivo-watch skivo-panel; do
  out="$(env -u DISPLAY -u WAYLAND_DISPLAY "$app/$program" --help 2>/tmp/help-err-$$)"
  rc=$?
  err="$(cat /tmp/help-err-$$)"
  short="$(env -u DISPLAY -u WAYLAND_DISPLAY "$app/$program" -h 2>/dev/null)"
  wide="$(awk 'length > 80' <<<"$out")"
  if [ "$rc" != 0 ] || [ -n "$err" ] || ! grep -q '^usage: skivo' <<<"$out" || [ -n "$wide" ] ||
    [ "$short" != "$out" ]; then
    echo "FAILED: $program --help: exit $rc, error '$err', lines over 80: '$wide'"
    failed=1
  fi
done
rm -f /tmp/help-err-$$
[ "$failed" = 0 ] && echo "help: every program's --help is whole"
exit "$failed"
