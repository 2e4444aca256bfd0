#!/usr/bin/env bash
# Runs the benchmarks natively and under Wine; each prints its ratio against a reference measured in
# the same run. Build first (scripts/setup.sh). Optional argument: megabytes to move (default 2000).
set -uo pipefail
source "$(dirname "$0")/../scripts/lib.sh"
mb="${1:-2000}"
echo "== ring buffer, native (sanitizer build: slower than a release build)"
"$ROOT/build/native/bench/ring_buffer_bench" "$mb"
wine_session_start
echo "== ring buffer, Wine 64-bit"
"$ROOT/cmake/wine-run.sh" "$ROOT/build/win64/bench/ring_buffer_bench.exe" "$mb" | tr -d '\r'
if "$ROOT/scripts/can-run-32bit.sh"; then
  echo "== ring buffer, Wine 32-bit"
  "$ROOT/cmake/wine-run.sh" "$ROOT/build/win32/bench/ring_buffer_bench.exe" "$mb" | tr -d '\r'
fi
wine_session_stop
