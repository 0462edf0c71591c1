#!/usr/bin/env bash
# Runs the benchmarks by hand: the Win32 measurements of Lumisat under Wine
# (start-up, peak working set, Lock Test latency, idle CPU; each against a
# baseline measured in the same run; the scans' own time per step) and the
# native message-lookup and database benchmarks.
# Prints the machine and the medians. Takes about 15 minutes (the idle
# measurement alone 10 x 60 s).
# Usage: bench/run.sh [--rounds N] [--idle-seconds S] [--only startup|lock|idle|scan|memory|native]
# BENCH_TREE=<dir> measures another Windows build tree than the one Wine runs here.
# BENCH_BEFORE=<dir> also measures an earlier build tree (the sources at an
# earlier commit, e.g. in a worktree of their own), in turns with this one and
# the baselines, and prints both builds' figures side by side.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-env.sh
tree=${BENCH_TREE:-$WINE_TREE}
before=${BENCH_BEFORE:-}

only=""
args=("$@")
for ((i = 0; i < ${#args[@]}; i++)); do
    [ "${args[$i]}" = --only ] && only=${args[$((i + 1))]:-}
done

echo "== Machine =="
echo "cores: $(nproc); cpu: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//')"
echo "kernel: $(uname -r); $("$WINE" --version); Windows build: $tree"
if [ -n "$before" ]; then
    before=$(cd "$before" && pwd)
    before_source=$(sed -n 's/^CMAKE_HOME_DIRECTORY:INTERNAL=//p' "$before/CMakeCache.txt")
    echo "before: $before ($(git -C "$before_source" log -1 --format='%h %s' | cut -c1-72))"
fi
echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"

if [ "$only" != native ]; then
    [ -f "$tree/build.ninja" ] || bash scripts/build.sh wine
    cmake --build "$tree" --target lumisat_bench MinimalDialog Lumisat Quarlink >/dev/null
    tree=$(cd "$tree" && pwd)
    if [ -n "$before" ]; then
        cmake --build "$before" --target Lumisat Quarlink >/dev/null
        export LUMISAT_BEFORE_BIN="$before/bin" LUMISAT_BEFORE_SOURCE="$before_source"
    fi
    ensure_display
    # A prefix of its own: the end-to-end tests reset the settings key in theirs.
    export WINEPREFIX="$tree/bench-prefix"
    ensure_prefix
    # A Wine virtual desktop: without a window manager, Wine waits about 2 s
    # for every top-level window it hides (the lock's wait dialog among them),
    # which no Windows desktop does.
    "$WINE" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Bench /f >/dev/null 2>&1
    "$WINE" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Bench /d 1024x768 /f >/dev/null 2>&1
    # The benchmark program keeps this prefix's server up while it starts the others.
    trap '/usr/lib/wine/wineserver -k 2>/dev/null || true; [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null || true' EXIT
    echo "== Win32 benchmarks (medians; each against its baseline in the same run) =="
    LUMISAT_BIN="$tree/bin" LUMISAT_SOURCE="$PWD" "$WINE" "$tree/bin/lumisat_bench.exe" "$@"
fi

if [ -z "$only" ] || [ "$only" = native ]; then
    [ -f build/native/build.ninja ] || bash scripts/build.sh native
    cmake --build build/native --target message_lookup_bench >/dev/null
    echo "== Message lookup (native, 64 KB language file, every message key; medians of 10, interleaved) =="
    build/native/message_lookup_bench --benchmark_repetitions=10 --benchmark_enable_random_interleaving=true \
        --benchmark_report_aggregates_only=true 2>/dev/null | grep -E '_median|^Benchmark|^-'
    cmake --build build/native --target database_bench >/dev/null
    echo "== Database Load and Save against raw reading and writing (native, 100,000 and 400,000 transponders; medians of 10) =="
    build/native/database_bench --benchmark_repetitions=10 --benchmark_report_aggregates_only=true 2>/dev/null |
        grep -E '_median|^Benchmark|^-'
    cmake --build build/native --target list_import_bench >/dev/null
    echo "== Import of a 200-transponder list into a satellite of 200 (native; medians of 10) =="
    build/native/list_import_bench --benchmark_repetitions=10 --benchmark_report_aggregates_only=true 2>/dev/null |
        grep -E '_median|^Benchmark|^-'
fi
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
