# Unacceptable command lines end the program with exit code 3 at once: no window
# and no message box (either would keep it running until the time-out).
set -euo pipefail
here=$(dirname "$(readlink -f "$0")")
source "$here/wine-session.sh"
wine_session_start

failures=0
check() {
    local status=0
    wine_run 30 "$TARNEL_INSTALLER_EXE" "$@" || status=$?
    if [ "$status" -ne 3 ]; then
        echo "FAIL: arguments [$*] ended with $status, expected 3"
        failures=$((failures + 1))
    fi
}
check -U
check -i 10.0.0.1 -i 10.0.0.2
check -i 10.0.0.1 -u USB001
check printer
check -x 10.0.0.1
check -i 10.0.0.1 -u
[ "$failures" -eq 0 ]
echo "every unacceptable command line ended with 3"
