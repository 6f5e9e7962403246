#!/usr/bin/env bash
# The input window, the image size, the configuration dialog and the timers
# of vis_zorva.dll in zorva-player under Wine, as a user meets them. Argument:
# the folder of the Windows programs.
set -uo pipefail
bin="$(cd "$1" && pwd)"
source "$(dirname "$0")/player_checks.sh"

player() {  # NAME [OPTION...]: runs NAME.script and logs to NAME.log
  local name=$1
  shift
  run_player "$@" --script "$work/$name.script" --log "$work/$name.log" || fail "player $name: exit status $?"
}

# With the default grey palette, "x*y" paints the pixel at column x and row
# y (from the top) in grey (x' * y') mod 256, where (x', y') is the point of
# the 256 x 256 area whose image pixel lands there. MAP names the landing.
check_grey_product() {  # BMP MAP: step1 | step2 (128 x 128, tiled 2 x 2) | zoom2
  [ "$(bmp_size "$1")" = 256x256 ] || { fail "$(basename "$1") measures $(bmp_size "$1")"; return; }
  tail -c +55 "$1" | od -An -v -tu1 -w3 | awk -v map="$2" -v name="$(basename "$1")" '
    { i = NR - 1; x = i % 256; y = 255 - int(i / 256)
      if (map == "step2") { px = 2 * (x % 128); py = 2 * (y % 128) }
      else if (map == "zoom2") { px = int(x / 2); py = int(y / 2) }
      else { px = x; py = y }
      want = (px * py) % 256
      if (!($1 == want && $2 == want && $3 == want) && bad++ == 0)
        printf "FAIL: %s at x=%d y=%d shows %d,%d,%d, not grey %d\n", name, x, y, $3, $2, $1, want }
    END { exit bad > 0 }' || failures=$((failures + 1))
}

# The input window, texts that do not build, and the image size. The input
# window starts hidden and empty: typed keys go into its edit box, which makes
# its own characters of them. A typo, typed or pasted, costs nothing: the
# expression stays, and the typed text stays to be mended.
own_plugin ShowGlyxInputWindow=0 AutoMutate=0 AutoRestart=0
cat >"$work/input.script" <<'SCRIPT'
0 clipboard x-y
0 key v ctrl
1 focus input
1 type x*\n
2 edittext
2 focus input
2 type y\n
3 clipboard x+
3 key v ctrl
3 key f ctrl
4 edittext
4 key f ctrl
4 key f ctrl
5 edittext
5 focus main
5 key c ctrl
6 screenshot step1.bmp
6 key down
8 screenshot step2.bmp
8 key up
8 key up
10 screenshot zoom2.bmp
10 key down
12 screenshot zoom1.bmp
12 key back
13 edittext
14 quit
SCRIPT
player input --audio silence --frames 20
log="$work/input.log"
[ "$(grep -c '^messagebox' "$log")" -eq 2 ] || fail "not one message box for each of two texts that do not build"
expect_line "$log" 'messagebox caption="Zorva" text="Expression not completex*"'
expect_line "$log" 'messagebox caption="Zorva" text="Expression not completex+"'
expect_line "$log" 'edit "x*"'
[ "$(grep -cxF 'edit "r=x; g=x; b=x; x*y"' "$log")" -eq 2 ] ||
  fail "Ctrl+Enter did not build the mended text, a paste that does not build replaced it, or Ctrl+F did not bring it back"
expect_line "$log" 'clipboard "r=x\ng=x\nb=x\nx*y"'
[ "$(sed -n 's/^edit //p' "$log" | tail -1)" != '"r=x; g=x; b=x; x*y"' ] || fail "Backspace brought no library entry"
check_grey_product "$work/step1.bmp" step1
check_grey_product "$work/step2.bmp" step2
check_grey_product "$work/zoom2.bmp" zoom2
check_grey_product "$work/zoom1.bmp" step1

# The dialog before Init, with no settings file: it opens at the defaults,
# and Cancel after moving the sliders writes nothing.
own_plugin
rm "$work/plugin.ini"
printf '0 clipboard as it was\n0 config cancel 131=0 136=18 shot=dialog.bmp\n' >"$work/cancel.script"
player cancel --config
expect_line "$work/cancel.log" 'config sliders 131=2 136=6'
expect_line "$work/cancel.log" 'screenshot "dialog.bmp" saved'
[ ! -e "$work/plugin.ini" ] || fail "Cancel wrote plugin.ini"
expect_line "$work/cancel.log" 'clipboard "as it was"'
cp "$work/dialog.bmp" "$bin/../config-dialog.bmp"  # for a person to look at

# Periods the sliders cannot show come back from OK as the nearest they can.
own_plugin AutoMutate=7 AutoRestart=600
echo "0 config ok" >"$work/ok.script"
player ok --config
expect_line "$work/ok.log" 'config sliders 131=1 136=18'
[ "$(value_of AutoMutate)/$(value_of AutoRestart)" = 5/180 ] ||
  fail "OK on 7 and 600 wrote $(value_of AutoMutate) and $(value_of AutoRestart)"

# Real timers stop when the dialog sets "Never": the mutate timer of 1 s,
# which changes the expression (library_test.sh) unless the user types in the
# edit box (vis_window_test.cpp), changes nothing in the next 3 s.
own_plugin ShowGlyxInputWindow=0 AutoMutate=1 AutoRestart=0
cat >"$work/timers.script" <<SCRIPT
0 clipboard $(seq -s+ 1 120)
0 key v ctrl
0 config ok 131=0 136=0
0 key f ctrl
0 focus main
0.1s edittext
3s edittext
3s quit
SCRIPT
player timers --audio silence
mapfile -t texts < <(sed -n 's/^edit //p' "$work/timers.log")
[ "${#texts[@]}" -eq 2 ] || fail "timers: ${#texts[@]} edit lines, not 2"
[ "${texts[0]}" = "${texts[1]}" ] || fail "a timer fired after OK with both sliders at Never"
[ "$(value_of AutoMutate)/$(value_of AutoRestart)" = 0/0 ] || fail "OK at Never wrote $(value_of AutoMutate) and $(value_of AutoRestart)"

finish "interaction"
