#!/usr/bin/env bash
# Drives vis_zorva.dll in zorva-player under Wine: an expression pasted before
# the first frame is painted into the main window exactly as `zorva render`
# computes it; the window's size, the double click, the keys and the message
# of a text that does not build. Arguments: the folder of the Windows programs
# and the Linux zorva tool.
set -uo pipefail
bin="$(cd "$1" && pwd)"
source "$(dirname "$0")/player_checks.sh"
use_linux_tool "$2"

player() { run_player "$@" || fail "player $*: exit status $?"; }
own_plugin ShowGlyxInputWindow=0 AutoMutate=0 AutoRestart=0

# The screenshot (24-bit, bottom-up, blue green red) against the last frame of
# a 256 x 256 .raw (768 palette bytes red green blue, then the rows from the
# top, one palette index a pixel).
same_picture() {  # BMP RAW
  local frame_bytes=$((768 + 256 * 256))
  tail -c "$frame_bytes" "$2" | od -An -v -tu1 -w1 >"$work/raw.txt"
  tail -c +55 "$1" | od -An -v -tu1 -w1 >"$work/bmp.txt"
  awk 'NR == FNR { raw[NR - 1] = $1; next } { bmp[FNR - 1] = $1 }
       END {
         bad = 0
         for (y = 0; y < 256; y++) for (x = 0; x < 256; x++) {
           i = raw[768 + y * 256 + x]
           at = ((255 - y) * 256 + x) * 3
           if (bmp[at + 2] != raw[3 * i] || bmp[at + 1] != raw[3 * i + 1] || bmp[at] != raw[3 * i + 2]) {
             if (bad++ == 0) printf "first difference at x=%d y=%d: window %d,%d,%d, render %d,%d,%d\n", x, y, bmp[at + 2], bmp[at + 1], bmp[at], raw[3 * i], raw[3 * i + 1], raw[3 * i + 2]
           }
         }
         if (bad > 0) { printf "%d pixels differ\n", bad; exit 1 }
       }' "$work/raw.txt" "$work/bmp.txt"
}

# Pasted before the first frame, with the ramp feed: the window after N frames
# shows frame N-1 of the expression, as zorva render computes it.
check_painted() {  # NAME FRAMES EXPRESSION
  cat >"$work/$1.script" <<SCRIPT
0 clipboard $3
0 key v ctrl
$2 screenshot $1.bmp
SCRIPT
  player --audio ramp --frames "$2" --script "$work/$1.script" --log "$work/$1.log"
  "$zorva" render "$3" --audio ramp --frames "$2" -o "$work/$1.raw" || fail "zorva render $3"
  [ "$(bmp_size "$work/$1.bmp")" = 256x256 ] || fail "$1: the client area is $(bmp_size "$work/$1.bmp"), not 256x256"
  same_picture "$work/$1.bmp" "$work/$1.raw" || fail "$1: the window does not show what zorva render computes for: $3"
}

check_painted palette 9 'p=pal(8,-t*3); decay(rad(x,y))%snd(sin(theta(x,y))%51)+fft(x)*t'
check_painted hsl 5 'h=x+t; s=200; l=y+sndl(x); x*y+snd(y)'

# Size, double click, keys and a text that does not build, in one run.
cat >"$work/window.script" <<'SCRIPT'
1 screenshot normal.bmp
1 click double
3 screenshot maximised.bmp
3 click double
5 screenshot restored.bmp
6 key space
6 key enter
6 key back
6 key left
6 key up
6 key down
6 key f1
6 key a
6 key c ctrl
6 key 0x21
7 clipboard r=x; h=y
7 key v ctrl
9 quit
SCRIPT
player --audio music --frames 20 --script "$work/window.script" --log "$work/window.log"
[ "$(bmp_size "$work/normal.bmp")" = 256x256 ] || fail "client area $(bmp_size "$work/normal.bmp") after creation"
screen=$(sed -n 's/^screen //p' "$work/window.log")
[ "$(bmp_size "$work/maximised.bmp")" = "$screen" ] || fail "client area $(bmp_size "$work/maximised.bmp") after a double click, not the screen's $screen"
[ "$(bmp_size "$work/restored.bmp")" = 256x256 ] || fail "client area $(bmp_size "$work/restored.bmp") after the second double click"
for key in 0x20 0x0d 0x08 0x25 0x26 0x28 0x70 0x41 0x43 0x21 0x56; do
  expect_line "$work/window.log" "key down $key"
  expect_line "$work/window.log" "key up $key"
done
boxes=$(grep -c '^messagebox' "$work/window.log")
[ "$boxes" -eq 1 ] || fail "$boxes message boxes for one text that does not build"
expect_line "$work/window.log" 'messagebox caption="Zorva" text="You cannot mix RGB with HSL color models."'
expect_line "$work/window.log" 'frames 9'

finish "main window"
