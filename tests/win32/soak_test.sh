#!/usr/bin/env bash
# 10,000 frames of vis_zorva.dll in zorva-player under Wine: the GDI objects
# and the memory of the process stay flat. A reset to a good parent every 500
# frames frees and makes the image again; a maximised stretch paints a dozen
# tiles a frame. Argument: the folder of the Windows programs.
set -uo pipefail
bin="$(cd "$1" && pwd)"
source "$(dirname "$0")/player_checks.sh"
own_plugin ShowGlyxInputWindow=0 AutoMutate=0 AutoRestart=0
frames=10000
# The first frames fill caches of Wine and of the C library once (about
# 300 KB here); a leak of one byte a frame would not show, 64 bytes would.
allowed_growth=$((640 * 1024))

{
  for f in $(seq 500 500 9500); do echo "$f key back"; done
  echo "2000 click double"
  echo "2500 click double"
} >"$work/soak.script"
run_player --audio music --frames "$frames" --script "$work/soak.script" --log "$work/soak.log"
status=$?
grep '^resources\|^frames' "$work/soak.log"
if [ "$status" -ne 0 ] || ! grep -qx "frames $frames" "$work/soak.log"; then
  echo "FAIL: the player did not render $frames frames (exit status $status)"; cat "$work/stderr"
  exit 1
fi

field() {  # NAME LINE: the value of NAME=... in a resources line
  sed -n "s/.* $1=\([0-9]*\).*/\1/p" <<<"$2"
}
start=$(grep '^resources' "$work/soak.log" | head -1)
end=$(grep '^resources' "$work/soak.log" | tail -1)
# Wine reports GDI objects only through the probe (gdilive), Windows through
# GetGuiResources (gdi): both must stay where they were after Init.
for counter in gdi gdilive; do
  if [ "$(field $counter "$start")" != "$(field $counter "$end")" ]; then
    fail "$counter went from $(field $counter "$start") to $(field $counter "$end")"
  fi
done
# PrivateUsage reads 0 under Wine; PagefileUsage counts the same bytes.
for counter in private pagefile; do
  growth=$(( $(field $counter "$end") - $(field $counter "$start") ))
  if [ "$growth" -gt "$allowed_growth" ]; then
    fail "$counter grew by $growth bytes in $frames frames"
  fi
done
finish "soak: GDI objects and memory over $frames frames"
