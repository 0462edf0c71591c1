#!/usr/bin/env bash
# Installs what is missing, builds every tree and runs every test: the native
# rules under the sanitizers (with bounded fuzzing), the checks of the i686
# deliverables, then the Windows tests and end-to-end scenarios under Wine
# (ctest's fixtures give them the Wine prefix and an X display). Exits
# non-zero when any test fails.
set -uo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh || exit 1
bash scripts/build.sh all || exit 1

source scripts/wine-env.sh

status=0
echo "== Native tests (AddressSanitizer, UndefinedBehaviorSanitizer, fuzzing) =="
ctest --test-dir build/native --output-on-failure || status=1
if [ "$WINE_TREE" = build/win ]; then
    echo "== Windows tests under Wine (i686) =="
    ctest --test-dir build/win --output-on-failure || status=1
else
    echo "== Checks of the i686 deliverables =="
    ctest --test-dir build/win --output-on-failure -LE wine || status=1
    echo "== Windows tests under Wine (x86_64 build: this kernel runs no 32-bit code) =="
    ctest --test-dir build/win64 --output-on-failure -L wine || status=1
fi
exit $status
