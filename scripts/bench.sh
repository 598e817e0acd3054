#!/usr/bin/env bash
# Builds the program and its benchmark (Release) and measures a run: the stepping, a run that only
# writes the data files, a whole run through the window, the start-up to the first paint and the
# memory over 100 runs. Extra arguments go to the benchmark (e.g. --benchmark_repetitions=5).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh test
cmake -S . -B build/test -DCMAKE_BUILD_TYPE=Release -DSHO_WERROR=ON >/dev/null
cmake --build build/test --target sho-bench -j"$(nproc)" >/dev/null
QT_QPA_PLATFORM=offscreen exec build/test/bench/sho-bench "$@"
