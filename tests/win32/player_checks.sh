# Shared by the scripts that drive zorva-player under Wine: sourced after
# `bin` (the folder of the Windows programs) is set. Gives a scratch folder
# `work`, a failure count and the checks that add to it.

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
wine_run="$here/../../scripts/wine-run"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Runs the player in the scratch folder; its exit status is the player's.
plugin_args=()
run_player() { (cd "$work" && "$wine_run" "$bin/zorva-player.exe" "${plugin_args[@]}" "$@" >"$work/stdout" 2>"$work/stderr"); }

# Later runs use a copy of the plug-in in the scratch folder, beside a
# plugin.ini of these settings alone: no run then sees another's settings,
# and with ShowGlyxInputWindow=0 AutoMutate=0 AutoRestart=0 no input window
# covers the main window and no timer changes the picture of a slow run.
own_plugin() {  # [KEY=VALUE...]
  cp "$bin/vis_zorva.dll" "$work/vis_zorva.dll"
  printf '[Zorva]\r\n' >"$work/plugin.ini"
  [ $# -eq 0 ] || printf '%s\r\n' "$@" >>"$work/plugin.ini"
  plugin_args=(--plugin "$work/vis_zorva.dll")
}

use_linux_tool() {  # PATH: the Linux zorva tool as `zorva`, or skip the test (ctest's 77)
  [ -x "$1" ] || { echo "SKIP: no zorva tool at $1 (build the linux preset first)"; exit 77; }
  zorva="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
}

expect_line() {  # FILE LINE: the exact line is in the file
  grep -qxF -- "$2" "$1" && return 0
  fail "expected line in $(basename "$1"): $2"; echo "--- it holds:"; cat "$1"; echo "---"
}

value_of() { sed -n "s/^$1=//p" "$work/plugin.ini" | tr -d '\r'; }  # KEY: its value in plugin.ini

bmp_size() {  # width x height of a BMP
  echo "$(od -An -td4 -j18 -N4 "$1" | tr -d ' ')x$(od -An -td4 -j22 -N4 "$1" | tr -d ' ')"
}

finish() {  # WHAT: report, and exit 1 on any failure
  [ "$failures" -eq 0 ] && echo "$1: all checks passed"
  exit $((failures > 0))
}
