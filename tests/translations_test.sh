#!/usr/bin/env bash
# Every text the program shows has a finished translation in every language it ships: brings a
# copy of each .ts file up to date with the sources, as target sho_window_lupdate does, and fails
# when lrelease finds a text there without a finished translation (a new or changed text).
# Usage: translations_test.sh LUPDATE LRELEASE TS_FILE... -- LUPDATE_OPTION... -- SOURCE...
set -euo pipefail
lupdate=$1 lrelease=$2
shift 2
ts_files=() options=()
while [ "$1" != -- ]; do ts_files+=("$1"); shift; done
shift
while [ "$1" != -- ]; do options+=("$1"); shift; done
shift

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
status=0
for ts in "${ts_files[@]}"; do
  copy=$scratch/$(basename "$ts")
  cp "$ts" "$copy"
  "$lupdate" "${options[@]}" -locations none "$@" -ts "$copy" >/dev/null
  report=$("$lrelease" "$copy" -qm "$scratch/out.qm")
  echo "$(basename "$ts"): $(grep -E 'Generated|Ignored' <<<"$report" | tr '\n' ' ')"
  if ! grep -Eq '\(([0-9]+) finished and 0 unfinished\)' <<<"$report" ||
    grep -q 'untranslated' <<<"$report"; then
    echo "$(basename "$ts") has texts without a finished translation:" >&2
    grep -B2 'type="unfinished"' "$copy" | grep '<source>' >&2 || true
    status=1
  fi
done
exit $status
