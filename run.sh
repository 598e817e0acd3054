#!/usr/bin/env bash
# Builds the program (Release) and opens its window; with --web, builds the browser version and
# opens the page.
set -euo pipefail
cd "$(dirname "$0")"
if [ "${1:-}" = --web ]; then
  # The browser version: build the page, open it where there is a display, say where it is.
  page=$(scripts/build_web.sh)
  if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && command -v xdg-open >/dev/null; then
    (xdg-open "$page" >/dev/null 2>&1 &)
  fi
  echo "$page"
  exit 0
fi
scripts/setup.sh run
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DSHO_BUILD_TESTS=OFF >/dev/null
cmake --build build/release --target sho-euler -j"$(nproc)"
exec build/release/window/sho-euler "$@"
