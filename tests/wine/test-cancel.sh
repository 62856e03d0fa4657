# Without arguments the main window opens; Cancel, and also the close box, end the
# program with exit code 1.
set -euo pipefail
here=$(dirname "$(readlink -f "$0")")
source "$here/wine-session.sh"
source "$here/robot.sh"
wine_session_start

title="Arvane Firmware Installer"
for how in cancel close; do
    wine_run 60 "$TARNEL_INSTALLER_EXE" &
    installer=$!
    dialog=$(robot find --title "$title" --has-control 1000 --timeout 20000)
    [ "$(robot text "$dialog" 2)" = "Cancel" ]
    [ "$(robot text "$dialog" 3)" = "&Back" ]
    if [ "$how" = cancel ]; then
        robot click "$dialog" 2
    else
        robot close "$dialog"
    fi
    status=0
    wait "$installer" || status=$?
    [ "$status" -eq 1 ] || { echo "FAIL: $how ended with $status, expected 1"; exit 1; }
done
echo "Cancel and the close box end with 1"
