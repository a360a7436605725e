#!/usr/bin/env bash
# Starts Kasto on a virtual screen (Xvfb) and writes a PNG of the screen, so the program can be
# seen without a desktop. Usage: scripts/screenshot.sh [OUT.png] [SECONDS]
#   OUT.png  where the picture goes (default: screenshots/kasto.png)
#   SECONDS  how long to wait for the window (default: 3)
# KASTO_SHOT_CMD may name another program to start instead of kasto (it runs with DISPLAY set).
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out=${1:-$here/screenshots/kasto.png}
wait=${2:-3}
"$here/scripts/setup.sh" --screenshot-tools
mkdir -p "$(dirname "$out")"

display=:$(( 90 + RANDOM % 100 ))
Xvfb "$display" -screen 0 800x500x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $app $xvfb 2>/dev/null || true' EXIT
sleep 1
export DISPLAY=$display
export QT_QPA_PLATFORM=xcb
${KASTO_SHOT_CMD:-"${KASTO_BUILD_DIR:-$here/build}/src/app/kasto"} &
app=$!
sleep "$wait"
# The newest top-level window of the program; the whole screen when none is found.
win=$(xwininfo -root -children 2>/dev/null | awk '/"(KASTO|Kasto|Archiv|frm|Split|SFX)/ {id=$1} END {print id}')
import -window "${win:-root}" "$out"
echo "$out"
