#!/usr/bin/env bash
# Checks that the folders of src/ include one another in one direction only.
# From the bottom up:
#   run       run state, text, trace, message boxes, placement, status windows
#   base      small leaf helpers (paths, attributes, version resources,
#             registry primitives, the scrambler, unique names, install log)
#   expand    expansion of script values and the system facts behind it
#   script    lines, fields, conditions, the input record and result codes
#   handlers  files registry config commands process dialogs accounts shortcuts
#   app       process entry, start-up, main window, loading, the walk, exit
# A file may include its own folder and any folder of a lower layer. Handler
# folders may use one another, but never in a circle. An include of a higher
# layer, an unknown folder or a circle among handlers fails the check.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

rank_of() {
  case "$1" in
    run) echo 0 ;;
    base) echo 1 ;;
    expand) echo 2 ;;
    script) echo 3 ;;
    files | registry | config | commands | process | dialogs | accounts | shortcuts) echo 4 ;;
    app) echo 5 ;;
    *) echo -1 ;;
  esac
}

status=0
edges=()
while IFS= read -r file; do
  from=${file#src/}
  from=${from%%/*}
  from_rank=$(rank_of "$from")
  if ((from_rank < 0)); then
    echo "check_layers: $file: folder src/$from has no layer (add it to scripts/check_layers.sh)" >&2
    status=1
    continue
  fi
  while IFS= read -r target; do
    [[ -n "$target" ]] || continue
    to=${target%%/*}
    [[ "$to" == "$from" ]] && continue
    to_rank=$(rank_of "$to")
    if ((to_rank < 0)); then
      echo "check_layers: $file includes \"$target\": src/$to has no layer" >&2
      status=1
    elif ((to_rank > from_rank)); then
      echo "check_layers: $file includes \"$target\": $from may not reach up to $to" >&2
      status=1
    elif ((to_rank == from_rank)); then
      edges+=("$from $to")
    fi
  done < <(sed -nE 's@^[[:space:]]*#[[:space:]]*include[[:space:]]*"([a-z_]+/[^"]+)".*@\1@p' "$file")
done < <(find src -name '*.cpp' -o -name '*.h' | sort)

# Handler folders that use one another must not form a circle.
if ((${#edges[@]})); then
  if ! printf '%s\n' "${edges[@]}" | sort -u | tsort >/dev/null 2>/tmp/check_layers.$$; then
    echo "check_layers: handler folders include one another in a circle:" >&2
    sed 's/^/  /' /tmp/check_layers.$$ >&2
    status=1
  fi
  rm -f /tmp/check_layers.$$
fi

if ((status == 0)); then
  echo "check_layers: every include points down"
fi
exit "$status"
