#!/usr/bin/env bash
# Installs, only when missing, everything the build and the tests need, and
# builds libjpeg (library version 62) for the Windows target into a
# project-local prefix that later builds reuse.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
deps="$top/.deps"
mkdir -p "$deps"

packages=(
  g++-mingw-w64-x86-64-posix mingw-w64-tools libz-mingw-w64-dev
  wine64 xvfb xauth x11-apps x11-utils cmake ninja-build googletest
  clang libclang-rt-14-dev zlib1g-dev libjpeg62-turbo-dev
  fonts-dejavu-core fonts-liberation2 fonts-urw-base35 fonts-croscore fonts-noto-core fonts-wine
  dpkg-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

as_root() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }

updated=0
apt_update() { [ $updated = 1 ] || { as_root apt-get update -qq; updated=1; }; }

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  apt_update
  DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# libjpeg for the target, built once from Debian's own source package.
jpeg_prefix="$deps/libjpeg-win64"
if [ ! -f "$jpeg_prefix/lib/libjpeg.a" ]; then
  suite=$(. /etc/os-release && echo "$VERSION_CODENAME")
  src_list=/etc/apt/sources.list.d/vestaline-src.sources
  if ! grep -rqs "^Types:.*deb-src" /etc/apt/sources.list.d/ && ! grep -qs "^deb-src" /etc/apt/sources.list; then
    as_root tee "$src_list" >/dev/null <<SRC
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: $suite $suite-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb-src
URIs: http://deb.debian.org/debian-security
Suites: $suite-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
    updated=0
  fi
  apt_update
  work="$deps/libjpeg-src"
  rm -rf "$work"; mkdir -p "$work"
  (cd "$work" && apt-get source -qq --download-only libjpeg-turbo >/dev/null && dpkg-source -x --no-check ./*.dsc src >/dev/null)
  cmake -S "$work/src" -B "$work/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$jpeg_prefix" \
    -DWITH_SIMD=0 -DENABLE_SHARED=0 -DWITH_TURBOJPEG=0 -DWITH_JPEG8=0 -DWITH_JPEG7=0 >/dev/null
  cmake --build "$work/build" >/dev/null
  cmake --install "$work/build" >/dev/null
  rm -rf "$work"
  echo "setup: libjpeg for the target in $jpeg_prefix"
fi
