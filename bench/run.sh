#!/usr/bin/env bash
# Runs the benchmarks natively and under Wine; each prints its ratio against a reference measured in
# the same run. Needs the Windows builds of scripts/setup.sh; builds the optimised native preset itself.
# Optional argument: megabytes to move (default 2000). Run it on an otherwise idle machine.
set -uo pipefail
source "$(dirname "$0")/../scripts/lib.sh"
mb="${1:-2000}"
cmake --preset native-release >/dev/null && cmake --build --preset native-release >/dev/null || die "building native-release"
echo "== ring buffer, native"
"$ROOT/build/native-release/bench/ring_buffer_bench" "$mb"
wine_session_start
echo "== ring buffer, Wine 64-bit"
"$ROOT/cmake/wine-run.sh" "$ROOT/build/win64/bench/ring_buffer_bench.exe" "$mb" | tr -d '\r'
if "$ROOT/scripts/can-run-32bit.sh"; then
  echo "== ring buffer, Wine 32-bit"
  "$ROOT/cmake/wine-run.sh" "$ROOT/build/win32/bench/ring_buffer_bench.exe" "$mb" | tr -d '\r'
fi
wine_session_stop
