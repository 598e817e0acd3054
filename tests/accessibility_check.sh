#!/usr/bin/env bash
# Starts the program on an X server of its own (Xvfb) with a session bus of its own, on which the
# accessibility bus (AT-SPI) starts when first asked for, and checks it there as a screen reader
# reads it: every control that takes the focus has a name, the list and the plot are named for
# what they are and the plot describes what it shows. It also makes a run through the real window,
# opens the drop-down, walks it with the keys while the bus tells a screen reader of each entry, and
# copies the plot from its menu and with Ctrl+C. Needs no display and no session bus of the
# caller's. Usage: tests/accessibility_check.sh PROGRAM
set -euo pipefail
program=$(realpath "$1")
here=$(dirname "$(realpath "$0")")

# The run's data files go to a scratch directory.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cd "$scratch"

unset DBUS_SESSION_BUS_ADDRESS DISPLAY
# Debian's own Python, which has python3-pyatspi. A display number from a random start, so that
# tests started at once do not pick the same one.
timeout --kill-after=10 150 \
  xvfb-run -a -n $((100 + RANDOM % 400)) -s "-screen 0 1024x768x24 -dpi 96" \
  dbus-run-session -- /usr/bin/python3 "$here/accessibility_check.py" "$program" 2>&1 |
  grep -v 'Failed to set fd limit'  # dbus-daemon's notice when not allowed to raise it
exit "${PIPESTATUS[0]}"
