#!/usr/bin/env bash
# Builds the browser version of the program, one self-contained page, with emscripten. What the
# build says goes to standard error; the page's path, on standard output, is the last line.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh run >&2
# emscripten's optimizer runs under node and needs Debian's node-acorn, which a node that is not
# Debian's own does not find by itself.
export NODE_PATH="${NODE_PATH:+$NODE_PATH:}/usr/share/nodejs"
emcmake cmake -S . -B build/web -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/web --target sho-euler-page -j"$(nproc)" >&2
realpath build/web/sho-euler.html
