# The default build finds its printer through the controller library it carries (our
# stand-in, which reaches the printer simulator): with no printer behind the library
# Next refuses with the USB kind's message, with one it reaches step 1.
set -eEuo pipefail
here=$(dirname "$(readlink -f "$0")")
source "$here/wine-session.sh"
source "$here/robot.sh"
source "$here/printer-sim.sh"
source "$here/window-test.sh"
wine_session_start
trap 'stop_simulators; wine_session_end' EXIT

address=127.86.2.1
export TARNEL_STANDIN_ENDPOINT=$address:9600
title="Arvane Firmware Installer"
start_installer "$TARNEL_INSTALLER_EXE"
dialog=$(robot_find_dialog "$title" --has-control 1000 --timeout 20000)
robot_wait_text "$dialog" 1001 "From -.--  To 2.80" || fail "no step 0"
expect "port label" "$(robot text "$dialog" 1003)" "USB"
expect "combo box" "$(robot combo "$dialog" 1000)" "Automatic Detection"
expect "combo box state" "$(robot state "$dialog" 1000)" "disabled visible"
expect "address control" "$(robot state "$dialog" 1005)" "enabled hidden"

# Nothing listens at the library's endpoint yet.
robot click "$dialog" 1
expect "message" "$(robot_messagebox_text "$title")" "Cannot find a printer.
Connect USB cable with PC and printer or turn on main power switch."
expect "icon" "$(robot messagebox --title "$title" --icon)" warning
robot_answer_messagebox "$title" 1
robot_wait_text "$dialog" 1001 "From -.--  To 2.80" || fail "a refused Next left step 0"
expect "button after the refusal" "$(robot text "$dialog" 1)" "&Next"

start_printer printer $address
robot click "$dialog" 1
robot_wait_text "$dialog" 1001 "From 2.70  To 2.80" || fail "no step 1"
expect "model" "$(robot text "$dialog" 1002)" "QZ-70"
expect "button" "$(robot text "$dialog" 1)" "Install"
expect "Back" "$(robot state "$dialog" 3)" "enabled visible"
grep -q "library connection opened" "$SESSION_DIR/printer/events.log" ||
    fail "the simulator was not asked through the library channel"

robot click "$dialog" 2
robot_answer_messagebox "$title" 6
status=0
wait "$installer" || status=$?
expect "exit code" "$status" 1
echo "the default build detects the printer through its controller library"
