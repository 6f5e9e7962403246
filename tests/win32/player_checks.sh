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
run_player() { (cd "$work" && "$wine_run" "$bin/zorva-player.exe" "$@" >"$work/stdout" 2>"$work/stderr"); }

use_linux_tool() {  # PATH: the Linux zorva tool as `zorva`, or skip the test (ctest's 77)
  [ -x "$1" ] || { echo "SKIP: no zorva tool at $1 (build the linux preset first)"; exit 77; }
  zorva="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
}

expect_line() {  # FILE LINE: the exact line is in the file
  grep -qxF -- "$2" "$1" && return 0
  fail "expected line in $(basename "$1"): $2"; echo "--- it holds:"; cat "$1"; echo "---"
}

finish() {  # WHAT: report, and exit 1 on any failure
  [ "$failures" -eq 0 ] && echo "$1: all checks passed"
  exit $((failures > 0))
}
