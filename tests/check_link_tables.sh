#!/usr/bin/env bash
# Checks the link tables of the built binaries: Lumisat.exe imports from
# Quarlink.dll exactly the driver library's 28 names (23 plain, 5 decorated)
# and nothing else from it; Quarlink.dll exports exactly those; Setup.dll
# exports exactly CheckDriver, DeleteDTV and GetBmpRGB; Lumisat.exe imports
# nothing from comdlg32.dll and winmm.dll (the file dialogs and the tone load
# them when first used); Lumisat.exe and Quarlink.dll have their sections at
# page boundaries in the file (FileAlignment 0x1000), which Wine maps instead
# of copying. Prints what is missing and what is unexpected; exits 1 on any
# mismatch.
# Usage: check_link_tables.sh Lumisat.exe Quarlink.dll Setup.dll
set -uo pipefail
[ $# -eq 3 ] || { echo "usage: $0 Lumisat.exe Quarlink.dll Setup.dll" >&2; exit 2; }
OBJDUMP=${OBJDUMP:-i686-w64-mingw32-objdump}

QUARLINK_NAMES="InitDise ReleaseDise GetCIInfo GetDeviceType GetSignalStrAndQu StartFilter StopFilter
SetDataPID GetNetMACAddr SetNetMACAddr SetFilterMAC SetDiseCom1 SetDiseCom2 GotoSat GotoSatPosition
StoreSatPosition DriveEast DriveWest StopMotor GotoZero SetEastLimit SetWestLimit CancelLimit
_LockChannel3@28 _GetMACAddr@4 _GetDataPIDMAC@12 _GetStatsCounters@4 _EnableLimit@0"
SETUP_NAMES="CheckDriver DeleteDTV GetBmpRGB"

sorted() { tr -s ' \n' '\n\n' | sed '/^$/d' | LC_ALL=C sort; }
# Names the file imports from the DLL (its name compared without case), or exports.
imports_from() {
    "$OBJDUMP" -p "$1" | awk -v dll="$(echo "$2" | tr 'A-Z' 'a-z')" '
        /^[ \t]*DLL Name:/ { inside = (tolower($3) == dll); next }
        /^[ \t]*$/ { inside = 0; next }
        inside && !/Hint\/Ord/ && NF >= 3 { print $3 }'
}
exports_of() {
    "$OBJDUMP" -p "$1" | awk '/\[Ordinal\/Name Pointer\] Table/ { inside = 1; next }
        inside && /^[ \t]*$/ { inside = 0 } inside && /^[ \t]*\[/ { print $NF }'
}

status=0
check() {   # check <what> <file> <expected names> <command printing the actual names>
    local what=$1 file=$2 expected actual diff
    expected=$(printf '%s\n' "$3" | sorted)
    if [ ! -f "$file" ] || ! actual=$(eval "$4" | sorted) || [ -z "$actual" ]; then
        echo "MISMATCH: $what: $file missing or unreadable by $OBJDUMP"; status=1; return
    fi
    diff=$(LC_ALL=C comm -3 <(printf '%s\n' "$expected") <(printf '%s\n' "$actual") |
           sed -e 's/^\t/  + unexpected: /' -e '/^  + /!s/^/  - missing:    /')
    if [ -z "$diff" ]; then echo "ok: $what ($(printf '%s\n' "$expected" | grep -c .) names)"; return; fi
    echo "MISMATCH: $what"; printf '%s\n' "$diff"; status=1
}

check "$(basename "$1") imports from Quarlink.dll" "$1" "$QUARLINK_NAMES" 'imports_from "$file" Quarlink.dll'
check "$(basename "$2") exports" "$2" "$QUARLINK_NAMES" 'exports_of "$file"'
check "$(basename "$3") exports" "$3" "$SETUP_NAMES" 'exports_of "$file"'
for late in comdlg32.dll winmm.dll; do
    if [ -f "$1" ] && [ -n "$(imports_from "$1" $late)" ]; then
        echo "MISMATCH: $(basename "$1") imports from $late at load"; status=1
    else echo "ok: $(basename "$1") imports nothing from $late"; fi
done
for image in "$1" "$2"; do
    alignment=$([ -f "$image" ] && "$OBJDUMP" -p "$image" | awk '$1 == "FileAlignment" { print $2 }')
    if [ "$alignment" = 00001000 ]; then echo "ok: $(basename "$image") file alignment"
    else echo "MISMATCH: $(basename "$image") file alignment ${alignment:-unreadable}"; status=1; fi
done
exit $status
