# The controller-library port under Wine, for real: extraction into Wine's temporary
# folder, the guard, LoadLibraryExW of the cross-built controller stand-in, identity
# and update mode from the printer simulator over the stand-in's channel, and the
# firmware as a RAW job through Wine's spooler to a printer whose port is a pipe.
set -euo pipefail
here=$(dirname "$(readlink -f "$0")")
source "$here/../wine/wine-session.sh"
source "$here/../wine/printer-sim.sh"
wine_session_start
trap 'stop_simulators; wine_session_end' EXIT

address=127.77.41.1
start_printer sim "$address"
events="$SESSION_DIR/sim/events.log"

export TARNEL_STANDIN_ENDPOINT="$address:9600"
received="$SESSION_DIR/received.bin"
expected="$SESSION_DIR/expected.bin"
wine_run 60 "${TARNEL_ADD_PRINTER_EXE:?}" "|cat > '$received'" || { echo "FAIL: no test printer"; exit 1; }
status=0
wine_run 120 "${TARNEL_LIBRARY_PORT_CHECK:?}" "$(winepath_of "$expected")" |
    tr -d '\r' | tee "$SESSION_DIR/check.txt" || status=$?
[ "$status" -eq 0 ] || { echo "FAIL: the check program failed ($status)"; exit 1; }

# The spooler hands the job to the pipe when the document ends; give it time.
for _ in $(seq 100); do
    [ -s "$received" ] && [ "$(stat -c %s "$received")" -ge "$(stat -c %s "$expected")" ] && break
    sleep 0.1
done
cmp "$expected" "$received" || { echo "FAIL: the spooler delivered other bytes"; exit 1; }

grep -q "^identity MDL:QZ-70;" "$SESSION_DIR/check.txt" ||
    { echo "FAIL: no identity from the simulator"; exit 1; }
grep -q "library MODE request: loader mode" "$events" ||
    { echo "FAIL: the simulator saw no mode request"; cat "$events"; exit 1; }
echo "the controller-library port works under Wine: identity, update mode, spooler job"
