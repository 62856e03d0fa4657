# The main window of a network build driven by the robot against a printer simulator:
# step 0 as it opens, Next to step 1 and Back again, every refusal of Next with its
# message and icon, and Cancel in step 1 with its question.
set -eEuo pipefail
here=$(dirname "$(readlink -f "$0")")
source "$here/wine-session.sh"
source "$here/robot.sh"
source "$here/printer-sim.sh"
source "$here/window-test.sh"
wine_session_start
trap 'stop_simulators; wine_session_end' EXIT

printer=127.86.0.1 nobody=127.86.0.2
start_printer printer $printer --status-format 0
title="Arvane Firmware Installer"

# step0 / step1: what the window shows in each step.
step0() {
    robot_wait_text "$dialog" 1001 "From -.--  To 2.80" || fail "no step 0"
    expect "step 0 model" "$(robot text "$dialog" 1002)" "Tessaro Series"
    expect "step 0 button" "$(robot text "$dialog" 1)" "&Next"
    expect "step 0 Back" "$(robot state "$dialog" 3)" "disabled visible"
    expect "step 0 address control" "$(robot state "$dialog" 1005)" "enabled visible"
    expect "step 0 focus" "$(robot focus "$dialog")" 1005
}
step1() {
    robot_wait_text "$dialog" 1001 "From 2.70  To 2.80" || fail "no step 1"
    expect "step 1 model" "$(robot text "$dialog" 1002)" "QZ-70"
    expect "step 1 button" "$(robot text "$dialog" 1)" "Install"
    expect "step 1 Back" "$(robot state "$dialog" 3)" "enabled visible"
    expect "step 1 address control" "$(robot state "$dialog" 1005)" "disabled visible"
    expect "step 1 combo box" "$(robot state "$dialog" 1000)" "disabled visible"
}

# next_refused ADDRESS ICON TEXT: Next shows the message box and stays in step 0.
next_refused() {
    robot settext "$dialog" 1005 "$1"
    robot click "$dialog" 1
    expect "message for $1" "$(robot_messagebox_text "$title")" "$3"
    expect "icon for $1" "$(robot messagebox --title "$title" --icon)" "$2"
    robot_answer_messagebox "$title" 1
    step0
}

start_installer "$TARNEL_NETWORK_INSTALLER_EXE"
dialog=$(robot_find_dialog "$title" --has-control 1000 --timeout 20000)

# Without a device file the box offers only the manual entry, and so is disabled.
expect "port label" "$(robot text "$dialog" 1003)" "Ethernet"
expect "combo box" "$(robot combo "$dialog" 1000)" "Input IP Address"
expect "combo box state" "$(robot state "$dialog" 1000)" "disabled visible"
expect "address" "$(robot text "$dialog" 1005)" ""
step0

robot settext "$dialog" 1005 $printer
robot click "$dialog" 1
step1
expect "address in step 1" "$(robot text "$dialog" 1005)" $printer
robot click "$dialog" 3
step0
expect "address after Back" "$(robot text "$dialog" 1005)" $printer

expect "model" "$(control $printer "set model QZ-700")" ok
next_refused $printer warning "This installer doesn't support QZ-700.
Download a proper installer for your printer."
expect "model" "$(control $printer "set model QZ-70")" ok
expect "version" "$(control $printer "set version 2.80")" ok
next_refused $printer information "Current version is 2.80. 
Installation is not necessary."
next_refused $nobody warning "Cannot find a printer.
Fill in IP address again or turn on main power switch."
expect "version" "$(control $printer "set version 2.70")" ok

# A second Next after the refusals makes a new port and reaches step 1 again.
robot settext "$dialog" 1005 $printer
robot click "$dialog" 1
step1
robot click "$dialog" 2
expect "question" "$(robot_messagebox_text "$title")" "Are you sure to exit without installation?"
expect "question icon" "$(robot messagebox --title "$title" --icon)" none
expect "question buttons" "$(robot messagebox --title "$title" --buttons)" "6	&Yes
7	&No"
robot_answer_messagebox "$title" 7
step1
kill -0 "$installer" 2>/dev/null || fail "No to the question ended the program"

robot click "$dialog" 2
robot_answer_messagebox "$title" 6
status=0
wait "$installer" || status=$?
expect "exit code after Yes" "$status" 1
echo "the main window detects, refuses with the right messages, goes back and cancels"
