#!/usr/bin/env bash
# The main job's last step: runs the built launcher under Wine and shows what a user would see.
set -uo pipefail
source "$(dirname "$0")/lib.sh"
cd "$ROOT"

launcher="$ROOT/dist/launcher.exe"
[ -f "$launcher" ] || die "dist/launcher.exe is missing; run scripts/setup.sh"
"$ROOT/scripts/can-run-32bit.sh" && runner=(wine) || runner=()
step "demo"
if [ "${#runner[@]}" -eq 0 ]; then
  # The shipped launcher is 32-bit; on machines without 32-bit support the 64-bit build of the same
  # program shows the run instead.
  launcher="$ROOT/build/win64/launcher/launcher.exe"
  runner=("$WINE64")
  echo "    (this machine cannot run 32-bit x86 code: showing the 64-bit build of the launcher)"
fi
wine_session_start
echo "    \$ launcher.exe"
timeout 60 "${runner[@]}" "$launcher" </dev/null 2>&1 | tr -d '\r' | sed 's/^/    /'
echo "    exit code: ${PIPESTATUS[0]}"
wine_session_stop
