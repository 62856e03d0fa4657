# A whole installation from the real window under Wine, in real time: the robot
# chooses the printer, presses Next and Install and reads the progress window and
# the closing message; a printer simulator plays the printer and logs what reached
# it. Usage: test-install.sh SCENARIO (the table below). Each scenario has its own
# prefix, display and simulator address, so that they run side by side.
set -euo pipefail
here=$(dirname "$(readlink -f "$0")")
source "$here/wine-session.sh"
source "$here/printer-sim.sh"
source "$here/robot.sh"

scenario=${1:?usage: test-install.sh SCENARIO}
title="Arvane Firmware Installer"
# The simulator installs for 7 s, so the 2nd completion check (10 s after the
# firmware) confirms; a check at 5 s still sees the loader mode.
sim_options=(--install-time 7000 --status-format 0 --sub-power off)
case $scenario in
    dll_usb) type=DLL_USB address=127.90.0.1 ;;
    ethernet1) type=Ethernet1 address=127.90.0.2 sim_options+=(--status-format -1) ;;
    ethernet2_not_ready) type=Ethernet2 address=127.90.0.3 sim_options+=(--sub-power on) ;;
    ethernet3) type=Ethernet3 address=127.90.0.4 ;;
    ethernet4) type=Ethernet4 address=127.90.0.5 ;;
    dll_ethernet1) type=DLL_Ethernet1 address=127.90.0.6 ;;
    loader_mode_command_line) type=Ethernet4 address=127.90.0.7 sim_options+=(--mode ipl) ;;
    # LPR, whose every data file is acknowledged: the raw socket types cannot tell a
    # reset once the kernel has taken the bytes.
    transfer_cut) type=Ethernet2 address=127.90.0.8 sim_options+=(--fault reset-515 --reset-after 8192) ;;
    never_confirmed) type=Ethernet1 address=127.90.0.9 sim_options+=(--status-format -1 --fault version-stuck) ;;
    never_confirmed_ethernet4) type=Ethernet4 address=127.90.0.10 sim_options+=(--fault version-stuck) ;;
    abort) type=Ethernet3 address=127.90.0.11 ;;
    usb_no_printer) type=USB address="" ;;
    *) echo "unknown scenario $scenario"; exit 2 ;;
esac

if [ "$type" = "${TARNEL_MAIN_PORT_TYPE:?}" ]; then
    installer=$TARNEL_INSTALLER_EXE
else
    installer=${TARNEL_VARIANTS_DIR:?}/$type/$(basename "$TARNEL_INSTALLER_EXE")
fi

wine_session_start
trap 'stop_simulators; wine_session_end' EXIT

# On stderr, so that it is seen also from inside a command substitution.
fail() {
    {
        echo "FAIL ($scenario): $*"
        if [ -f "$SESSION_DIR/printer/events.log" ]; then
            echo "--- the simulator's events"
            cat "$SESSION_DIR/printer/events.log"
        fi
        robot list --visible || true
    } >&2
    exit 1
}

# message ID: the English text of catalogue entry ID.
message() {
    local line
    line=$(grep -m 1 "^string 1033 $1 " "$SESSION_DIR/catalogue.txt") || fail "no message $1"
    printf '%b' "${line#"string 1033 $1 "}"
}

# expect_box ID ICON: the message box shows message ID with ICON; OK closes it.
expect_box() {
    local text icon
    text=$(robot_messagebox_text "$title" "${3:-20000}") || fail "no message box (expected $1)"
    [ "$text" = "$(message "$1")" ] || fail "message [$text], expected $1"
    icon=$(robot messagebox --title "$title" --icon)
    [ "$icon" = "$2" ] || fail "message $1 with icon $icon, expected $2"
    robot_answer_messagebox "$title" 1 || fail "message $1 did not close"
}

# expect_exit CODE: the installer ends by itself with CODE, with no box left open.
expect_exit() {
    local status=0
    wait "$installer_pid" || status=$?
    [ "$status" -eq "$1" ] || fail "the installer ended with $status, expected $1"
}

start_installer() {
    wine_run "$installer_seconds" "$installer" "$@" &
    installer_pid=$!
}

main_dialog() {
    robot find --title "$title" --has-control 1000 --timeout 30000 || fail "no main window"
}

# Next: the address typed in (network builds), then step 1, where Back is enabled.
next_to_install_step() {
    local dialog=$1 tries=0
    if [ -n "$address" ] && [ "$(robot state "$dialog" 1005)" = "enabled visible" ]; then
        robot settext "$dialog" 1005 "$address" >/dev/null || fail "cannot type the address"
    fi
    robot click "$dialog" 1
    until [ "$(robot state "$dialog" 3)" = "enabled visible" ]; do
        tries=$((tries + 1))
        if [ "$tries" -gt 150 ]; then
            robot messagebox --title "$title" --timeout 0 || true
            fail "Next did not reach the install step"
        fi
        sleep 0.2
    done
}

# Install, then the progress window with its first text; prints its handle.
press_install() {
    local dialog=$1 progress
    robot click "$dialog" 1
    progress=$(robot find --title "$title" --has-control 1008 --timeout 20000) ||
        fail "no progress window"
    robot_wait_text "$progress" 1007 "$(message 176)" 10000 >&2 || fail "no text 176"
    echo "$progress"
}

# The installation goes on after the minute of waiting with TEXT in the window.
expect_installing() {
    robot_wait_text "$1" 1007 "$(message "$2")" 90000 || fail "no text $2 after the transfer"
}

expect_installed() {
    [ "$(control "$address" "get version")" = "ok 2.80" ] || fail "the printer does not report 2.80"
}

# --- what reached the printer, for each port type ---
events() { cat "$SESSION_DIR/printer/events.log"; }
# in_order TEXT...: the events hold these lines in this order.
in_order() {
    local last=0 line
    for text in "$@"; do
        line=$(events | grep -n -F -m 1 "$text" | cut -d: -f1) || fail "no event [$text]"
        [ -n "$line" ] && [ "$line" -gt "$last" ] || fail "event [$text] out of order"
        last=$line
    done
}
check_lpr_wire() {
    local code=$1 expect="$SESSION_DIR/expected.bin"
    {
        printf '\002%%lp1 x\n'
        subcommand 510
        "$TARNEL_OPEN_CODE_TEXT" "$code"
        printf '\000'
        subcommand 12
        printf 'PIPE MONITOR\000'
        subcommand 21
        boot_packet
        printf '\000'
    } >"$expect"
    same "$(logged printer -tcp515.bin 1)" "$expect" "the boot job"
    lpr_firmware_job "$payload" >"$expect"
    same "$(logged printer -tcp515.bin 2)" "$expect" "the firmware job"
    [ -z "$(logged printer -tcp515.bin 3)" ] || fail "a third LPR job"
}
check_socket_wire() {
    boot_frame >"$SESSION_DIR/expected.bin"
    same "$(logged printer "-tcp$1.bin")" "$SESSION_DIR/expected.bin" "the boot frame on $1"
    same "$(logged printer -tcp9100.bin)" "$payload" "the firmware on 9100"
    [ -z "$(logged printer -tcp9100.bin 2)" ] || fail "a second connection on 9100"
}
check_wire() {
    case $type in
        Ethernet1) check_lpr_wire 0 ;;
        Ethernet2) check_lpr_wire 1 ;;
        Ethernet3) check_socket_wire 9101 ;;
        Ethernet4) check_socket_wire 9500 ;;
        DLL_USB)
            in_order "library MODE request: loader mode" "spooler job of $(stat -c %s "$payload") bytes"
            same "$(logged printer -tcp9200.bin)" "$payload" "the spooler job"
            ;;
        DLL_Ethernet1)
            in_order "library UPDATE request: loader mode" "connection on TCP 9100"
            same "$(logged printer -tcp9100.bin)" "$payload" "the firmware on 9100"
            ;;
    esac
}

# --- the printer ---
"$TARNEL_CATALOGUE_LINES" >"$SESSION_DIR/catalogue.txt"
payload="$SESSION_DIR/payload.bin"
"$TARNEL_MKPUF" unpack "$TARNEL_FIRMWARE_CONTAINER_FILE" "$payload" || fail "cannot unpack the firmware"
if [ -n "$address" ]; then
    start_printer printer "$address" "${sim_options[@]}"
    export TARNEL_STANDIN_ENDPOINT="$address:9600"
fi
if [ "$type" = DLL_USB ]; then
    wine_run 60 "$TARNEL_ADD_PRINTER_EXE" "|$TARNEL_SPOOL_FORWARD $address 9200" >/dev/null ||
        fail "cannot add the spooler queue"
fi
installer_seconds=200

# --- the scenarios ---
case $scenario in
    dll_usb | ethernet1 | ethernet3 | ethernet4 | dll_ethernet1)
        start_installer
        dialog=$(main_dialog)
        next_to_install_step "$dialog"
        progress=$(press_install "$dialog")
        expect_installing "$progress" 177
        expect_box 180 information 30000
        expect_exit 0
        check_wire
        expect_installed
        ;;
    ethernet2_not_ready)
        start_installer
        dialog=$(main_dialog)
        next_to_install_step "$dialog"
        robot click "$dialog" 1
        expect_box 165 warning
        [ "$(robot state "$dialog" 3)" = "enabled visible" ] || fail "not in the install step after 165"
        [ "$(control "$address" "set sub-power off")" = "ok" ] || fail "the simulator refused sub-power off"
        progress=$(press_install "$dialog")
        expect_installing "$progress" 177
        expect_box 180 information 30000
        expect_exit 0
        check_wire
        expect_installed
        ;;
    loader_mode_command_line)
        # A deployment tool starts the installer for an address and reads its exit code.
        robot run --timeout 190000 "$(winepath_of "$installer")" -i "$address" \
            >"$SESSION_DIR/run.out" 2>&1 &
        installer_pid=$!
        dialog=$(main_dialog)
        [ "$(robot text "$dialog" 1005)" = "$address" ] || fail "the address of -i is not shown"
        next_to_install_step "$dialog"
        progress=$(press_install "$dialog")
        expect_installing "$progress" 178
        expect_box 180 information 30000
        expect_exit 0
        [ "$(cat "$SESSION_DIR/run.out")" = 0 ] || fail "the caller read [$(cat "$SESSION_DIR/run.out")]"
        check_wire
        expect_installed
        ;;
    transfer_cut)
        start_installer
        dialog=$(main_dialog)
        next_to_install_step "$dialog"
        press_install "$dialog" >/dev/null
        expect_box 167 error 90000
        expect_exit 4
        events | grep -q "fault reset-515" || fail "the transfer was not cut"
        [ "$(control "$address" "get version")" = "ok 2.70" ] || fail "the printer changed its version"
        ;;
    never_confirmed | never_confirmed_ethernet4)
        installer_seconds=400
        start_installer
        dialog=$(main_dialog)
        next_to_install_step "$dialog"
        progress=$(press_install "$dialog")
        expect_installing "$progress" 177
        started=$SECONDS
        expected=168
        [ "$type" != Ethernet4 ] || expected=170
        expect_box "$expected" error 240000
        # 36 checks 5 s apart; the first one 5 s after the transfer.
        waited=$((SECONDS - started))
        [ "$waited" -ge 170 ] || fail "gave up after $waited s, before the 36th check"
        expect_exit 4
        [ "$(control "$address" "get version")" = "ok 2.70" ] || fail "the printer changed its version"
        ;;
    abort)
        start_installer
        dialog=$(main_dialog)
        next_to_install_step "$dialog"
        progress=$(press_install "$dialog")
        robot mouse "$progress" self rbuttondblclk --keys lbutton+control+shift
        text=$(robot_messagebox_text "$title") || fail "no question after the abort gesture"
        [ "$text" = "$(message 179)" ] || fail "question [$text], expected 179"
        robot_answer_messagebox "$title" 6 || fail "the question did not close"
        # Any further message would keep the installer running.
        timeout 20 tail --pid="$installer_pid" -f /dev/null || fail "the installer still runs after Yes"
        expect_exit 1
        [ "$(control "$address" "get version")" = "ok 2.70" ] || fail "the printer changed its version"
        [ -z "$(logged printer -tcp9100.bin)" ] || fail "firmware sent after the abort"
        ;;
    usb_no_printer)
        start_installer
        dialog=$(main_dialog)
        robot click "$dialog" 1
        expect_box 162 warning
        [ "$(robot state "$dialog" 3)" = "disabled visible" ] || fail "not in the first step after 162"
        robot click "$dialog" 2
        expect_exit 1
        ;;
esac
echo "PASS ($scenario)"
