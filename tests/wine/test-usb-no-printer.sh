# The USB port on Wine's real registry, SetupAPI and file API, where no USB printer
# exists: every operation returns 0 promptly, first with nothing registered, then
# with a supported printer registered as Windows records one that was unplugged.
set -euo pipefail
here=$(dirname "$(readlink -f "$0")")
source "$here/wine-session.sh"
wine_session_start

class=28d78fad-5a12-11d1-ae5b-0000f803a8c2
failures=$'GetDeviceId 0\nBeginUpdate 0\nSendData 0\nSendData(length 0) 0'

probe_reports() {
    local expected=$1 actual
    actual=$(wine_run 60 "$TARNEL_USB_PROBE_EXE" </dev/null | tr -d '\r')
    if [ "$actual" != "$expected" ]; then
        printf 'expected:\n%s\nactual:\n%s\n' "$expected" "$actual"
        exit 1
    fi
}

probe_reports "class "$'\n'"$failures"

key="HKLM\\SYSTEM\\CurrentControlSet\\Control\\DeviceClasses\\{$class}"
key+="\\##?#USB#VID_1A7E&PID_0316#T1#{$class}"
wine_run 60 reg add "$key" /v DeviceInstance /t REG_SZ /d 'usb\vid_1a7e&pid_0316\T1' /f \
    >/dev/null 2>&1 </dev/null
probe_reports "class $class"$'\n'"$failures"
echo "every USB operation failed cleanly"
