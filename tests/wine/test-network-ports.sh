# The network ports built for Windows, run under Wine against printer simulators:
# Winsock's connect, send, receive and UDP behaviour as the installer meets them.
# The program checks the results and bounds it sees; this script checks what the
# printers received.
set -euo pipefail
here=$(dirname "$(readlink -f "$0")")
source "$here/wine-session.sh"
source "$here/printer-sim.sh"
wine_session_start
trap 'stop_simulators; wine_session_end' EXIT


lpr=127.79.0.1 boren=127.79.0.2 salix=127.79.0.3 stalled=127.79.0.4 absent=127.79.0.5
start_printer lpr $lpr --status-format 0
start_printer boren $boren --status-format 0
start_printer salix $salix
start_printer stalled $stalled --fault stall-515 --fault stall-9100
lpr_identity=$(control $lpr "get identity")
boren_identity=$(control $boren "get identity")

firmware="$SESSION_DIR/firmware.bin"
{
    printf 'PUF1070168%22s' 2.80
    head -c 300000 /dev/urandom
} >"$firmware"

output="$SESSION_DIR/wine-ports.txt"
status=0
wine_run 120 "$TARNEL_WINE_PORTS_EXE" "$(winepath_of "$firmware")" \
    $lpr $boren $salix $stalled $absent | tr -d '\r' >"$output" || status=$?
cat "$output"
[ "$status" -eq 0 ] || { echo "FAIL: the port program ended with $status"; exit 1; }
for line in "ok LPR identity: ${lpr_identity#ok }" "ok Boren identity: ${boren_identity#ok }"; do
    grep -qxF "$line" "$output" || { echo "FAIL: missing the line [$line]"; exit 1; }
done
for printer in $lpr $boren; do
    [ "$(control "$printer" "get version")" = "ok 2.80" ] || { echo "FAIL: $printer not updated"; exit 1; }
done
[ "$(control $salix "get mode")" = "ok IPL" ] || { echo "FAIL: Salix boot frame without effect"; exit 1; }

expect="$SESSION_DIR/expected.bin"

# LPR: the boot job, byte for byte around the open code as the printer kept it.
open_code=$(logged lpr -lpd-file1.bin)
if [ "$(stat -c %s "$open_code")" -ne 510 ] || [ "$(head -c 10 "$open_code")" != "OPEN CODE=" ]; then
    echo "FAIL: the first file of the boot job is not an open code"
    exit 1
fi
{
    printf '\002\045\154\160\061\040\170\012'
    subcommand 510
    cat "$open_code"
    printf '\000\00312 x\nPIPE MONITOR\000'
    subcommand 21
    boot_packet
    printf '\000'
} >"$expect"
same "$(logged lpr -tcp515.bin 1)" "$expect" "the LPR boot job"

# LPR: the firmware job.
lpr_firmware_job "$firmware" >"$expect"
same "$(logged lpr -tcp515.bin 2)" "$expect" "the LPR firmware job"

# Boren and Salix: the boot frame on the boot port, the firmware raw on 9100.
boot_frame >"$expect"
same "$(logged boren -tcp9101.bin)" "$expect" "the boot frame on 9101"
same "$(logged salix -tcp9500.bin)" "$expect" "the boot frame on 9500"
same "$(logged boren -tcp9100.bin)" "$firmware" "the firmware on 9100"
echo "the ports under Wine reached every printer as expected"
