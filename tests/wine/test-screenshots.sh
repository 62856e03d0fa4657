# Screenshots of the main window in step 0 and step 1, in English and in Japanese, saved
# into $TARNEL_ARTIFACTS/screenshots: the default build with the printer found through
# its controller library, step 0 of a network build with a printer in the device file,
# and step 0 on a face colour of its own. Each language runs in a prefix and wineserver
# of its own, started in that language's locale, with the fonts closest to Windows' own.
# The test checks that the texts come from the language's string table and that the
# logo is blended onto the window's face colour; whether the texts fit is for a person
# to see in the pictures.
set -eEuo pipefail
here=$(dirname "$(readlink -f "$0")")
source "$here/wine-session.sh"
source "$here/robot.sh"
source "$here/printer-sim.sh"
source "$here/window-test.sh"

if ! locale -a 2>/dev/null | grep -qix 'ja_JP\.utf-\?8'; then
    echo "FAIL: the ja_JP.UTF-8 locale is not generated (tools/setup-debian.sh does it)"
    exit 1
fi
shots="${TARNEL_ARTIFACTS:?}/screenshots"
mkdir -p "$shots"
title="Arvane Firmware Installer"

# shoot WINDOW NAME: the window, frame included, cropped out of the screen.
shoot() {
    local left top right bottom
    sleep 0.5 # the texts just set must be painted
    read -r left top right bottom <<<"$(robot screen-rect "$1")"
    import -display "$DISPLAY" -window root \
        -crop "$((right - left))x$((bottom - top))+$left+$top" +repage "$shots/$2.png"
}

# pixel X Y: the screen's pixel as "R,G,B".
pixel() {
    import -display "$DISPLAY" -window root -crop "1x1+$1+$2" +repage -depth 8 txt:- |
        sed -n '2s/^[^(]*(\([0-9]*\),\([0-9]*\),\([0-9]*\)).*/\1,\2,\3/p'
}

# logo_corner WINDOW: the logo's top left pixel, which the alpha image makes transparent.
logo_corner() {
    local left top
    read -r left top _ <<<"$(robot screen-rect "$1" 1006)"
    pixel "$left" "$top"
}

# run_language LANGUAGE LOCALE ADDRESS NEXT INSTALL MANUAL-ENTRY NICK-NAME
run_language() {
    local language=$1 locale=$2 address=$3 next=$4 install=$5 manual=$6 nick=$7
    export LANG=$locale LC_ALL=$locale
    wine_session_start
    trap 'stop_simulators; wine_session_end' EXIT
    # Wine's own fonts (Tahoma for the texts, Marlett for the caption buttons): this Wine
    # does not look for them in its data folder, only in the prefix's.
    cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null ||
        fail "no Wine fonts in /usr/share/wine/fonts (Debian package fonts-wine)"
    # Japanese Windows draws its dialogs in the proportional MS UI Gothic; its nearest
    # Debian font is IPA's proportional Gothic (the plain one has fixed-width Latin).
    wine_run 30 reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "MS UI Gothic" \
        /d IPAPGothic /f >/dev/null 2>&1 || fail "cannot replace the Japanese font"
    start_printer printer "$address"
    export TARNEL_STANDIN_ENDPOINT=$address:9600

    local installer dialog status=0
    start_installer "$TARNEL_INSTALLER_EXE"
    dialog=$(robot_find_dialog "$title" --has-control 1000 --timeout 20000)
    robot_wait_text "$dialog" 1001 "From -.--  To 2.80" || fail "no step 0 ($language)"
    expect "Next ($language)" "$(robot text "$dialog" 1)" "$next"
    shoot "$dialog" "main-step0-$language"
    robot click "$dialog" 1
    robot_wait_text "$dialog" 1001 "From 2.70  To 2.80" || fail "no step 1 ($language)"
    expect "Install ($language)" "$(robot text "$dialog" 1)" "$install"
    shoot "$dialog" "main-step1-$language"
    robot click "$dialog" 2
    robot_answer_messagebox "$title" 6
    wait "$installer" || status=$?
    expect "exit code ($language)" "$status" 1

    # The network build with one printer from the device file and the manual entry.
    local device="$WINEPREFIX/drive_c/Inkomar/Inkomar/Device"
    wine_run 30 reg add 'HKLM\SOFTWARE\Arvane\Arvane Inkomar Velmo\Installer' /v InstallPath \
        /t REG_SZ /d 'C:\Inkomar' /reg:32 /f >/dev/null 2>&1 || fail "cannot seed the registry"
    mkdir -p "$device"
    # The address 127.86.3.N as the device file writes it: its bytes read little-endian.
    local uch_ip=$(((${address##*.} << 24) | (3 << 16) | (86 << 8) | 127))
    printf '<DeviceInfo><strNickName>%s</strNickName><strLongModelName>QZ-70</strLongModelName>' \
        "$nick" >"$device/DeviceInfo.xml"
    printf '<uchIP>%s</uchIP></DeviceInfo>' "$uch_ip" >>"$device/DeviceInfo.xml"
    start_installer "$TARNEL_NETWORK_INSTALLER_EXE"
    dialog=$(robot_find_dialog "$title" --has-control 1000 --timeout 20000)
    robot_wait_text "$dialog" 1005 "$address" || fail "no printer from the device file ($language)"
    expect "combo box ($language)" "$(robot combo "$dialog" 1000)" "$nick [ QZ-70 ] 
$manual"
    shoot "$dialog" "network-step0-$language"
    robot click "$dialog" 2
    status=0
    wait "$installer" || status=$?
    expect "exit code of the network build ($language)" "$status" 1

    # On a face colour of its own the logo's transparent corner must take that colour;
    # the template's bitmap would keep the default grey.
    local face="200 220 240"
    wine_run 30 reg add 'HKCU\Control Panel\Colors' /v ButtonFace /d "$face" /f >/dev/null 2>&1 ||
        fail "cannot set the face colour"
    start_installer "$TARNEL_INSTALLER_EXE"
    dialog=$(robot_find_dialog "$title" --has-control 1000 --timeout 20000)
    robot_wait_text "$dialog" 1001 "From -.--  To 2.80" || fail "no step 0 ($language)"
    sleep 0.5
    expect "logo corner on the face colour ($language)" "$(logo_corner "$dialog")" "${face// /,}"
    shoot "$dialog" "face-colour-$language"
    robot click "$dialog" 2
    status=0
    wait "$installer" || status=$?
    expect "exit code on the face colour ($language)" "$status" 1
}

(run_language en C.UTF-8 127.86.3.1 "&Next" "Install" "Input IP Address" "Office")
(run_language ja ja_JP.UTF-8 127.86.3.2 "次へ(&N)" "インストール" "IPアドレス指定" "事務所")
echo "screenshots in $shots"
