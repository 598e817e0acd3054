#!/usr/bin/env bash
# Builds number_check with emscripten and compares what it works out under node with what the
# native number_check works out, input by input, on the same inputs.
# Usage: compare.sh NATIVE_NUMBER_CHECK NUMBER_CHECK_INPUTS BUILD_DIR
set -euo pipefail
native=$1 write_inputs=$2 build=$3
source_dir=$(cd "$(dirname "$0")" && pwd)
# emscripten's optimizer needs Debian's node-acorn, which a node not from Debian does not see.
export NODE_PATH=/usr/share/nodejs

mkdir -p "$build"
if [ ! -f "$build/CMakeCache.txt" ]; then
  emcmake cmake -S "$source_dir" -B "$build" -DCMAKE_BUILD_TYPE=Release >"$build/configure.log" 2>&1 ||
    { cat "$build/configure.log"; exit 1; }
fi
cmake --build "$build" -j2 >"$build/build.log" 2>&1 || { cat "$build/build.log"; exit 1; }

"$write_inputs" >"$build/inputs.txt"
"$native" "$build/inputs.txt" >"$build/native.txt" 2>/dev/null
node "$build/number_check.js" "$build/inputs.txt" >"$build/wasm.txt" 2>/dev/null

if ! cmp -s "$build/native.txt" "$build/wasm.txt"; then
  first=$( (diff "$build/native.txt" "$build/wasm.txt" || true) | sed -n 's/^< \([0-9]*\) .*/\1/p' |
    head -n 1)
  echo "The WebAssembly build differs from the native one from input line $first on:" >&2
  "$native" "$build/inputs.txt" "$first" 1000 >"$build/native-lines.txt"
  node "$build/number_check.js" "$build/inputs.txt" "$first" 1000 >"$build/wasm-lines.txt"
  (diff "$build/native-lines.txt" "$build/wasm-lines.txt" || true) | head -n 20 >&2
  exit 1
fi
echo "The same results from $(wc -l <"$build/inputs.txt") inputs in both builds" \
  "($(grep -c '^d' "$build/inputs.txt") doubles, $(grep -c '^t' "$build/inputs.txt") texts," \
  "$(grep -c '^a' "$build/inputs.txt") angles, $(grep -c '^r' "$build/inputs.txt") runs)"
