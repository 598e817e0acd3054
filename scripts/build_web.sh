#!/usr/bin/env bash
# Builds the browser version of the program, one self-contained page, with emscripten: in
# build/web, after installing what it needs; or, given a build directory (as the tests give one of
# their own), there, installing nothing. What the build says goes to standard error; the page's
# path, on standard output, is the last line.
# Usage: scripts/build_web.sh [BUILD_DIR]
set -euo pipefail
build=$(realpath -m "${1:-$(dirname "$0")/../build/web}")
cd "$(dirname "$0")/.."
if [ $# -eq 0 ]; then
  scripts/setup.sh web >&2
fi
# emscripten's optimizer runs under node and needs Debian's node-acorn, which a node that is not
# Debian's own does not find by itself.
export NODE_PATH="${NODE_PATH:+$NODE_PATH:}/usr/share/nodejs"
emcmake cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target sho-euler-page -j"$(nproc)" >&2
realpath "$build/sho-euler.html"
