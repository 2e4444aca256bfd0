#!/bin/bash
# Builds the archive reader's fuzz target with clang and runs it for SECONDS (default 300) on a
# copy of the seed corpus; new inputs it finds stay in build/fuzz/corpus.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-300}
export KX_CACHE_DIR=${KX_CACHE_DIR:-$root/.cache}
cmake -S "$root" -B "$root/build/fuzz" -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DKX_FUZZ=ON -DKX_BUILD_TESTS=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build/fuzz" --target archive_reader_fuzz
mkdir -p "$root/build/fuzz/corpus"
cp -n "$root"/tests/fixtures/archive_corpus/* "$root/build/fuzz/corpus/"
"$root/build/fuzz/fuzz/archive_reader_fuzz" -max_total_time="$seconds" -max_len=65536 -timeout=20 \
  "$root/build/fuzz/corpus"
