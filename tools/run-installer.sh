#!/usr/bin/env bash
# Builds the installer (the default build: the controller library, port type DLL_USB)
# and runs it under Wine against a simulated QZ-70 on firmware 2.70: the printer
# simulator on 127.91.0.1 with its library channel and spool port, a Wine prefix
# whose spooler queue "Arvane QZ-70" forwards to the simulator, and the stand-in
# library pointed at it. The window opens on your display; without one it runs on a
# virtual display whose screenshot is saved every few seconds. When the installer
# ends, the simulator is stopped and the exit code printed. Arguments go to the
# installer (for instance -i 127.91.0.1 with a network build).
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")/.."

bash tools/setup-debian.sh
jobs=$(nproc)
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$jobs" --target installer add_printer
# The simulator and the spooler's forwarder run on Linux: a small build of their own.
cmake -S . -B build/run-native -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/run-native -j "$jobs" --target printer-sim spool-forward

source tests/wine/wine-session.sh
source tests/wine/printer-sim.sh
run_dir=$PWD/build/wine-run
mkdir -p "$run_dir"
installer=build/windows/res/$(sed -n 's/^TARNEL_FILE_NAME:STRING=//p' build/windows/CMakeCache.txt)
port_type=$(sed -n 's/^TARNEL_PORT_TYPE:STRING=//p' build/windows/CMakeCache.txt)

# SNMP on UDP 161 and LPD on TCP 515 need root.
sudo=""
[ "$(id -u)" -ne 0 ] && sudo=sudo
address=127.91.0.1
$sudo rm -rf "$run_dir/printer"
$sudo build/run-native/tools/printer-sim/printer-sim --address "$address" --version 2.70 \
    --status-format 0 --sub-power off --log-dir "$run_dir/printer" >"$run_dir/printer.out" 2>&1 &
simulator=$!
stop_everything() {
    control "$address" quit >/dev/null 2>&1 || true
    wait "$simulator" 2>/dev/null || true
    kill "${SHOOTER_PID:-}" 2>/dev/null || true
    stop_session_processes
}
trap stop_everything EXIT
trap 'exit 143' TERM INT
for _ in $(seq 100); do
    grep -q ' ready$' "$run_dir/printer/events.log" 2>/dev/null && break
    kill -0 "$simulator" 2>/dev/null || { cat "$run_dir/printer.out"; exit 1; }
    sleep 0.1
done
grep -q ' ready$' "$run_dir/printer/events.log" || { echo "the simulator did not start"; exit 1; }

export WINEPREFIX=$run_dir/prefix
bash tests/wine/make-prefix.sh "$WINEPREFIX"
export TARNEL_STANDIN_ENDPOINT=$address:9600
if [ -z "${DISPLAY:-}" ]; then
    mkdir -p build/screenshots
    start_xvfb "$run_dir/display"
    echo "No display: the installer runs on the virtual display $DISPLAY."
    echo "Its screenshot is refreshed every 3 s in build/screenshots/installer.png"
    echo "(or watch it live with a VNC server on that display); press Ctrl+C to stop."
    (while sleep 3; do import -display "$DISPLAY" -window root build/screenshots/installer.png 2>/dev/null; done) &
    SHOOTER_PID=$!
else
    # The prefix leaves windows unmanaged for the tests; on a desktop they get frames.
    "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d Y /f >/dev/null 2>&1
fi
"$WINE" build/windows/tools/spooler-setup/add-printer.exe \
    "|$PWD/build/run-native/tools/printer-sim/spool-forward $address 9200" | tr -d '\r'

echo "The simulated printer: a QZ-70 on firmware 2.70 at $address (port type of this build: $port_type)."
echo "Its log: $run_dir/printer/events.log. Play with it while the installer runs, e.g."
echo "  exec 3<>/dev/tcp/$address/10000; echo 'set sub-power on' >&3; head -n1 <&3"
status=0
"$WINE" "$installer" "$@" || status=$?
echo "The installer ended with exit code $status."
exit "$status"
