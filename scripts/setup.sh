#!/usr/bin/env bash
# Installs what Kasto needs on Debian 12 (only what is missing), then configures and builds.
# Idempotent and quiet when everything is there. Usage: scripts/setup.sh [--no-build] [--screenshot-tools]
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${KASTO_BUILD_DIR:-$here/build}

packages=(build-essential cmake ninja-build pkg-config
          qt6-base-dev qt6-svg-dev qt6-translations-l10n libzip-dev zlib1g-dev nettle-dev
          g++-mingw-w64-x86-64 libz-mingw-w64-dev
          zip unzip 7zip)
do_build=1
for arg in "$@"; do
  case "$arg" in
    --no-build) do_build=0 ;;
    --screenshot-tools) packages+=(xvfb x11-utils imagemagick fonts-dejavu-core) ;;
    *) echo "setup.sh: unbekannte Option $arg" >&2; exit 2 ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  if [ "$(id -u)" -eq 0 ]; then sudo=(); elif command -v sudo >/dev/null; then sudo=(sudo); else
    echo "setup: missing packages (${missing[*]}); run this script as root or install them with apt-get." >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  "${sudo[@]}" apt-get update -qq >/dev/null
  "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

[ "$do_build" -eq 1 ] || exit 0

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
# Quiet when the build succeeds; the whole log when it fails.
if ! log=$(cmake --build "$build" --parallel "$(nproc)" 2>&1); then
  # CMake 3.25 with Ninja may miss headers that gained Q_OBJECT after the last moc run (for
  # instance after a merge); one more pass with the moc steps marked stale mends that.
  find "$build" -path '*_autogen/timestamp' -delete
  if ! log=$(cmake --build "$build" --parallel "$(nproc)" 2>&1); then
    printf '%s\n' "$log" >&2
    echo "setup: build failed" >&2
    exit 1
  fi
fi
