#!/usr/bin/env bash
# Sets Kasto up, builds it and runs every test headless. Non-zero exit on any failure.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
"$here/scripts/setup.sh"
export QT_QPA_PLATFORM=offscreen
cd "${KASTO_BUILD_DIR:-$here/build}"
ctest --output-on-failure --parallel "$(nproc)" "$@"
