#!/usr/bin/env bash
# Exit status 0 when this machine runs 32-bit x86 Linux programs, which Wine needs for 32-bit
# Windows programs. Some virtual machines run 64-bit code only.
loader=/lib/ld-linux.so.2
[ -e "$loader" ] || exit 1
timeout 10 "$loader" --help >/dev/null 2>&1
