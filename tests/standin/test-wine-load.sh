# The controller stand-in DLL, loaded by a Windows program under Wine, answers
# from the printer simulator over its channel and closes the connection when it is
# unloaded.
set -euo pipefail
here=$(dirname "$(readlink -f "$0")")
source "$here/../wine/wine-session.sh"
source "$here/../wine/printer-sim.sh"
wine_session_start
trap 'stop_simulators; wine_session_end' EXIT

address=127.77.22.1
start_printer sim "$address"
events="$SESSION_DIR/sim/events.log"

export TARNEL_STANDIN_ENDPOINT="$address:9600"
output=$(wine_run 60 "${TARNEL_STANDIN_PROBE:?}" "$(winepath_of "${TARNEL_STANDIN_DLL:?}")" |
    tr -d '\r')
expected="version V141
open 1
identity MDL:QZ-70;VER:2.70;MODE:NORMAL;STATUS:02040000010800000000;
status 0
mode 1
unloaded"
[ "$output" = "$expected" ] || { echo "FAIL: the probe printed:"; echo "$output"; exit 1; }

for _ in $(seq 50); do
    grep -q "library connection ended" "$events" && break
    sleep 0.1
done
grep -q "library MODE request: loader mode" "$events" &&
    grep -q "library connection ended" "$events" ||
    { echo "FAIL: simulator log:"; cat "$events"; exit 1; }
echo "the DLL under Wine reached the simulator and released its connection"
