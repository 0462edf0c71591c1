#!/usr/bin/env bash
# Installs LumisatSetup.exe silently under Wine and checks what lands where:
# the program in the program folder, what the program opens through "PATH" in
# the data folder C:\ProgramData\Lumisat, "PATH" naming that folder, and the
# rights the installer asks icacls for (Wine keeps no rights on files, so a
# stand-in records the requests). Uninstalls silently and checks that what
# was installed is gone and the users' channel lists and settings stay.
# Usage: test_installer.sh <LumisatSetup.exe> <source folder> <icacls stand-in> [wine command]
set -u
installer=$1
source_dir=$2
icacls_stand_in=$3
wine_cmd=${4:-wine}
command -v "$wine_cmd" >/dev/null || wine_cmd=/usr/lib/wine/$wine_cmd
: "${WINEPREFIX:?WINEPREFIX must name the Wine prefix of the build tree}"
export WINEDEBUG=${WINEDEBUG:--all}

drive_c=$WINEPREFIX/drive_c
folder_name="Lumisat Installer Test"
win_folder="C:\\$folder_name"
unix_folder="$drive_c/$folder_name"
win_data='C:\ProgramData\Lumisat'
data="$drive_c/ProgramData/Lumisat"
# The build tree's Help folder and identifiers lie beside the installer.
help_dir=$(dirname "$installer")/Help
source "$(dirname "$installer")/generated/ProgramIdentity.sh"
# Where the installer puts the program when it is given no folder it takes.
default_folders=("$drive_c/Program Files/Lumisat" "$drive_c/Program Files (x86)/Lumisat")
passed=0
failed=0

check() {  # check <description> <command...>
    local description=$1
    shift
    if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAILED: $description"; fi
}

# Wine's icacls changes nothing; the stand-in records each request in
# C:\icacls.txt and refuses those that contain $ICACLS_REFUSE.
system_folders=()
for folder in "$drive_c/windows/system32" "$drive_c/windows/syswow64"; do
    [ -f "$folder/icacls.exe" ] && system_folders+=("$folder")
done
for folder in "${system_folders[@]}"; do
    # A run cut short has left Wine's own copy aside already.
    [ -f "$folder/icacls.exe.wine" ] || cp "$folder/icacls.exe" "$folder/icacls.exe.wine"
    cp "$icacls_stand_in" "$folder/icacls.exe"
done
clean_up() {
    for folder in "${system_folders[@]}"; do mv -f "$folder/icacls.exe.wine" "$folder/icacls.exe"; done
    rm -f "$drive_c/LumisatSetup.exe" "$drive_c/install.bat" "$drive_c/icacls.txt"
    rm -rf "${default_folders[@]}"
}
trap clean_up EXIT
export ICACLS_RECORD='C:\icacls.txt'
rights_requests="$drive_c/icacls.txt"

# The "PATH" value of a key, empty when there is none. A 32-bit installer's
# machine-wide value lands in the 32-bit view of a 64-bit prefix.
registry_value() {  # registry_value <name> <key...>
    local name=$1 key
    shift
    for key in "$@"; do
        "$wine_cmd" reg query "$key" /v "$name" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$name *REG_SZ *//p"
    done | head -n 1
}
user_path() { registry_value PATH "HKCU\\$settings_key_path"; }
machine_path() { registry_value PATH "HKLM\\$settings_key_path" "HKLM\\Software\\Wow6432Node\\${settings_key_path#Software\\}"; }
user_language() { registry_value Language "HKCU\\$settings_key_path"; }
equals() { [ "$1" = "$2" ] || { echo "  expected [$2], got [$1]"; return 1; }; }
# The uninstaller finishes its work after its own file is gone.
eventually() {
    for _ in $(seq 40); do
        "$@" 2>/dev/null && return 0
        sleep 0.25
    done
    "$@"
}
equals_now() { equals "$("$1")" "$2"; }

# Runs the installer with exactly this command line after its name (a batch
# file passes quotes as they are written); prints its exit code.
install_with() {
    cp "$installer" "$drive_c/LumisatSetup.exe"
    printf 'C:\\LumisatSetup.exe %s\r\nexit /b %%errorlevel%%\r\n' "$1" > "$drive_c/install.bat"
    rm -f "$rights_requests"
    "$wine_cmd" cmd /c 'C:\install.bat' >/dev/null
    echo $?
}
install() { check "installer succeeds" equals "$(install_with "$1")" 0; }

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
        cmp -s "$file" "$data/Language/$(basename "$file")" || { echo "  missing or different: $file"; return 1; }
    done
    [ ! -e "$data/Language/English.source.txt" ]
}
help_installed() {
    local file
    [ -d "$data/Help" ] || return 1
    for file in "$help_dir"/*.chm; do
        [ -e "$file" ] || continue
        cmp -s "$file" "$data/Help/$(basename "$file")" || { echo "  missing or different: $file"; return 1; }
    done
}
program_folder_holds_only_the_program() {
    local names
    names=$(cd "$unix_folder" && ls | sort | tr '\n' ' ')
    equals "$names" "$1"
}
no_data_folder() { [ ! -e "$data" ]; }
nothing_in_default_folders() { [ ! -e "${default_folders[0]}" ] && [ ! -e "${default_folders[1]}" ]; }

# What the installer asks icacls for, in order: the data folder made the
# administrators' alone, the help folder and the banner kept theirs, and
# last the Users' right to modify the rest.
admin_only_folder='/inheritance:r /grant:r *S-1-5-18:(OI)(CI)F *S-1-5-32-544:(OI)(CI)F *S-1-5-32-545:(OI)(CI)RX'
expected_rights="\"$win_data\" /setowner *S-1-5-32-544
\"$win_data\" $admin_only_folder
\"$win_data\\Help\" $admin_only_folder
\"$win_data\\Main.bmp\" /inheritance:r /grant:r *S-1-5-18:F *S-1-5-32-544:F *S-1-5-32-545:RX
\"$win_data\" /grant:r *S-1-5-32-545:(OI)(CI)M"
rights_asked() { equals "$(tr -d '\r' < "$rights_requests" 2>/dev/null)" "$1"; }

rm -rf "$unix_folder" "$data"

echo "== default installation, the folder given as \"/D=...\""
install "/S \"/D=$win_folder\""
check "program folder: the program and its uninstaller" program_folder_holds_only_the_program "Lumisat.exe Uninstall.exe "
check "nothing in the default folder" nothing_in_default_folders
# Without the declaration Windows would divert the i686 program's refused
# saves into the user's VirtualStore.
check "the program asks for no elevation" grep -aq 'requestedExecutionLevel level="asInvoker"' "$unix_folder/Lumisat.exe"
check "data folder: language files, their sources not" language_files_installed
check "data folder: the help" help_installed
check "data folder: the banner" cmp -s "$source_dir/resources/Banner.bmp" "$data/Main.bmp"
check "no demo channels without the demo" test ! -e "$data/satedata.dll" -a ! -e "$data/Astra 19.2E.ini"
check "PATH of the current user" equals "$(user_path)" "$win_data\\"
check "PATH of the machine" equals "$(machine_path)" "$win_data\\"
check "rights: the users may change the data folder but the help and the banner" rights_asked "$expected_rights"
uninstall
check "program folder removed" eventually test ! -e "$unix_folder"
check "data folder removed" eventually no_data_folder
check "PATH of the current user removed" eventually equals_now user_path ""
check "PATH of the machine removed" eventually equals_now machine_path ""

echo "== demo without a card over the users' own channels, the folder given as /D=\"...\""
mkdir -p "$data"
echo "the user's channels" > "$data/satedata.dll"
echo "the user's older channels" > "$data/satedata.dll.bak"
install "/S /DEMO /D=\"$win_folder\""
check "program folder: the program and the card simulator" program_folder_holds_only_the_program \
      "Lumisat.exe Quarlink.dll Quarlink.ini Uninstall.exe "
check "nothing in the default folder" nothing_in_default_folders
check "simulator configuration beside the simulator" cmp -s "$source_dir/simulator/demo/Quarlink.ini" "$unix_folder/Quarlink.ini"
check "data folder: the demo's list" cmp -s "$source_dir/simulator/demo/Astra 19.2E.ini" "$data/Astra 19.2E.ini"
check "the user's channels kept" grep -q "the user's channels" "$data/satedata.dll"
# What the program leaves there: a language file's copy, a save cut short,
# and a setting of the user's.
echo copy > "$data/Language/English.txt.tmp"
echo cut > "$data/~save.new"
"$wine_cmd" reg add "HKCU\\$settings_key_path" /v Language /d German /f >/dev/null
uninstall
check "program and simulator removed" eventually test ! -e "$unix_folder"
check "language folder, copies included, removed" eventually test ! -e "$data/Language"
check "help, banner, the demo's list and the cut save removed" \
      test ! -e "$data/Help" -a ! -e "$data/Main.bmp" -a ! -e "$data/Astra 19.2E.ini" -a ! -e "$data/~save.new"
check "the user's channels and their backup kept" equals "$(cd "$data" && ls | tr '\n' ' ')" "satedata.dll satedata.dll.bak "
check "the user's settings kept" equals "$(user_language)" German
check "PATH of the current user removed" equals "$(user_path)" ""
"$wine_cmd" reg delete "HKCU\\$settings_key_path" /f >/dev/null 2>&1
rm -rf "$data"

echo "== demo into an empty data folder"
install "/S /DEMO /D=$win_folder"
check "the demo's channels installed" cmp -s "$source_dir/simulator/demo/satedata.dll" "$data/satedata.dll"
uninstall
check "the demo's channels, never saved over, removed with the folder" eventually no_data_folder
install "/S /DEMO /D=$win_folder"
echo "saved by a user" > "$data/satedata.dll.new" && mv "$data/satedata.dll.new" "$data/satedata.dll"
uninstall
check "the demo's channels saved over kept" eventually grep -q "saved by a user" "$data/satedata.dll"
rm -rf "$data"

echo "== the rights cannot be set"
export ICACLS_REFUSE='Lumisat\Help'
install "/S /D=$win_folder"
unset ICACLS_REFUSE
check "the program installed all the same" test -f "$unix_folder/Lumisat.exe"
check "no right for the users after a failure" rights_asked "$(printf '%s\n' "$expected_rights" | head -n 4)"
uninstall
rm -rf "$unix_folder" "$data"

echo "== program folders refused"
check "inside the data folder" equals "$(install_with "/S /D=$win_data\\Program")" 2
check "over 245 characters" equals "$(install_with "/S /D=C:\\$(printf 'x%.0s' $(seq 243))")" 2
check "a quoted folder that is no full path" equals "$(install_with "/S \"/D=Lumisat Test\"")" 2
check "nothing installed" test ! -e "$data" -a ! -e "$drive_c/Lumisat Test"
check "245 characters taken" equals "$(install_with "/S /D=C:\\$(printf 'x%.0s' $(seq 242))")" 0
long_folder="$drive_c/$(printf 'x%.0s' $(seq 242))"
check "  and installed there" test -f "$long_folder/Lumisat.exe"
"$wine_cmd" "C:\\$(basename "$long_folder")\\Uninstall.exe" /S
check "  and uninstalled" eventually test ! -e "$long_folder"
rm -rf "$unix_folder" "$long_folder" "$data"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
