#!/usr/bin/env bash
# Sets Kasto up (first time: packages and build) and starts the program.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
"$here/scripts/setup.sh"
exec "${KASTO_BUILD_DIR:-$here/build}/src/app/kasto" "$@"
