#!/usr/bin/env bash
# Configures (once) and builds one tree: "win" (the program and its tests,
# run under Wine) or "host" (portable libraries under the sanitizers, and the
# fuzz targets).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
tree=${1:?usage: build.sh win|host [targets...]}
shift
dir="$top/build/$tree"
jobs=${VL_JOBS:-$(nproc)}
if [ ! -f "$dir/build.ninja" ]; then
  case "$tree" in
    win)
      cmake -S "$top" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64.cmake" \
        -DCMAKE_CROSSCOMPILING_EMULATOR="$top/scripts/wine-run.sh" >/dev/null ;;
    host)
      CC=clang CXX=clang++ cmake -S "$top" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null ;;
    *) echo "unknown tree $tree" >&2; exit 2 ;;
  esac
fi
cmake --build "$dir" -j "$jobs" ${1:+--target "$@"}
