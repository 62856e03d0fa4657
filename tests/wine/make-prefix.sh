#!/usr/bin/env bash
# Makes the template Wine prefix that every Wine test copies (about 30 s, once per
# build folder). Usage: make-prefix.sh PREFIX_DIR
set -euo pipefail
template=$1
[ -f "$template/.tarnel-template-ready" ] && exit 0

here=$(dirname "$(readlink -f "$0")")
TARNEL_WINE_TEMPLATE=$template
# shellcheck source=wine-session.sh
source "$here/wine-session.sh"

work=$(mktemp -d /tmp/tarnel-prefix.XXXXXX)
trap 'stop_session_processes; rm -rf "$work"' EXIT
trap 'exit 143' TERM INT
start_xvfb "$work/display"

rm -rf "$template"
mkdir -p "$(dirname "$template")"
export WINEPREFIX=$template
timeout 300 "$WINE" wineboot -i >/dev/null 2>&1 </dev/null
# Without a window manager, unmanaged windows close at once instead of after ~2 s.
timeout 60 "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 </dev/null
timeout 60 "$WINESERVER" -w
touch "$template/.tarnel-template-ready"
