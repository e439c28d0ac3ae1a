#!/usr/bin/env bash
# Copy benchmark: installs a tree of 2,000 files of 4 KiB and a tree of 20
# files of 10 MiB with a [CopyFiles] section (quiet, and with the status
# window), next to a plain CopyFileA loop over the same trees under the same
# Wine, and prints files per second and MB per second.
#
#   bench/copy_bench.sh [BUILD_DIR]     (default: build/win64)
#
# Targets: the quiet install within 1.3 times the plain loop's time for the
# small files and 1.2 times for the large ones.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
build=${1:-$root/build/win64}
exe=$build/SETUP32.EXE
[[ -f $exe ]] || { echo "copy_bench: $exe not found (build first)" >&2; exit 1; }
cxx=$(command -v x86_64-w64-mingw32-g++-posix || command -v x86_64-w64-mingw32-g++)

work=$(mktemp -d /tmp/setup32-copybench.XXXXXX)
trap 'rm -rf "$work"' EXIT
"$cxx" -O2 -std=c++17 -static -o "$work/copy_bench.exe" "$here/copy_bench.cpp"
cp "$exe" "$work/SETUP32.EXE"

mkdir -p "$work/small" "$work/large"
head -c $((2000 * 4096)) /dev/urandom > "$work/small.bin"
split -a 4 -d -b 4096 "$work/small.bin" "$work/small/F"
rm "$work/small.bin"
for i in $(seq -w 1 20); do head -c $((10 * 1024 * 1024)) /dev/urandom > "$work/large/L$i.BIN"; done

winpath() { echo "Z:${1//\//\\}"; }
bash "$root/tests/tools/winerun.sh" --timeout 1200 "$work/copy_bench.exe" \
    "$(winpath "$work/SETUP32.EXE")" "$(winpath "$work")" small large
