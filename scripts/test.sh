#!/usr/bin/env bash
# Installs what is missing, builds both trees and runs every test: the native
# rules under the sanitizers (with bounded fuzzing), then the Windows tests
# under Wine. Exits non-zero when any test fails.
set -uo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh || exit 1
bash scripts/build.sh all || exit 1

source scripts/wine-env.sh
ensure_display
ensure_prefix

status=0
echo "== Native tests (AddressSanitizer, UndefinedBehaviorSanitizer, fuzzing) =="
ctest --test-dir build/native --output-on-failure || status=1
echo "== Windows tests under Wine =="
ctest --test-dir build/win --output-on-failure || status=1
wineserver -k 2>/dev/null || true
exit $status
