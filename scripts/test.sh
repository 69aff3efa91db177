#!/usr/bin/env bash
# Installs what is missing, builds both trees and runs every test: the
# portable tests and fuzz targets natively under the sanitizers, everything
# else under Wine.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bash "$top/scripts/setup.sh"
bash "$top/scripts/build.sh" host
bash "$top/scripts/build.sh" win
jobs=${VL_JOBS:-$(nproc)}
status=0
(cd "$top/build/host" && ctest --output-on-failure -j "$jobs") || status=1
(cd "$top/build/win" && ctest --output-on-failure -j "$jobs") || status=1
exit $status
