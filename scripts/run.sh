#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it under Wine.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bash "$top/scripts/setup.sh"
bash "$top/scripts/build.sh" win Vestaline3
# Installs the sample images into the user's folder when they are missing.
"$top/scripts/wine-run.sh" "$top/build/win/app/VestalineSamples.exe"
exec "$top/scripts/wine-run.sh" "$top/build/win/app/Vestaline3.exe" "$@"
