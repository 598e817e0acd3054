#!/usr/bin/env bash
# Builds everything (Release) and runs every test headless through ctest, among them the one that
# builds the Debian package (build/test/package) and checks it, and those that build the browser
# page (build/test/web), test it in Chromium and Firefox against the desktop window and time it
# briefly; runs the benchmark briefly; fuzzes the reading of numbers for 30 seconds; then builds the
# tests once more with AddressSanitizer and UndefinedBehaviorSanitizer and runs them there. Exits
# non-zero on any failure. A part alone: ctest --test-dir build/test -L core (or window, web,
# package), after a build.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh test

export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

echo "== Release build and tests, the browser page's among them"
cmake -S . -B build/test -DCMAKE_BUILD_TYPE=Release -DSHO_WERROR=ON >/dev/null
cmake --build build/test -j"$jobs"
# ctest has the page's tests only where it found emscripten, esbuild, node and the browsers.
ctest --test-dir build/test -N -R '^web_page_build$' | grep -q 'Total Tests: 1' ||
  { echo "build/test has no tests of the browser page" >&2; exit 1; }
ctest --test-dir build/test --output-on-failure -j"$jobs"

echo "== Benchmark, a short run to see that it works"
build/test/bench/sho-bench --benchmark_min_time=0.01 | tee build/test/bench-smoke.txt
for figure in stepping files_only full_run startup memory_100_runs 'full_run / files_only'; do
  grep -q "^$figure" build/test/bench-smoke.txt || { echo "The benchmark did not report $figure" >&2; exit 1; }
done
if grep -q 'ERROR OCCURRED' build/test/bench-smoke.txt; then exit 1; fi

echo "== Fuzzing the reading of numbers for 30 s (AddressSanitizer and UndefinedBehaviorSanitizer)"
cmake -S tests/fuzz -B build/fuzz -DCMAKE_CXX_COMPILER=clang++-14 >/dev/null
cmake --build build/fuzz -j"$jobs"
rm -rf build/fuzz/corpus
mkdir -p build/fuzz/corpus
# A text that takes more than 5 s counts as a hang (-timeout); timeout(1) ends a fuzzer that
# overruns as a whole.
if ! timeout --kill-after=10 120 build/fuzz/number_text_fuzzer -max_total_time=30 -timeout=5 \
  -artifact_prefix=build/fuzz/ \
  build/fuzz/corpus tests/fuzz/seeds >build/fuzz/fuzz.log 2>&1; then
  tail -n 40 build/fuzz/fuzz.log
  echo "== The fuzzer stopped on a fault; its whole output is in build/fuzz/fuzz.log" >&2
  exit 1
fi
tail -n 1 build/fuzz/fuzz.log

echo "== AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build/sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSHO_WERROR=ON -DSHO_SANITIZE=ON \
  >/dev/null
cmake --build build/sanitize -j"$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build/sanitize --output-on-failure -j"$jobs"
echo "== All tests passed"
