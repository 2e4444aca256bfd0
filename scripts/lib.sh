# Shared helpers for the project's scripts. Source it; do not run it.
# shellcheck shell=bash

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
CACHE_DIR="${KX_CACHE_DIR:-$ROOT/.cache}"
DEPS_DIR="$CACHE_DIR/deps"   # installed prefixes: $DEPS_DIR/<width>/{include,lib}
SRC_DIR="$CACHE_DIR/src"     # Debian source packages, one unpacked copy per width
PREFIX_DIR="${KX_WINEPREFIX:-$CACHE_DIR/wineprefix}"  # KX_WINEPREFIX: a prefix of its own
export WINEPREFIX="$PREFIX_DIR"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="winedbg.exe=d;mscoree=d;mshtml=d"
export WINEARCH=win64

# Debian's `wine` always starts the 32-bit loader first; the 64-bit loader works on every machine.
WINE64=/usr/lib/wine/wine64
[ -x "$WINE64" ] || WINE64=$(command -v wine64 || echo wine)

CURRENT_STEP=""

step() {
  CURRENT_STEP="$1"
  printf '==> %s\n' "$1"
}

die() {
  printf 'FAILED at step "%s": %s\n' "$CURRENT_STEP" "$*" >&2
  exit 1
}

on_error() {
  local rc=$?
  printf 'FAILED at step "%s" (exit code %d)\n' "$CURRENT_STEP" "$rc" >&2
  exit "$rc"
}

# Runs a command and prints how long it took, so cached and uncached timings can be compared.
timed() {
  local t0 t1
  t0=$(date +%s.%N)
  "$@"
  t1=$(date +%s.%N)
  printf '    (%s: %.1f s)\n' "$CURRENT_STEP" "$(echo "$t1 - $t0" | bc)"
}

# Starts the prefix's wine server detached from our pipes: a server started by ctest or ninja
# inherits their pipes and keeps them waiting for ever.
wine_session_start() {
  wineserver -p >/dev/null 2>&1 </dev/null || true
  timeout 120 "$WINE64" cmd /c exit </dev/null >/dev/null 2>&1 || true
}

wine_session_stop() {
  wineserver -k >/dev/null 2>&1 </dev/null || true
}
