#!/usr/bin/env bash
# Checks the link tables of the built binaries:
#   - Lumisat.exe imports from Quarlink.dll exactly the driver library's 28
#     names (23 plain, 5 decorated) and nothing else from it;
#   - Quarlink.dll exports exactly those 28 names;
#   - Lumisat.exe imports nothing from comdlg32.dll and winmm.dll: the file
#     dialogs and the tone load them when first used, not at the start;
#   - Lumisat.exe and Quarlink.dll have their sections at page boundaries in
#     the file (FileAlignment 0x1000), so that Wine maps them instead of
#     copying them;
#   - Setup.dll exports exactly CheckDriver, DeleteDTV and GetBmpRGB.
# Usage: check_link_tables.sh Lumisat.exe Quarlink.dll Setup.dll
# Prints what is missing and what is unexpected; exits 1 on any mismatch.
set -uo pipefail

OBJDUMP=${OBJDUMP:-i686-w64-mingw32-objdump}

QUARLINK_NAMES="InitDise ReleaseDise GetCIInfo GetDeviceType GetSignalStrAndQu StartFilter StopFilter
SetDataPID GetNetMACAddr SetNetMACAddr SetFilterMAC SetDiseCom1 SetDiseCom2 GotoSat GotoSatPosition
StoreSatPosition DriveEast DriveWest StopMotor GotoZero SetEastLimit SetWestLimit CancelLimit
_LockChannel3@28 _GetMACAddr@4 _GetDataPIDMAC@12 _GetStatsCounters@4 _EnableLimit@0"
SETUP_NAMES="CheckDriver DeleteDTV GetBmpRGB"

if [ $# -ne 3 ]; then
    echo "usage: $0 Lumisat.exe Quarlink.dll Setup.dll" >&2
    exit 2
fi

sorted() {
    tr -s ' \n' '\n\n' | sed '/^$/d' | LC_ALL=C sort
}

# Names imported by file from the named DLL (compared without case).
imports_from() {
    "$OBJDUMP" -p "$1" | awk -v dll="$(echo "$2" | tr 'A-Z' 'a-z')" '
        /^[ \t]*DLL Name:/ { inside = (tolower($3) == dll); next }
        /^[ \t]*$/ { inside = 0; next }
        inside && /Hint\/Ord/ { next }
        inside && NF >= 3 { print $3 }'
}

exports_of() {
    "$OBJDUMP" -p "$1" | awk '
        /\[Ordinal\/Name Pointer\] Table/ { inside = 1; next }
        inside && /^[ \t]*$/ { inside = 0; next }
        inside && /^[ \t]*\[/ { print $NF }'
}

status=0

# compare what expected actual
compare() {
    local what=$1 expected actual missing unexpected
    expected=$(printf '%s\n' "$2" | sorted)
    actual=$(printf '%s\n' "$3" | sorted)
    missing=$(LC_ALL=C comm -23 <(printf '%s\n' "$expected") <(printf '%s\n' "$actual") | sed '/^$/d')
    unexpected=$(LC_ALL=C comm -13 <(printf '%s\n' "$expected") <(printf '%s\n' "$actual") | sed '/^$/d')
    if [ -z "$missing" ] && [ -z "$unexpected" ]; then
        echo "ok: $what ($(printf '%s\n' "$expected" | grep -c .) names)"
        return
    fi
    status=1
    echo "MISMATCH: $what"
    [ -n "$missing" ] && printf '%s\n' "$missing" | sed 's/^/  - missing:    /'
    [ -n "$unexpected" ] && printf '%s\n' "$unexpected" | sed 's/^/  + unexpected: /'
}

check_file() {
    if [ ! -f "$1" ]; then
        echo "MISMATCH: $1 does not exist"
        status=1
        return 1
    fi
    if ! "$OBJDUMP" -p "$1" >/dev/null 2>&1; then
        echo "MISMATCH: $OBJDUMP cannot read $1"
        status=1
        return 1
    fi
}

lumisat=$1 quarlink=$2 setup=$3
check_file "$lumisat" && compare "$(basename "$lumisat") imports from Quarlink.dll" "$QUARLINK_NAMES" "$(imports_from "$lumisat" Quarlink.dll)"
for late in comdlg32.dll winmm.dll; do
    check_file "$lumisat" && compare "$(basename "$lumisat") imports from $late" "" "$(imports_from "$lumisat" $late)"
done
for image in "$lumisat" "$quarlink"; do
    check_file "$image" && compare "$(basename "$image") file alignment" "00001000" \
        "$("$OBJDUMP" -p "$image" | awk '$1 == "FileAlignment" { print $2 }')"
done
check_file "$quarlink" && compare "$(basename "$quarlink") exports" "$QUARLINK_NAMES" "$(exports_of "$quarlink")"
check_file "$setup" && compare "$(basename "$setup") exports" "$SETUP_NAMES" "$(exports_of "$setup")"
exit $status
