#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's own prefix, quietly and with a time limit.
# Used as CMAKE_CROSSCOMPILING_EMULATOR, so plain ctest runs the Windows tests.
#   KX_NEEDS_DISPLAY=1  start a private Xvfb when no DISPLAY is set (tests with windows)
#   KX_WINE_TIMEOUT=N   seconds before the program is killed (default 600)
#   KX_WINEPREFIX=DIR   use this prefix instead of the cached one (parallel work trees)
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
cache="${KX_CACHE_DIR:-$here/../.cache}"
export WINEPREFIX="${KX_WINEPREFIX:-$cache/wineprefix}"
export WINEDEBUG="${KX_WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-winedbg.exe=d;mscoree=d;mshtml=d}"
unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "wine-run: no Wine prefix at $WINEPREFIX; run scripts/setup.sh first" >&2
  exit 125
fi

if [ -n "${KX_NEEDS_DISPLAY:-}" ] && [ -z "${DISPLAY:-}" ]; then
  display=":${KX_XVFB_DISPLAY:-77}"
  if [ ! -e "/tmp/.X${display#:}-lock" ]; then
    setsid Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done
  fi
  export DISPLAY="$display"
fi

# Debian's wine script always starts the 32-bit loader first; 64-bit programs go straight to wine64,
# which also works on machines that cannot run 32-bit x86 code at all.
wine64_loader=/usr/lib/wine/wine64
[ -x "$wine64_loader" ] || wine64_loader=$(command -v wine64 || echo wine)
pe_machine() {
  local offset
  offset=$(od -An -tu4 -j60 -N4 "$1" 2>/dev/null | tr -d ' ')
  [ -n "$offset" ] && od -An -tx2 -j$((offset + 4)) -N2 "$1" 2>/dev/null | tr -d ' '
}
loader=wine
[ "$(pe_machine "$1")" = "8664" ] && loader="$wine64_loader"
if [ "$loader" = wine ] && ! "$here/../scripts/can-run-32bit.sh"; then
  echo "wine-run: this machine cannot run 32-bit x86 code, so $1 cannot run here" >&2
  exit 125
fi

# A wine server started here would inherit ctest's pipes and keep ctest waiting for ever, so the
# session is started detached first. When it already runs, this costs a few milliseconds.
if wineserver -p0 </dev/null >/dev/null 2>&1; then
  timeout 120 "$wine64_loader" cmd /c exit </dev/null >/dev/null 2>&1
fi

exec timeout -k 5 "${KX_WINE_TIMEOUT:-600}" "$loader" "$@"
