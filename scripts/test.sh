#!/usr/bin/env bash
# Runs every test: the portable code natively (AddressSanitizer + UBSan, then ThreadSanitizer) and
# the Windows builds under Wine in the project's prefix, with a private Xvfb for tests with windows.
# Brings the machine up first with the setup script (cached: seconds when nothing changed).
set -uo pipefail
source "$(dirname "$0")/lib.sh"
cd "$ROOT"

bash "$ROOT/scripts/setup.sh" --no-demo || exit 1

step "build (native-tsan)"
cmake --preset native-tsan >/dev/null || die "configuring native-tsan"
cmake --build --preset native-tsan >/dev/null || die "building native-tsan"

# One X server and one Wine session for the whole run, detached from our pipes.
display_number=$((90 + RANDOM % 400))
Xvfb ":$display_number" -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=":$display_number"
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display_number" ] && break; sleep 0.1; done
wine_session_start
finish() {
  wine_session_stop
  kill "$xvfb_pid" 2>/dev/null
  wait "$xvfb_pid" 2>/dev/null
}
trap finish EXIT

passed=0
failed=0
failed_presets=""
run_ctest() {
  local preset="$1"
  shift
  step "tests ($preset)"
  local log
  log=$(mktemp)
  ctest --preset "$preset" -j2 "$@" 2>&1 | tee "$log" | grep -E '^\s*[0-9]+/[0-9]+ Test|tests passed|tests failed|^The following|^\s+[0-9]+ - '
  local summary
  summary=$(grep -E '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -1)
  if [ -z "$summary" ]; then
    echo "    no test summary from ctest ($preset):"
    tail -20 "$log"
    failed=$((failed + 1))
    failed_presets+=" $preset"
  else
    local f total
    f=$(echo "$summary" | sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/')
    total=$(echo "$summary" | sed -E 's/.* failed out of ([0-9]+).*/\1/')
    passed=$((passed + total - f))
    failed=$((failed + f))
    [ "$f" -eq 0 ] || failed_presets+=" $preset"
  fi
  rm -f "$log"
}

run_ctest native
run_ctest native-tsan
run_ctest win64
run_ctest win32
if ! "$ROOT/scripts/can-run-32bit.sh"; then
  echo "NOTE: this machine cannot run 32-bit x86 code, so the 32-bit test programs were built but not run;"
  echo "      the 32-bit deliverables were checked from the outside (image, resources, imports) and the"
  echo "      same sources ran as 64-bit programs under Wine."
fi

echo
[ -z "$failed_presets" ] || echo "failing presets:$failed_presets"
echo "tests: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
