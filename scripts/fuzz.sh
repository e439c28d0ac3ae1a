#!/usr/bin/env bash
# Fuzzing: the libFuzzer targets of the pure modules (tests/fuzz, built with
# clang, ASan and UBSan in build/fuzz), then the whole-program script fuzzer
# (tests/fuzz/script_fuzz.sh: generated scripts run by SETUP32.EXE under Wine).
#
#   bash scripts/fuzz.sh [SECONDS]   every target SECONDS (default 60), then the
#                                    script fuzzer SECONDS; prints executions,
#                                    coverage and findings per target
#   bash scripts/fuzz.sh --smoke     what scripts/test.sh runs: replays each
#                                    committed corpus, runs each target 3 s and
#                                    the script fuzzer on a few dozen scripts
#                                    from a fixed seed
#
# Environment: SETUP32_FUZZ_TARGETS="fuzz_lines fuzz_text" runs only those;
# SETUP32_FUZZ_SCRIPTS=0 leaves the script fuzzer out.
#
# Corpora grow in build/fuzz/corpus/<target> (kept between runs; the seeds are
# tests/fuzz/corpus/<target>). A finding is written to
# build/fuzz/findings/<target>/ (crash-*, timeout-*, oom-*, leak-*): replay it
# with build/fuzz/fuzz/<target> FILE, and once mended copy it into the seed
# corpus as a regression input. Exits non-zero when anything was found.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$PWD

smoke=0
seconds=60
case "${1:-}" in
  --smoke) smoke=1; seconds=3 ;;
  '') ;;
  *[!0-9]*) echo "usage: fuzz.sh [SECONDS | --smoke]" >&2; exit 2 ;;
  *) seconds=$1 ;;
esac

bash scripts/deps.sh || exit 1
out=$root/build/fuzz
if ! { CC=clang CXX=clang++ cmake -S tests/native -B "$out" -DSETUP32_FUZZ=ON >/dev/null &&
  cmake --build "$out" -j2 --target setup32_fuzz_all >"$out.log" 2>&1; }; then
  cat "$out.log" >&2
  echo "fuzz.sh: the fuzz targets did not build" >&2
  exit 1
fi

targets=${SETUP32_FUZZ_TARGETS:-$(cd tests/fuzz && ls -d corpus/fuzz_* | sed 's|corpus/||')}
status=0
export ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1
printf '%-22s %12s %8s %8s %8s %s\n' target executions cov ft corpus findings
for t in $targets; do
  bin=$out/fuzz/$t seeds=tests/fuzz/corpus/$t findings=$out/findings/$t log=$out/$t.log
  mkdir -p "$findings"
  # Every committed input first (the regression inputs among them).
  if ! "$bin" "$seeds"/* >"$log" 2>&1; then
    echo "fuzz.sh: $t fails on its committed corpus:" >&2
    grep -E 'SUMMARY|fuzz check|Running: ' "$log" | tail -n 3 >&2
    status=1
    continue
  fi
  if ((smoke)); then
    work=$(mktemp -d "${TMPDIR:-/tmp}/fuzz.$t.XXXXXX")
  else
    work=$out/corpus/$t
    mkdir -p "$work"
  fi
  "$bin" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -dict=tests/fuzz/script.dict -artifact_prefix="$findings/" "$work" "$seeds" >"$log" 2>&1
  rc=$?
  ((smoke)) && rm -rf "$work"
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n1)
  read -r cov ft corp < <(grep -E '^#[0-9]+' "$log" | tail -n1 |
    sed -E 's/.*cov: ([0-9]+) ft: ([0-9]+) corp: ([0-9]+).*/\1 \2 \3/')
  found=$(find "$findings" -type f | wc -l)
  printf '%-22s %12s %8s %8s %8s %s\n' "$t" "${execs:-?}" "${cov:-?}" "${ft:-?}" "${corp:-?}" "$found"
  if ((rc != 0 || found > 0)); then
    grep -E 'SUMMARY|fuzz check|Test unit written' "$log" | tail -n 3 >&2
    status=1
  fi
done

if [[ ${SETUP32_FUZZ_SCRIPTS:-1} != 0 ]]; then
  if ((smoke)); then
    bash tests/fuzz/script_fuzz.sh --count 30 --seed 1 || status=1
  else
    bash tests/fuzz/script_fuzz.sh --seconds "$seconds" || status=1
  fi
fi

if ((status == 0)); then
  echo "fuzz.sh: no findings"
else
  echo "fuzz.sh: FINDINGS (see above; build/fuzz/*.log, build/fuzz/findings/)" >&2
fi
exit "$status"
