#!/usr/bin/env bash
# Installs LumisatSetup.exe silently under Wine, checks the installed files and
# the "PATH" values, uninstalls silently and checks that the files are gone:
# once as installed by default, once with the demo without a card.
# Usage: test_installer.sh <LumisatSetup.exe> <source folder> [wine command]
set -u
installer=$1
source_dir=$2
wine_cmd=${3:-wine}
command -v "$wine_cmd" >/dev/null || wine_cmd=/usr/lib/wine/$wine_cmd
: "${WINEPREFIX:?WINEPREFIX must name the Wine prefix of the build tree}"
export WINEDEBUG=${WINEDEBUG:--all}

folder_name=LumisatInstallerTest
win_folder="C:\\$folder_name"
unix_folder="$WINEPREFIX/drive_c/$folder_name"
settings_key='Software\Tavio\Skyfold'
passed=0
failed=0

check() {  # check <description> <command...>
    local description=$1
    shift
    if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAILED: $description"; fi
}

# The "PATH" value of a key, empty when there is none. A 32-bit installer's
# machine-wide value lands in the 32-bit view of a 64-bit prefix.
registry_path() {
    local key
    for key in "$@"; do
        "$wine_cmd" reg query "$key" /v PATH 2>/dev/null | tr -d '\r' | sed -n 's/^ *PATH *REG_SZ *//p'
    done | head -n 1
}
user_path() { registry_path "HKCU\\$settings_key"; }
machine_path() { registry_path "HKLM\\$settings_key" "HKLM\\Software\\Wow6432Node\\Tavio\\Skyfold"; }
# The uninstaller finishes its work after its own file is gone.
eventually() {
    for _ in $(seq 40); do
        "$@" 2>/dev/null && return 0
        sleep 0.25
    done
    "$@"
}
equals() { [ "$1" = "$2" ] || { echo "  expected [$2], got [$1]"; return 1; }; }
equals_now() { equals "$("$1")" "$2"; }

install() {
    "$wine_cmd" "$installer" /S "$@" "/D=$win_folder" || echo "  the installer returned $?"
}

# The silent uninstaller copies itself away and returns at once; the copy
# removes the files, its original last.
uninstall() {
    "$wine_cmd" "$win_folder\\Uninstall.exe" /S
    for _ in $(seq 120); do
        [ -e "$unix_folder/Uninstall.exe" ] || return 0
        sleep 0.5
    done
    echo "  the uninstaller did not finish within 60 s"
}

language_files_installed() {
    local file
    for file in "$source_dir"/resources/Language/*.txt; do
        case $file in *.source.txt) continue ;; esac
        cmp -s "$file" "$unix_folder/Language/$(basename "$file")" || { echo "  missing or different: $file"; return 1; }
    done
    [ ! -e "$unix_folder/Language/English.source.txt" ]
}

rm -rf "$unix_folder"

echo "== default installation"
install
check "Lumisat.exe installed" test -f "$unix_folder/Lumisat.exe"
check "uninstaller written" test -f "$unix_folder/Uninstall.exe"
check "language files installed, their sources not" language_files_installed
check "help folder made" test -d "$unix_folder/Help"
check "no card simulator without the demo" test ! -e "$unix_folder/Quarlink.dll" -a ! -e "$unix_folder/Quarlink.ini"
check "no demo channels without the demo" test ! -e "$unix_folder/satedata.dll"
check "PATH of the current user" equals "$(user_path)" "$win_folder\\"
check "PATH of the machine" equals "$(machine_path)" "$win_folder\\"
uninstall
check "installation folder removed" eventually test ! -e "$unix_folder"
check "PATH of the current user removed" eventually equals_now user_path ""
check "PATH of the machine removed" eventually equals_now machine_path ""

echo "== demo without a card, over channels of the user's own"
mkdir -p "$unix_folder"
echo "the user's channels" > "$unix_folder/satedata.dll"
install /DEMO
check "Lumisat.exe installed" test -f "$unix_folder/Lumisat.exe"
check "card simulator installed" test -f "$unix_folder/Quarlink.dll"
check "simulator configuration installed" cmp -s "$source_dir/simulator/demo/Quarlink.ini" "$unix_folder/Quarlink.ini"
check "the user's channels kept" grep -q "the user's channels" "$unix_folder/satedata.dll"
uninstall
check "program and simulator removed" test ! -e "$unix_folder/Lumisat.exe" -a ! -e "$unix_folder/Quarlink.dll" -a ! -e "$unix_folder/Quarlink.ini"
check "language folder removed" eventually test ! -e "$unix_folder/Language"
check "the user's channels still kept" test -f "$unix_folder/satedata.dll"
rm -rf "$unix_folder"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
