#!/usr/bin/env bash
# Builds SETUP32.EXE twice, side by side:
#   build/win32  the shipped 32-bit program (cmake/mingw-i686.cmake, no tests)
#   build/win64  the 64-bit program the tests run under Wine, with the tests
#                (cmake/mingw-x86_64.cmake, -DSETUP32_TESTS=ON)
# Extra arguments go to both `cmake --build` calls (e.g. --target setup32).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

bash scripts/deps.sh

JOBS=${SETUP32_BUILD_JOBS:-2}

build_one() { # name toolchain cmake-args...
  local name=$1 toolchain=$2
  shift 2
  cmake -S . -B "build/$name" -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/$toolchain" "${LAUNCHER[@]}" "$@" >/dev/null &&
    cmake --build "build/$name" -j "$JOBS" "${BUILD_ARGS[@]}"
}

# ccache, where the machine has it, shares compiled objects between checkouts
# (CCACHE_BASEDIR makes the paths relative, so worktrees hit each other's).
LAUNCHER=()
if command -v ccache >/dev/null 2>&1; then
  export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$(dirname "$PWD")}
  LAUNCHER=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi

BUILD_ARGS=("$@")
mkdir -p build
status=0
# Both at once, each line marked with its build (pipefail: the build's status).
(build_one win32 mingw-i686.cmake -DSETUP32_TESTS=OFF 2>&1 | sed -u 's/^/[win32] /') &
pid32=$!
(build_one win64 mingw-x86_64.cmake -DSETUP32_TESTS=ON 2>&1 | sed -u 's/^/[win64] /') &
pid64=$!
wait "$pid32" || { echo "build.sh: the 32-bit build (build/win32) failed" >&2; status=1; }
wait "$pid64" || { echo "build.sh: the 64-bit build (build/win64) failed" >&2; status=1; }
if ((status == 0)); then
  echo "build.sh: built build/win32/SETUP32.EXE and build/win64/SETUP32.EXE"
fi
exit "$status"
