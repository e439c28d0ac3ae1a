#!/usr/bin/env bash
# winerun.sh - run one Windows program under 64-bit Wine, isolated.
#
#   winerun.sh [options] [--] PROGRAM [ARGS...]
#
# Each run gets its own Xvfb display and, unless --prefix is given, its own
# throw-away WINEPREFIX copied from a template prefix. Both are started and
# stopped here: when the program ends (or at the time-out, or on a signal)
# the prefix's wineserver is killed, Xvfb is killed and the prefix is removed.
# The exit status is the program's (Wine passes only its low 8 bits), 124 on
# time-out, 125 when the harness itself failed.
#
# Options:
#   --template DIR  template prefix, made once with `wineboot -i` (default:
#                   $SETUP32_WINE_TEMPLATE, else ~/.cache/setup32/wineprefix-template).
#                   Guarded with flock, so parallel runs make it only once.
#   --prefix DIR    use this persistent prefix instead of a throw-away copy; it
#                   is copied from the template when missing and kept afterwards.
#   --timeout SEC   time-out of the program (default $SETUP32_WINE_TIMEOUT or 600).
#   --cwd DIR       run the program in this (Unix) directory.
#   --keep          keep the throw-away prefix and print where it is (debugging).
#   --screenshot F  while the program runs, save a PNG of the display to F
#                   every second (ImageMagick's import), to see what it shows.
#
# PROGRAM is passed to wine64 as given: a Unix path to an .exe, or the name of
# a Wine built-in such as `cmd`.
set -uo pipefail

WINE=${SETUP32_WINE:-/usr/lib/wine/wine64}
WINESERVER=${SETUP32_WINESERVER:-/usr/lib/wine/wineserver}
template=${SETUP32_WINE_TEMPLATE:-${XDG_CACHE_HOME:-${HOME:-/tmp}/.cache}/setup32/wineprefix-template}
persistent=""
timeout_s=${SETUP32_WINE_TIMEOUT:-600}
run_cwd=""
keep=0
screenshot=""

die() { echo "winerun: $*" >&2; exit 125; }

# SETUP32_WINERUN_TIMES=1 prints how long each phase took.
t_last=$(date +%s%N)
phase() {
  [[ ${SETUP32_WINERUN_TIMES:-} == 1 ]] || return 0
  local now
  now=$(date +%s%N)
  echo "winerun: $1 $(((now - t_last) / 1000000)) ms" >&2
  t_last=$now
}

while (($#)); do
  case "$1" in
    --template) template=$2; shift 2 ;;
    --prefix) persistent=$2; shift 2 ;;
    --timeout) timeout_s=$2; shift 2 ;;
    --cwd) run_cwd=$2; shift 2 ;;
    --keep) keep=1; shift ;;
    --screenshot) screenshot=$2; shift 2 ;;
    --) shift; break ;;
    -*) die "unknown option $1" ;;
    *) break ;;
  esac
done
(($#)) || die "usage: winerun.sh [--template DIR] [--prefix DIR] [--timeout SEC] [--cwd DIR] [--keep] [--] PROGRAM [ARGS...]"

[[ -x $WINE ]] || die "$WINE not found (run scripts/deps.sh)"
command -v Xvfb >/dev/null || die "Xvfb not found (run scripts/deps.sh)"

export WINEDEBUG=${SETUP32_WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINELOADER=$WINE
export WINEARCH=win64
unset WINESERVERSOCKET WAYLAND_DISPLAY

tmpbase=${TMPDIR:-/tmp}
work=$(mktemp -d "$tmpbase/winerun.XXXXXX") || die "mktemp failed"
xvfb_pid=""
prog_pid=""
shot_pid=""
prefix=""

# A Wine process that started while the prefix's server was going down (a
# console host, say) is not reached by "wineserver -k" and lives on without
# a server, holding our output pipe open so that whoever reads it (ctest)
# waits forever: end every Wine process that still runs in this prefix.
kill_stray_wine_processes() {
  local dir exe wine_dir
  wine_dir=$(dirname "$(readlink -f "$WINE")")
  for dir in /proc/[0-9]*; do
    exe=$(readlink "$dir/exe" 2>/dev/null) || continue
    [[ $exe == "$wine_dir"/* ]] || continue
    grep -qzxF "WINEPREFIX=$prefix" "$dir/environ" 2>/dev/null && kill -KILL "${dir#/proc/}" 2>/dev/null
  done
  return 0
}

cleanup() {
  local rc=$?
  trap - EXIT INT TERM HUP
  if [[ -n $shot_pid ]]; then
    kill -TERM "$shot_pid" 2>/dev/null
    wait "$shot_pid" 2>/dev/null
  fi
  if [[ -n $prog_pid ]] && kill -0 "$prog_pid" 2>/dev/null; then
    kill -TERM "$prog_pid" 2>/dev/null
  fi
  if [[ -n $prefix && -d $prefix ]]; then
    WINEPREFIX=$prefix timeout 20 "$WINESERVER" -k >/dev/null 2>&1
    WINEPREFIX=$prefix timeout 20 "$WINESERVER" -w >/dev/null 2>&1
    kill_stray_wine_processes
  fi
  if [[ -n $prog_pid ]]; then
    wait "$prog_pid" 2>/dev/null
  fi
  if [[ -n $xvfb_pid ]]; then
    kill -TERM "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
  fi
  if [[ -z $persistent && -n $prefix && -d $prefix ]]; then
    if ((keep)); then
      echo "winerun: kept prefix $prefix" >&2
    else
      rm -rf "$prefix"
    fi
  fi
  rm -rf "$work"
  phase "clean-up"
  exit "$rc"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP

# --- Xvfb on a free display -------------------------------------------------
start_xvfb() {
  local fdfile=$work/display i
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset \
    3>"$fdfile" >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  for ((i = 0; i < 400; i++)); do
    if [[ -s $fdfile ]] && (($(wc -l <"$fdfile") >= 1)); then
      export DISPLAY=":$(head -n1 "$fdfile" | tr -d '[:space:]')"
      return 0
    fi
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.05
  done
  cat "$work/xvfb.log" >&2
  die "Xvfb did not start"
}

# --- template prefix, made once ---------------------------------------------
# Bump when the way the template is made changes: older templates are remade
# (so are templates of another Wine version).
TEMPLATE_VERSION="4 $("$WINE" --version 2>/dev/null)"

ensure_template() {
  mkdir -p "$(dirname "$template")" || die "cannot create $(dirname "$template")"
  exec 8>"$template.lock" || die "cannot open $template.lock"
  flock 8 || die "flock failed"
  if [[ $(cat "$template/.setup32-template-ok" 2>/dev/null) != "$TEMPLATE_VERSION" ]]; then
    local t0=$SECONDS new="$template.new.$$"
    rm -rf "$template" "$template".new.*  # also what a killed run left
    if ! WINEPREFIX=$new timeout 300 "$WINE" wineboot -i >"$work/wineboot.log" 2>&1; then
      cat "$work/wineboot.log" >&2
      rm -rf "$new"
      die "wineboot -i failed"
    fi
    # R: is a floppy drive (a folder inside the prefix), so that starts from
    # removable media can be tested; Wine reads the drive types at its start.
    mkdir -p "$new/drive_r" && ln -s ../drive_r "$new/dosdevices/r:" || die "cannot make drive R:"
    # One virtual desktop for all windows: without it, closing each window
    # costs about 2 s under Xvfb (no window manager), with it a few ms.
    # A crash prints winedbg's report to stderr instead of showing a dialog
    # that nobody sees (and that would hold the run until its time-out).
    local entry ok=1
    local -a f
    for entry in 'HKCU\Software\Wine\Explorer|Desktop|REG_SZ|Default' \
      'HKCU\Software\Wine\Explorer\Desktops|Default|REG_SZ|1280x1024' \
      'HKCU\Software\Wine\WineDbg|ShowCrashDialog|REG_DWORD|0' \
      'HKLM\Software\Wine\Drives|r:|REG_SZ|floppy'; do
      IFS='|' read -r -a f <<<"$entry"
      WINEPREFIX=$new "$WINE" reg add "${f[0]}" /v "${f[1]}" /t "${f[2]}" /d "${f[3]}" /f \
        >>"$work/wineboot.log" 2>&1 || ok=0
    done
    if ((!ok)); then
      cat "$work/wineboot.log" >&2
      rm -rf "$new"
      die "reg add failed"
    fi
    WINEPREFIX=$new timeout 120 "$WINESERVER" -w >/dev/null 2>&1
    echo "$TEMPLATE_VERSION" >"$new/.setup32-template-ok"
    mv "$new" "$template" || die "cannot move $new to $template"
    echo "winerun: made template prefix $template in $((SECONDS - t0)) s" >&2
  fi
  flock -u 8
  exec 8>&-
}

start_xvfb
phase "Xvfb start"
ensure_template
phase "template check"

if [[ -n $persistent ]]; then
  prefix=$persistent
  if [[ ! -d $prefix ]]; then
    mkdir -p "$(dirname "$prefix")"
    cp -a "$template" "$prefix.new.$$" && mv "$prefix.new.$$" "$prefix" \
      || die "cannot copy the template to $prefix"
  fi
else
  prefix=$(mktemp -d "$tmpbase/winerun-prefix.XXXXXX") || die "mktemp failed"
  # cp -a into the fresh dir: copy the template's contents, not the dir itself.
  cp -a "$template/." "$prefix/" || die "cannot copy the template"
fi
export WINEPREFIX=$prefix
phase "prefix copy"

if [[ -n $run_cwd ]]; then
  cd "$run_cwd" || die "cannot cd to $run_cwd"
fi

# Run in the background and wait, so that a signal reaches our trap at once.
timeout --kill-after=10 "$timeout_s" "$WINE" "$@" &
prog_pid=$!
if [[ -n $screenshot ]]; then
  mkdir -p "$(dirname "$screenshot")"
  (
    trap 'exit 0' TERM
    while :; do
      sleep 1 &
      wait $! || exit 0
      import -display "$DISPLAY" -window root "png:$screenshot.new" >/dev/null 2>&1 &&
        mv -f "$screenshot.new" "$screenshot"
    done
  ) &
  shot_pid=$!
fi
wait "$prog_pid"
rc=$?
prog_pid=""
phase "program run"
if ((rc == 124)); then
  echo "winerun: $1 timed out after $timeout_s s" >&2
fi
exit "$rc"
