#!/usr/bin/env bash
# Brings a Debian 12 machine to a full build: system packages, cross-built dependencies for both
# Windows widths, a Wine prefix, every deliverable in dist/, then the demo run.
# Idempotent: downloads and dependency builds are cached under .cache/ (or $KX_CACHE_DIR).
#
#   scripts/setup.sh            everything, ending with the demo
#   scripts/setup.sh --no-demo  everything but the demo (what the test command needs)
set -euo pipefail
source "$(dirname "$0")/lib.sh"
trap on_error ERR

RUN_DEMO=1
[ "${1:-}" = "--no-demo" ] && RUN_DEMO=0

WIDTHS="i686 x86_64"
triplet() { echo "$1-w64-mingw32"; }

DEB_PACKAGES=(
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine64 wine32:i386 xvfb xauth x11-utils imagemagick
  cmake ninja-build dpkg-dev make bc file
  openjdk-17-jdk-headless googletest
  libtomcrypt-dev libtommath-dev liblzma-dev
  clang libclang-rt-14-dev clang-format
)

install_packages() {
  step "system packages"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
    NEED_UPDATE=1
  fi
  if ! grep -rqs '^Types:.*deb-src\|^deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    # Same mirrors as the binary entries, for apt-get source.
    sed -e 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources \
      >/etc/apt/sources.list.d/project-deb-src.sources 2>/dev/null ||
      die "no /etc/apt/sources.list.d/debian.sources to derive source entries from"
    NEED_UPDATE=1
  fi
  local missing=()
  local p
  for p in "${DEB_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  if [ "${#missing[@]}" -gt 0 ] || [ -n "${NEED_UPDATE:-}" ]; then
    apt-get update -q || die "apt-get update"
  fi
  if [ "${#missing[@]}" -gt 0 ]; then
    echo "    installing: ${missing[*]}"
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}" ||
      die "apt-get install ${missing[*]}"
  fi
  for p in i686-w64-mingw32-g++-posix x86_64-w64-mingw32-g++-posix wine wineserver Xvfb javac cmake ninja; do
    command -v "$p" >/dev/null || die "$p is still missing after the package install"
  done
}

fetch_sources() {
  step "dependency sources (apt-get source)"
  mkdir -p "$SRC_DIR/debian"
  local pkg
  for pkg in libtommath libtomcrypt xz-utils; do
    if ! ls "$SRC_DIR/debian/${pkg}"_*.dsc >/dev/null 2>&1; then
      (cd "$SRC_DIR/debian" && apt-get source --download-only -qq "$pkg" >/dev/null 2>&1) || die "apt-get source $pkg"
    fi
  done
}

# Unpacks a Debian source package (with its patches) into a folder of its own for one width.
unpack_source() {
  local pkg="$1" dest="$2"
  [ -d "$dest" ] && return 0
  local dsc
  dsc=$(ls "$SRC_DIR/debian/${pkg}"_*.dsc | head -1)
  rm -rf "$dest.tmp"
  mkdir -p "$(dirname "$dest")"
  dpkg-source --no-check -x "$dsc" "$dest.tmp" >/dev/null || die "dpkg-source -x $dsc"
  mv "$dest.tmp" "$dest"
}

build_tommath() {
  local w="$1" t src out
  t=$(triplet "$w")
  src="$SRC_DIR/$w/libtommath"
  out="$DEPS_DIR/$w"
  [ -f "$out/lib/libtommath.a" ] && return 0
  unpack_source libtommath "$src"
  make -s -C "$src" -f makefile.unix CC="$t-gcc-posix" AR="$t-ar" RANLIB="$t-ranlib" \
    CFLAGS="-O2" libtommath.a -j"$(nproc)" >/dev/null 2>&1 || die "libtommath for $w"
  mkdir -p "$out/lib" "$out/include"
  cp "$src/libtommath.a" "$out/lib/"
  cp "$src"/tommath*.h "$out/include/"
}

build_tomcrypt() {
  local w="$1" t src out
  t=$(triplet "$w")
  src="$SRC_DIR/$w/libtomcrypt"
  out="$DEPS_DIR/$w"
  [ -f "$out/lib/libtomcrypt.a" ] && return 0
  unpack_source libtomcrypt "$src"
  # Overriding CFLAGS drops the makefile's own math-provider flags, so they are given again.
  make -s -C "$src" -f makefile.unix CC="$t-gcc-posix" AR="$t-ar" RANLIB="$t-ranlib" \
    CFLAGS="-O2 -DLTM_DESC -DUSE_LTM -I$out/include -I$src/src/headers" \
    libtomcrypt.a -j"$(nproc)" >/dev/null 2>&1 || die "libtomcrypt for $w"
  mkdir -p "$out/lib" "$out/include"
  cp "$src/libtomcrypt.a" "$out/lib/"
  cp "$src"/src/headers/tomcrypt*.h "$out/include/"
}

build_lzma() {
  local w="$1" src out bld
  src="$SRC_DIR/$w/xz-utils"
  out="$DEPS_DIR/$w"
  bld="$CACHE_DIR/build-deps/$w/xz"
  [ -f "$out/lib/liblzma.a" ] && return 0
  unpack_source xz-utils "$src"
  cmake -S "$src" -B "$bld" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/toolchain-$w.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF -DBUILD_TESTING=OFF \
    -DKX_NO_EMULATOR=ON >/dev/null || die "configuring liblzma for $w"
  cmake --build "$bld" --target liblzma >/dev/null || die "building liblzma for $w"
  mkdir -p "$out/lib" "$out/include"
  cp "$bld/liblzma.a" "$out/lib/"
  cp -r "$src/src/liblzma/api/lzma.h" "$src/src/liblzma/api/lzma" "$out/include/"
}

build_gtest() {
  local w="$1" out bld
  out="$DEPS_DIR/$w"
  bld="$CACHE_DIR/build-deps/$w/googletest"
  [ -f "$out/lib/libgtest.a" ] && return 0
  cmake -S /usr/src/googletest -B "$bld" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/toolchain-$w.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DBUILD_GMOCK=ON -DINSTALL_GTEST=ON -DCMAKE_INSTALL_PREFIX="$out" \
    -DKX_NO_EMULATOR=ON >/dev/null || die "configuring googletest for $w"
  cmake --build "$bld" --target install >/dev/null || die "building googletest for $w"
}

build_dependencies() {
  local w
  for w in $WIDTHS; do
    step "LibTomMath ($w)"; timed build_tommath "$w"
    step "LibTomCrypt ($w)"; timed build_tomcrypt "$w"
    step "liblzma ($w)"; timed build_lzma "$w"
    step "GoogleTest ($w)"; timed build_gtest "$w"
  done
}

make_prefix() {
  step "Wine prefix"
  if [ ! -f "$PREFIX_DIR/system.reg" ]; then
    mkdir -p "$PREFIX_DIR"
    timeout 300 "$WINE64" wineboot -i </dev/null >/dev/null 2>&1 || die "wineboot -i"
    # Report Windows 10, the system the deliverables are built for.
    timeout 120 "$WINE64" winecfg /v win10 </dev/null >/dev/null 2>&1 || die "winecfg /v win10"
    wineserver -w
  fi
  [ -f "$PREFIX_DIR/drive_c/windows/system32/kernel32.dll" ] || die "the prefix has no system32"
  if ! "$ROOT/scripts/can-run-32bit.sh"; then
    echo "    note: this machine cannot run 32-bit x86 code; 32-bit Windows programs are built but not run"
  fi
}

build_deliverables() {
  local preset
  for preset in win32 win64 native; do
    step "build ($preset)"
    cmake --preset "$preset" >/dev/null || die "configuring preset $preset"
    timed cmake --build --preset "$preset" || die "building preset $preset"
  done
  step "dist/"
  mkdir -p "$ROOT/dist"
  for preset in win32 win64 native; do
    cmake --install "$ROOT/build/$preset" --prefix "$ROOT/dist" --strip >/dev/null || die "installing $preset"
  done
  (cd "$ROOT/dist" && find . -type f | sort | sed 's|^\./|    dist/|')
}

cd "$ROOT"
step "setup"
timed install_packages
timed fetch_sources
build_dependencies
timed make_prefix
build_deliverables
if [ "$RUN_DEMO" = 1 ]; then
  step "demo"
  bash "$ROOT/scripts/demo.sh"
fi
echo "setup complete"
