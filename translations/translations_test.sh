#!/usr/bin/env bash
# Every text the program shows has a finished translation in every language it ships: brings a
# copy of each .ts file up to date with the sources, as target sho_translations_lupdate does, and fails
# when lrelease finds a text there without a finished translation (a new or changed text). Fails
# too when lupdate reports an error, or finds fewer texts in the sources than the .ts file
# translates: a source it could not read (it says so and goes on) would leave its texts out.
# Usage: translations_test.sh LUPDATE LRELEASE READER TS_FILE... -- LUPDATE_OPTION... -- SOURCE...
# (READER: ts_catalogue.py, run with python3)
set -euo pipefail
lupdate=$1 lrelease=$2 reader=$3
shift 3
ts_files=() options=()
while [ "$1" != -- ]; do ts_files+=("$1"); shift; done
shift
while [ "$1" != -- ]; do options+=("$1"); shift; done
shift

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
status=0
for ts in "${ts_files[@]}"; do
  name=$(basename "$ts")
  copy=$scratch/$name
  cp "$ts" "$copy"
  "$lupdate" "${options[@]}" -locations none "$@" -ts "$copy" >"$scratch/lupdate.out" \
    2>"$scratch/lupdate.err"
  cat "$scratch/lupdate.err" >&2
  if grep -Eiwq 'error' "$scratch/lupdate.err"; then
    echo "lupdate reported errors on the sources of $name" >&2
    status=1
  fi
  found=$(sed -n 's/^ *Found \([0-9]*\) source text.*/\1/p' "$scratch/lupdate.out")
  translated=$(python3 "$reader" count "$ts")
  if [ -z "$found" ] || [ "$found" -lt "$translated" ]; then
    echo "lupdate found ${found:-no} texts in the sources, fewer than the $translated that" \
      "$name translates" >&2
    status=1
  fi
  report=$("$lrelease" "$copy" -qm "$scratch/out.qm")
  echo "$name: $found texts found; $(grep -E 'Generated|Ignored' <<<"$report" | tr '\n' ' ')"
  if ! grep -Eq '\(([0-9]+) finished and 0 unfinished\)' <<<"$report" ||
    grep -q 'untranslated' <<<"$report"; then
    echo "$name has texts without a finished translation:" >&2
    grep -B2 'type="unfinished"' "$copy" | grep '<source>' >&2 || true
    status=1
  fi
done
exit $status
