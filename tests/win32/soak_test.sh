#!/usr/bin/env bash
# A long run of vis_zorva.dll in zorva-player under Wine: the GDI objects and
# the memory of the process stay flat, and the log shows nothing but the run.
# Arguments: the folder of the Windows programs, and a mode:
# - none: 10,000 frames; a reset to a good parent every 500 frames frees and
#   makes the image again; a maximised stretch paints a dozen tiles a frame.
# - render-thread: 5,000 frames rendered on a second thread, as some hosts
#   do, while the window's thread replaces and mutates the expression every
#   few frames (Space, Backspace, Enter, Ctrl+V of a new text).
# - long: 100,000 frames with the timers at their quickest (a mutation every
#   second, a reset every two) and Space every 50 frames; the resources are
#   logged every 10,000 frames (scripts/soak, not part of scripts/test).
set -uo pipefail
bin="$(cd "$1" && pwd)"
mode=${2:-}
source "$(dirname "$0")/player_checks.sh"
own_plugin ShowGlyxInputWindow=0 AutoMutate=0 AutoRestart=0
# The first frames fill caches of Wine and of the C library once (about
# 300 KB here); a leak of one byte a frame would not show, 64 bytes would.
allowed_growth=$((640 * 1024))

if [ "$mode" = render-thread ]; then
  frames=5000
  options=(--render-thread)
  for f in $(seq 8 8 4992); do
    case $(((f / 8) % 4)) in
      0) echo "$f key space" ;;
      1) echo "$f key back" ;;
      2) echo "$f key enter" ;;
      3) echo "$f clipboard x*$f+y%(t+1)"; echo "$f key v ctrl" ;;
    esac
  done >"$work/soak.script"
  for f in 500 2000 3500; do echo "$f resources"; done >>"$work/soak.script"
elif [ "$mode" = long ]; then
  frames=100000
  options=()
  own_plugin ShowGlyxInputWindow=0 AutoMutate=1 AutoRestart=2
  {
    for f in $(seq 50 50 99950); do echo "$f key space"; done
    for f in $(seq 10000 10000 90000); do echo "$f resources"; done
  } >"$work/soak.script"
else
  frames=10000
  options=()
  {
    for f in $(seq 500 500 9500); do echo "$f key back"; done
    echo "2000 click double"
    echo "2500 click double"
  } >"$work/soak.script"
fi
run_player "${options[@]}" --audio music --frames "$frames" --script "$work/soak.script" --log "$work/soak.log"
status=$?
grep '^messagebox\|^script' "$work/soak.log" && fail "the log shows more than the run"
grep '^resources\|^frames' "$work/soak.log"
if [ "$status" -ne 0 ] || ! grep -qx "frames $frames" "$work/soak.log"; then
  echo "FAIL: the player did not render $frames frames (exit status $status)"; cat "$work/stderr"
  exit 1
fi

field() {  # NAME LINE: the value of NAME=... in a resources line
  sed -n "s/.* $1=\([0-9]*\).*/\1/p" <<<"$2"
}
# A run with resources events measures from the first of them: by then every
# path has run, and what Wine makes once for it (a thread, caches) is made.
lines=$(grep -c '^resources' "$work/soak.log")
start=$(grep '^resources' "$work/soak.log" | sed -n "$((lines > 2 ? 2 : 1))p")
end=$(grep '^resources' "$work/soak.log" | tail -1)
# Wine reports GDI objects only through the probe (gdilive), Windows through
# GetGuiResources (gdi): both must end where they were at the first measure.
for counter in gdi gdilive; do
  if [ "$(field $counter "$start")" != "$(field $counter "$end")" ]; then
    fail "$counter went from $(field $counter "$start") to $(field $counter "$end")"
  fi
done
# PrivateUsage reads 0 under Wine, and Wine's PagefileUsage counts the host
# process, which under an emulator also holds its translations of every new
# routine (about 30 KB a mutation). The process's own committed pages count.
for counter in private committed; do
  growth=$(( $(field $counter "$end") - $(field $counter "$start") ))
  if [ "$growth" -gt "$allowed_growth" ]; then
    fail "$counter grew by $growth bytes in $frames frames"
  fi
done
finish "soak: GDI objects and memory over $frames frames"
