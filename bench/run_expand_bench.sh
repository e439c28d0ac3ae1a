#!/usr/bin/env bash
# Builds the expansion benchmark (64-bit, optimised as the program is) and
# runs it under Wine: time per expansion of a representative line over a
# million expansions, and per character for lines of growing length.
#   bench/run_expand_bench.sh [BUILD_DIR]     (default /tmp/setup32-bench)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-/tmp/setup32-bench}
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" -DSETUP32_TESTS=ON >/dev/null
cmake --build "$build" -j2 --target expand_bench >/dev/null
bash "$root/tests/tools/winerun.sh" --timeout 900 "$build/bench/expand_bench.exe"
