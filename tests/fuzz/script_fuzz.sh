#!/usr/bin/env bash
# The whole-program script fuzzer: generates scripts (script_gen.py) and runs
# each with build/win64/SETUP32.EXE under Wine, quietly, every window answered
# by the robot ("any:" answers; the end-to-end case ScriptFuzzE2E.GeneratedScripts).
#
#   script_fuzz.sh --count N --seed S   one batch of N scripts from seed S
#   script_fuzz.sh --seconds T          batches from fresh seeds for T seconds
#   script_fuzz.sh --dir DIR            the scripts (*.INF) in DIR, e.g. a finding
#
# Each batch runs in a throw-away copy of the template prefix from which the
# Z: drive (the Unix root) is removed: the programs are copied into the
# prefix's C: drive, so a script reaches nothing outside the prefix and its
# work directory. A script that fails the property (crash, hang, exit code
# outside 0 1602 1603 1619 3010 1641) is run again alone in a fresh prefix;
# what fails again is kept in build/fuzz/script-findings/. Prints scripts
# run, exit codes seen and findings; exits non-zero on a finding.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/../.."
root=$PWD

count=30 seed=1 seconds=0 given=""
while (($#)); do
  case "$1" in
    --count) count=$2; shift 2 ;;
    --seed) seed=$2; shift 2 ;;
    --seconds) seconds=$2; count=25; seed=$(date +%s); shift 2 ;;
    --dir) given=$(realpath "$2"); shift 2 ;;
    *) echo "usage: script_fuzz.sh [--count N --seed S | --seconds T | --dir DIR]" >&2; exit 2 ;;
  esac
done

bash scripts/build.sh >/dev/null 2>&1 || { echo "script_fuzz: the build failed (scripts/build.sh)" >&2; exit 1; }
template=$root/build/win64/wineprefix-template
out=$root/build/fuzz
findings=$out/script-findings
mkdir -p "$out" "$findings"

# Runs the scripts of folder $1 in a fresh sandbox prefix; results.txt lands in $1.
run_batch() {
  local dir=$1 prefix
  prefix=$(mktemp -d "${TMPDIR:-/tmp}/script-fuzz-prefix.XXXXXX") || return 1
  # Through winerun once with an empty run, so that the template exists.
  [[ -f $template/.setup32-template-ok ]] ||
    bash tests/tools/winerun.sh --template "$template" cmd /c exit >/dev/null 2>&1
  cp -a "$template/." "$prefix/" || return 1
  rm -f "$prefix/dosdevices/z:"
  local fz=$prefix/drive_c/fuzz
  mkdir -p "$fz/scripts"
  cp build/win64/SETUP32.EXE build/win64/tests/robot.exe build/win64/tests/setup32_e2e.exe "$fz/"
  cp "$dir"/*.INF "$fz/scripts/"
  SETUP32_SCRIPT_FUZZ_DIR='C:\fuzz\scripts' SETUP32_E2E_EXE='C:\fuzz\SETUP32.EXE' \
    SETUP32_E2E_ROBOT='C:\fuzz\robot.exe' \
    bash tests/tools/winerun.sh --template "$template" --prefix "$prefix" --cwd "$fz" --timeout 3600 \
    "$fz/setup32_e2e.exe" --gtest_filter='ScriptFuzzE2E.GeneratedScripts' >"$dir/driver.log" 2>&1
  cp "$fz/scripts/results.txt" "$dir/" 2>/dev/null
  rm -rf "$prefix"
}

# Whether a results line breaks the property: "<name> <exit> <robot>".
is_bad() {
  case "$2" in 0 | 1602 | 1603 | 1619 | 3010 | 1641) ;; *) return 0 ;; esac
  [[ $3 == 0 || $3 == 1 ]] && return 1
  return 0
}

total=0 bad=0
declare -A codes=()
t0=$SECONDS
while :; do
  batch=$out/scripts/batch-$seed
  rm -rf "$batch"
  if [[ -n $given ]]; then
    mkdir -p "$batch" && cp "$given"/*.INF "$batch/"
  else
    python3 tests/fuzz/script_gen.py --root "$root" --seed "$seed" --count "$count" --out "$batch" || exit 1
  fi
  run_batch "$batch"
  if [[ ! -s $batch/results.txt ]]; then
    echo "script_fuzz: batch $seed gave no results (see $batch/driver.log)" >&2
    bad=$((bad + 1))
  else
    while read -r name code robot; do
      robot=${robot%$'\r'}
      total=$((total + 1))
      codes[$code]=$((${codes[$code]:-0} + 1))
      is_bad "$name" "$code" "$robot" || continue
      # Again alone, in a fresh prefix: a script may have spoilt the shared one.
      again=$batch/again-${name%.INF}
      mkdir -p "$again" && cp "$batch/$name" "$again/"
      run_batch "$again"
      read -r _ code2 robot2 <"$again/results.txt" 2>/dev/null || code2=none
      robot2=${robot2%$'\r'}
      if is_bad "$name" "$code2" "${robot2:-9}"; then
        cp "$batch/$name" "$findings/"
        echo "script_fuzz: FINDING $name exit $code robot $robot (again: $code2 $robot2) -> $findings/$name" >&2
        bad=$((bad + 1))
      fi
    done <"$batch/results.txt"
  fi
  ((seconds > 0 && SECONDS - t0 < seconds)) || break
  seed=$((seed + 1))
done

summary=""
for c in "${!codes[@]}"; do summary+=" $c:${codes[$c]}"; done
echo "script fuzzer: $total scripts in $((SECONDS - t0)) s, exit codes${summary:- none}, findings $bad"
((bad == 0))
