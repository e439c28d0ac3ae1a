#!/usr/bin/env bash
# The main job: builds (scripts/build.sh), then runs build/win64/SETUP32.EXE
# under Wine on the sample script samples/SAMPLE.INF and prints its exit code.
#
#   bash scripts/run.sh [-q] [more SETUP32 arguments]
#
#   -q            run quietly (SETUP32's own -q switch)
#
# Environment:
#   SETUP32_SCRIPT=path     another script instead of samples/SAMPLE.INF
#   SETUP32_ANSWERS="OK Yes" buttons to press (separated by blanks), in order, in the windows the
#                           program shows (the dialog robot presses them; a
#                           window with no answer left is recorded and closed
#                           with Cancel, since nobody can see the display).
#                           The sample run without -q answers its own dialogs
#                           with OK (sign-on, destination, name, closing message).
#   SETUP32_RUN_TIMEOUT=s   give up after this many seconds (default 300)
#
# The run has its own Xvfb display. What it shows: build/run/transcript.txt
# (every dialog and message box, see tests/e2e/e2e_support.h) and
# build/run/screen.png (the display, refreshed every second). The Wine prefix
# build/wineprefix-run is kept, so its files and registry can be inspected,
# e.g. build/wineprefix-run/drive_c/SETUP32-SAMPLE.CMD; remove it to start afresh.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$PWD

echo "run.sh: building (scripts/build.sh)"
bash scripts/build.sh >/tmp/setup32-build.$$.log 2>&1 || {
  cat /tmp/setup32-build.$$.log >&2
  rm -f /tmp/setup32-build.$$.log
  echo "run.sh: the build failed" >&2
  exit 1
}
rm -f /tmp/setup32-build.$$.log

winpath() { # /a/b -> Z:\a\b
  local p
  p=$(realpath -m "$1")
  printf 'Z:%s' "${p//\//\\}"
}

script=${SETUP32_SCRIPT:-samples/SAMPLE.INF}
[[ -f $script ]] || { echo "run.sh: no script $script" >&2; exit 1; }
timeout_s=${SETUP32_RUN_TIMEOUT:-300}
default_answers=""
if [[ $script == samples/SAMPLE.INF && " $* " != *" -q "* ]]; then
  default_answers="OK OK OK OK"
fi
read -r -a answers <<<"${SETUP32_ANSWERS:-$default_answers}"

# SETUP32's command line: the script, then -q and the rest as given.
cmdline="\"$(winpath build/win64/SETUP32.EXE)\""
# The script's folder is the source folder: the files to install lie beside it.
for a in "-i=$(winpath "$script")" "-s=$(winpath "$(dirname "$script")")" "$@"; do
  if [[ $a == *[[:space:]]* ]]; then
    cmdline+=" \"$a\""
  else
    cmdline+=" $a"
  fi
done

rundir=$root/build/run
mkdir -p "$rundir"
rm -f "$rundir/transcript.txt" "$rundir/screen.png"
echo "run.sh: $cmdline"
echo "run.sh: prefix build/wineprefix-run, display picture build/run/screen.png"

# The robot starts SETUP32 (in build/run), answers its windows and prints the
# whole exit code (Wine gives the shell only its low 8 bits).
set +e
bash tests/tools/winerun.sh --template "$root/build/win64/wineprefix-template" \
  --prefix "$root/build/wineprefix-run" --timeout $((timeout_s + 30)) --cwd "$rundir" \
  --screenshot "$rundir/screen.png" \
  "$root/build/win64/tests/robot.exe" --start "$cmdline" "$(winpath "$rundir/transcript.txt")" \
  $((timeout_s * 1000)) "${answers[@]}" >"$rundir/robot.out"
robot_rc=$?
set -e

echo "---- windows shown (build/run/transcript.txt)"
grep -v '^exit code: ' "$rundir/transcript.txt" 2>/dev/null || echo "(none)"
echo "----"
code=$(sed -n 's/^exit code: \([0-9]*\).*/\1/p' "$rundir/robot.out" | tail -n1)
if [[ -z $code ]]; then
  echo "run.sh: the run failed (robot/Wine status $robot_rc)" >&2
  exit 1
fi
case $code in
  0) meaning="the run completed" ;;
  1603) meaning="the installation failed" ;;
  1619) meaning="no script could be found or read, or start-up failed" ;;
  3010) meaning="completed; a restart is required and was not made" ;;
  1641) meaning="a restart or shut-down was started" ;;
  1460) meaning="terminated at the time-out of ${timeout_s} s" ;;
  *) meaning="" ;;
esac
echo "SETUP32.EXE exit code: $code${meaning:+ ($meaning)}"
((robot_rc == 0)) || echo "run.sh: the robot reported unexpected windows or unused answers (status $robot_rc)"
[[ $code == 0 ]]
