# shellcheck shell=bash
# Helpers for Wine test scripts that drive the installer with the UI robot. Source it:
#
#   . tests/wine/robot.sh
#
# The caller sets WINEPREFIX, DISPLAY and TARNEL_ROBOT_EXE (the path of uirobot.exe), and
# has the display and prefix running; nothing here starts them. TARNEL_WINE overrides the
# Wine loader (default /usr/lib/wine/wine64).
#
# Every function returns the robot's status: 0 success, 1 timed out or not found, 2 bad
# usage. Arguments that are not ASCII reach the robot only under a UTF-8 locale (Wine
# decodes the command line with the locale's character set); output is UTF-8 always.
#
#   robot ARGS...                          run the robot (see `robot --help`)
#   robot_find_dialog TITLE [FIND-OPTS]    handle of a dialog captioned TITLE that is not a
#                                          message box, e.g. --has-control 1000 --timeout 5000
#   robot_find_messagebox TITLE [FIND-OPTS]
#                                          handle of the message box captioned TITLE
#   robot_messagebox_text TITLE [MS]       text of that message box
#   robot_answer_messagebox TITLE ID [MS]  press button ID of the message box and wait until
#                                          it is gone
#   robot_wait_text HWND ID TEXT [MS]      wait until control ID shows exactly TEXT

# The robot's output without the CRs that a Windows program's text may carry.
robot() {
    local var
    for var in WINEPREFIX DISPLAY TARNEL_ROBOT_EXE; do
        if [[ -z "${!var:-}" ]]; then
            echo "robot: $var is not set" >&2
            return 2
        fi
    done
    WINEDEBUG="${WINEDEBUG:--all}" "${TARNEL_WINE:-/usr/lib/wine/wine64}" "$TARNEL_ROBOT_EXE" "$@" |
        tr -d '\r'
    return "${PIPESTATUS[0]}"
}

robot_find_dialog() {
    local title="$1"
    shift
    robot find --title "$title" --no-control 65535 "$@"
}

robot_find_messagebox() {
    local title="$1"
    shift
    robot find --title "$title" --has-control 65535 "$@"
}

robot_messagebox_text() {
    robot messagebox --title "$1" --timeout "${2:-10000}"
}

# Without a window manager Wine waits about 2 s for every top-level window it hides or
# destroys, unless the prefix has HKCU\Software\Wine\X11 Driver "Managed"="N".
robot_answer_messagebox() {
    local title="$1" id="$2" timeout="${3:-10000}" box
    box=$(robot_find_messagebox "$title" --timeout "$timeout") || return
    robot click "$box" "$id" || return
    robot wait-gone "$box" --timeout "$timeout"
}

# Posted clicks take effect after the robot has returned, so a check of their outcome
# polls. Each robot start costs about 0.1 s under Wine, which sets the pace.
robot_wait_text() {
    local window="$1" id="$2" want="$3" timeout_ms="${4:-10000}" got status
    local deadline=$((${EPOCHREALTIME//[.,]/} / 1000 + timeout_ms))
    while :; do
        got=$(robot text "$window" "$id")
        status=$?
        if ((status == 2)); then
            return 2
        fi
        if ((status == 0)) && [[ "$got" == "$want" ]]; then
            return 0
        fi
        if ((${EPOCHREALTIME//[.,]/} / 1000 >= deadline)); then
            echo "robot: control $id of $window shows \"$got\", not \"$want\"" >&2
            return 1
        fi
        sleep 0.05
    done
}
