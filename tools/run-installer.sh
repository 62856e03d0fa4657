#!/usr/bin/env bash
# Builds the installer and opens its window under Wine: on your display when there
# is one, otherwise on a virtual display whose screenshot is saved every few
# seconds to build/screenshots/installer.png.
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")/.."

bash tools/setup-debian.sh
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$(nproc)"

source tests/wine/wine-session.sh
prefix=build/wine-run/prefix
bash tests/wine/make-prefix.sh "$PWD/$prefix"
export WINEPREFIX="$PWD/$prefix"
installer=$(find build/windows/res -maxdepth 1 -name '*.exe' | head -n 1)

if [ -z "${DISPLAY:-}" ]; then
    mkdir -p build/screenshots
    work=$(mktemp -d)
    trap 'kill "${SHOOTER_PID:-}" 2>/dev/null; stop_session_processes; rm -rf "$work"' EXIT
    start_xvfb "$work/display"
    echo "No display: the installer runs on the virtual display $DISPLAY."
    echo "Its screenshot is refreshed in build/screenshots/installer.png; press Ctrl+C to stop."
    (while sleep 3; do import -display "$DISPLAY" -window root build/screenshots/installer.png 2>/dev/null; done) &
    SHOOTER_PID=$!
fi
status=0
"$WINE" "$installer" "$@" || status=$?
echo "The installer ended with exit code $status."
exit "$status"
