# A second start while the first shows its dialog shows message 169 and ends with
# 2; the first goes on unaffected.
set -euo pipefail
here=$(dirname "$(readlink -f "$0")")
source "$here/wine-session.sh"
source "$here/robot.sh"
wine_session_start

title="Arvane Firmware Installer"
wine_run 120 "$TARNEL_INSTALLER_EXE" &
first=$!
dialog=$(robot find --title "$title" --has-control 1000 --timeout 20000)

wine_run 60 "$TARNEL_INSTALLER_EXE" -i 10.0.0.1 &
second=$!
text=$(robot messagebox --title "$title" --timeout 20000)
expected=$'Execution Error.\nThe previous installer is still executing.'
[ "$text" = "$expected" ] || { echo "FAIL: message was [$text]"; exit 1; }
box=$(robot find --title "$title" --has-control 65535)
robot click "$box" 1
status=0
wait "$second" || status=$?
[ "$status" -eq 2 ] || { echo "FAIL: second start ended with $status, expected 2"; exit 1; }

# The first instance still shows its dialog and still answers.
[ "$(robot find --title "$title" --has-control 1000)" = "$dialog" ]
robot click "$dialog" 2
status=0
wait "$first" || status=$?
[ "$status" -eq 1 ] || { echo "FAIL: first instance ended with $status, expected 1"; exit 1; }
echo "second start refused with 169 and 2; first unaffected"
