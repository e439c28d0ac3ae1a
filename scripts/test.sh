#!/usr/bin/env bash
# All the tests: checks that includes point down (scripts/check_layers.sh),
# builds (scripts/build.sh), runs the Windows tests of
# build/win64 under Wine with ctest, then, when tests/native/CMakeLists.txt is
# there, builds the pure text code natively with the sanitizers in build/native
# and runs its tests, and last makes a short fuzzing run (scripts/fuzz.sh
# --smoke). Exits non-zero when anything failed.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

t0=$SECONDS
bash scripts/check_layers.sh || { echo "test.sh: an include reaches up a layer" >&2; exit 1; }
bash scripts/build.sh || { echo "test.sh: the build failed" >&2; exit 1; }

status=0
echo "== Windows tests (build/win64, under Wine)"
if ! ctest --test-dir build/win64 --output-on-failure --no-tests=error -j2; then
  status=1
fi

if [[ -f tests/native/CMakeLists.txt ]]; then
  echo "== native tests (build/native, ASan/UBSan)"
  if CC=gcc CXX=g++ cmake -S tests/native -B build/native >/dev/null &&
    cmake --build build/native -j2 &&
    ctest --test-dir build/native --output-on-failure --no-tests=error -j2; then
    :
  else
    status=1
  fi
fi

echo "== fuzzing smoke run (scripts/fuzz.sh --smoke: corpus replay, 3 s per target, 30 generated scripts)"
bash scripts/fuzz.sh --smoke || status=1

if ((status == 0)); then
  echo "test.sh: all tests passed ($((SECONDS - t0)) s)"
else
  echo "test.sh: FAILED ($((SECONDS - t0)) s)" >&2
fi
exit "$status"
