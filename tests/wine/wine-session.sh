# Sourced by the Wine test scripts: a private Wine prefix (a cheap copy of the
# template made by make-prefix.sh) and a private Xvfb display, so that tests can
# run side by side, each with its own wineserver, mutex namespace and windows.
#
# Needs TARNEL_WINE_TEMPLATE. Sets WINEPREFIX, DISPLAY, SESSION_DIR; everything is
# torn down when the sourcing script exits.

WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

# Teardown must not stop half-way: the callers run with errexit.
stop_session_processes() {
    if [ -n "${WINEPREFIX:-}" ]; then
        timeout 20 "$WINESERVER" -k >/dev/null 2>&1 || true
    fi
    if [ -n "${XVFB_PID:-}" ]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
    fi
}

wine_session_end() {
    stop_session_processes
    if [ -n "${SESSION_DIR:-}" ]; then
        rm -rf "$SESSION_DIR"
    fi
    return 0
}

# Starts Xvfb on a free display and exports DISPLAY; fails after 10 s.
start_xvfb() {
    local display_file=$1
    # Its output goes nowhere: a background process holding the caller's pipes would
    # keep a test runner waiting for them to close.
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
    XVFB_PID=$!
    local tries=0
    until [ -s "$display_file" ]; do
        tries=$((tries + 1))
        if [ "$tries" -gt 100 ] || ! kill -0 "$XVFB_PID" 2>/dev/null; then
            echo "Xvfb did not start" >&2
            return 1
        fi
        sleep 0.1
    done
    export DISPLAY=":$(head -n 1 "$display_file")"
}

wine_session_start() {
    if [ ! -f "${TARNEL_WINE_TEMPLATE:?}/.tarnel-template-ready" ]; then
        echo "no Wine template prefix at $TARNEL_WINE_TEMPLATE" >&2
        return 1
    fi
    SESSION_DIR=$(mktemp -d /tmp/tarnel-wine.XXXXXX)
    trap wine_session_end EXIT
    trap 'exit 143' TERM INT
    # Hard links make the copy instant; the registry files are rewritten by
    # wineserver, so they get real copies.
    cp -al "$TARNEL_WINE_TEMPLATE" "$SESSION_DIR/prefix"
    local reg
    for reg in "$TARNEL_WINE_TEMPLATE"/*.reg; do
        cp --remove-destination "$reg" "$SESSION_DIR/prefix/"
    done
    export WINEPREFIX="$SESSION_DIR/prefix"
    start_xvfb "$SESSION_DIR/display"
}

# Runs a Windows program in the session, bounded by the time given in seconds.
wine_run() {
    local seconds=$1
    shift
    timeout --kill-after=5 "$seconds" "$WINE" "$@"
}

# The Windows path of a Unix file, for programs that take paths as arguments.
winepath_of() {
    "$WINE" winepath -w "$1" 2>/dev/null | tr -d '\r'
}
