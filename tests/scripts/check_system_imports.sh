#!/usr/bin/env bash
# Checks that Windows binaries import system DLLs only: the C++ runtime, winpthread and the
# dependencies are linked in statically, so nothing needs to be shipped beside them.
#   check_system_imports.sh <objdump> <binary>...
set -u
objdump="$1"
shift
status=0
for binary in "$@"; do
  imports=$("$objdump" -p "$binary" | sed -n 's/^\s*DLL Name: //p')
  [ -n "$imports" ] || { echo "$binary: no import table found"; status=1; continue; }
  while read -r dll; do
    lower=$(echo "$dll" | tr 'A-Z' 'a-z')
    case "$lower" in
      lib*|*stdc++*|*pthread*|*gcc*|*lzma*|*tom*)
        echo "$binary imports $dll, which is not a system DLL"
        status=1 ;;
    esac
  done <<<"$imports"
  echo "$binary: $(echo $imports)"
done
exit $status
