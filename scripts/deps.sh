#!/usr/bin/env bash
# Installs, with apt-get, whatever setup32 needs for building and testing that
# is missing on a Debian 12 machine. Quick (no apt call at all) when all is there.
set -euo pipefail

PACKAGES=(
  cmake make
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64
  wine64 xvfb xauth x11-utils imagemagick
  googletest g++ nlohmann-json3-dev
  clang libclang-rt-14-dev
  mscompress gcab
)

missing=()
for p in "${PACKAGES[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

if ((${#missing[@]} == 0)); then
  exit 0
fi

echo "deps.sh: installing ${missing[*]}" >&2
SUDO=()
if [[ $(id -u) -ne 0 ]]; then
  SUDO=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${SUDO[@]}" apt-get update -q
"${SUDO[@]}" apt-get install -y -q "${missing[@]}" </dev/null
