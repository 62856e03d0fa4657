# The printers that the print-management software recorded, found as the real program
# finds them: its install path in the prefix's registry (the 32-bit view), the device
# file under it. The fitting network records fill the combo box in the box's order, the
# selection drives the address control, and Next reaches the selected printer.
set -eEuo pipefail
here=$(dirname "$(readlink -f "$0")")
source "$here/wine-session.sh"
source "$here/robot.sh"
source "$here/printer-sim.sh"
source "$here/window-test.sh"
wine_session_start
trap 'stop_simulators; wine_session_end' EXIT

# uch_ip A.B.C.D [signed]: the address's bytes in network order read as a little-endian
# 32-bit number, unsigned or (as a signed writer would) negative past 2147483647.
uch_ip() {
    local a b c d value
    IFS=. read -r a b c d <<<"$1"
    value=$((a | b << 8 | c << 16 | d << 24))
    if [ "${2:-}" = signed ] && ((value > 2147483647)); then
        value=$((value - 4294967296))
    fi
    echo "$value"
}

install_path='C:\Arvane\Inkomar Velmo'
wine_run 30 reg add 'HKLM\SOFTWARE\Arvane\Arvane Inkomar Velmo\Installer' /v InstallPath \
    /t REG_SZ /d "$install_path" /reg:32 /f >/dev/null 2>&1 || fail "cannot seed the registry"
device_dir="$WINEPREFIX/drive_c/Arvane/Inkomar Velmo/Inkomar/Device"
mkdir -p "$device_dir"
# record NICK MODEL FIELDS: one DeviceInfo element, as the software writes it.
record() {
    printf '<DeviceInfo><strNickName>%s</strNickName><strLongModelName>%s</strLongModelName>' \
        "$1" "$2"
    printf '%s</DeviceInfo>\r\n' "$3"
}
# In file order: a nicknamed QZ-70, an unnamed one (address past the signed range,
# written negative), a QZ-700 and a USB printer; only the first two are offered.
{
    printf '\357\273\277<?xml version="1.0" encoding="utf-8"?>\r\n<ArrayOfDeviceInfo>\r\n'
    record B QZ-70 "<ePortType>0</ePortType><uchIP>$(uch_ip 127.86.1.1)</uchIP>"
    record "" "Arvane QZ-70" "<ePortType>0</ePortType><uchIP>$(uch_ip 127.86.1.200 signed)</uchIP>"
    record C QZ-700 "<ePortType>0</ePortType><uchIP>$(uch_ip 127.86.1.3)</uchIP>"
    record D QZ-70 "<ePortType>1</ePortType><strUSBPortName>USB001</strUSBPortName>"
    printf '</ArrayOfDeviceInfo>\r\n'
} >"$device_dir/DeviceInfo.xml"

start_printer printer 127.86.1.1 --status-format 0
title="Arvane Firmware Installer"
start_installer "$TARNEL_NETWORK_INSTALLER_EXE"
dialog=$(robot_find_dialog "$title" --has-control 1000 --timeout 20000)
robot_wait_text "$dialog" 1001 "From -.--  To 2.80" || fail "no step 0"

expect "combo box" "$(robot combo "$dialog" 1000)" "Arvane QZ-70 
B [ QZ-70 ] 
Input IP Address"
expect "selection" "$(robot combo "$dialog" 1000 --selected)" 0
expect "combo box state" "$(robot state "$dialog" 1000)" "enabled visible"
# choose INDEX ADDRESS STATE: the address control after choosing an entry.
choose() {
    robot select "$dialog" 1000 "$1"
    robot_wait_text "$dialog" 1005 "$2" 5000 || fail "entry $1 gives another address"
    expect "address control for entry $1" "$(robot state "$dialog" 1005)" "$3"
}
robot_wait_text "$dialog" 1005 127.86.1.200 5000 || fail "the first entry's address is not shown"
expect "address control" "$(robot state "$dialog" 1005)" "disabled visible"
choose 1 127.86.1.1 "disabled visible"
# The manual entry unlocks the control and keeps the last address in it.
choose 2 127.86.1.1 "enabled visible"
expect "focus after the manual entry" "$(robot focus "$dialog")" 1005
choose 1 127.86.1.1 "disabled visible"

robot click "$dialog" 1
robot_wait_text "$dialog" 1001 "From 2.70  To 2.80" || fail "Next did not reach the chosen printer"
expect "model in step 1" "$(robot text "$dialog" 1002)" "QZ-70"
robot click "$dialog" 3
robot_wait_text "$dialog" 1001 "From -.--  To 2.80" || fail "Back did not return to step 0"
expect "combo box after Back" "$(robot state "$dialog" 1000)" "enabled visible"

# Cancel in step 0 asks nothing.
robot click "$dialog" 2
status=0
wait "$installer" || status=$?
expect "exit code after Cancel" "$status" 1
echo "the device file in the registry's install path fills the combo box"
