#!/usr/bin/env bash
# Builds the program (Release) and opens its window.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh run
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DSHO_BUILD_TESTS=OFF >/dev/null
cmake --build build/release --target sho-euler -j"$(nproc)"
exec build/release/window/sho-euler "$@"
