#!/usr/bin/env bash
# Installs what is missing, builds the Windows program and starts it under
# Wine with the simulated card and the demo channel database, inside a Wine
# virtual desktop. Without a display it uses a virtual one, saves a
# screenshot once the program is up, prints where, and stops the program.
# Usage: scripts/run.sh [satellite|cable|terrestrial]
set -euo pipefail
cd "$(dirname "$0")/.."

kind=${1:-satellite}
case "$kind" in
    satellite) ini=Quarlink.ini ;;
    cable) ini=cable.ini ;;
    terrestrial) ini=terrestrial.ini ;;
    *) echo "usage: $0 [satellite|cable|terrestrial]" >&2; exit 2 ;;
esac

bash scripts/install-deps.sh
source scripts/wine-env.sh
bash scripts/build.sh wine
# The settings key and the main dialog's title, as the build read them from
# resources/ProgramIdentity.h.
source "$WINE_TREE/generated/ProgramIdentity.sh"

demo="$PWD/build/demo"
rm -rf "$demo"
mkdir -p "$demo/Language"
cp "$WINE_TREE/bin/Lumisat.exe" "$WINE_TREE/bin/Quarlink.dll" "$demo/"
cp "simulator/demo/$ini" "$demo/Quarlink.ini"
cp simulator/demo/satedata.dll simulator/demo/cabledata.dll simulator/demo/DTTdata.dll "$demo/"
# Lists to try Import... with.
cp "simulator/demo/Astra 19.2E.ini" simulator/demo/cable-channels.conf "$demo/"
cp resources/Language/*.txt "$demo/Language/"
[ -d "$WINE_TREE/Help" ] && cp -r "$WINE_TREE/Help" "$demo/Help"

headless=0
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then headless=1; fi
ensure_display
ensure_prefix

windows_path="Z:$(echo "$demo" | tr / '\\')\\"
"$WINE" reg add "HKCU\\$settings_key_path" /v PATH /t REG_SZ /d "$windows_path" /f >/dev/null 2>&1

cd "$demo"
if [ "$headless" = 0 ]; then
    echo "Starting Lumisat with the simulated $kind card (demo folder: $demo)"
    exec "$WINE" explorer /desktop=Lumisat,1024x768 Lumisat.exe
fi

"$WINE" explorer /desktop=Lumisat,1024x768 Lumisat.exe >/dev/null 2>&1 &
for _ in $(seq 120); do
    xwininfo -root -tree 2>/dev/null | grep -qF "\"$program_title\"" && break
    sleep 0.5
done
sleep 3   # the start-up lock and the first signal reading
shot="$demo/screenshot.png"
import -window root "$shot"
echo "Lumisat is up with the simulated $kind card; screenshot: $shot"
/usr/lib/wine/wineserver -k 2>/dev/null || true
