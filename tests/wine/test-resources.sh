# The program's resources as compiled: both string tables and the configuration
# exactly as the catalogue writes them, the dialogs, and the version information.
set -euo pipefail
here=$(dirname "$(readlink -f "$0")")
source "$here/wine-session.sh"
wine_session_start

dump="$SESSION_DIR/resources.txt"
wine_run 60 "$TARNEL_RESDUMP_EXE" "$(winepath_of "$TARNEL_INSTALLER_EXE")" | tr -d '\r' >"$dump"

expected="$SESSION_DIR/expected-strings.txt"
"$TARNEL_CATALOGUE_LINES" | LC_ALL=C sort >"$expected"
grep '^string ' "$dump" | LC_ALL=C sort >"$SESSION_DIR/actual-strings.txt"
diff -u "$expected" "$SESSION_DIR/actual-strings.txt"

for line in "dialog 1033 102" "dialog 1041 102" "dialog 0 100" "dialog 0 136" \
    "version FILEVERSION 1.5.1.0" "version FileVersion 1.51" "version InternalName Tarnel" \
    "version ProductVersion $("$TARNEL_CATALOGUE_LINES" | sed -n 's/^string 0 201 //p')" \
    "version OriginalFilename $(basename "$TARNEL_INSTALLER_EXE")"; do
    grep -qxF "$line" "$dump" || { echo "missing: $line"; cat "$dump"; exit 1; }
done
echo "resources match the catalogue"
