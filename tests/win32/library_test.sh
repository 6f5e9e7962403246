#!/usr/bin/env bash
# The library of good parents and the settings file beside vis_zorva.dll, in
# zorva-player under Wine: what a run reads from plugin.ini, what Enter keeps,
# what the timers do, and what the file and the clipboard hold after Quit,
# against what the Linux zorva tool reads from the same file. Arguments: the
# folder of the Windows programs and the Linux zorva tool.
set -uo pipefail
bin="$(cd "$1" && pwd)"
source "$(dirname "$0")/player_checks.sh"
use_linux_tool "$2"

# The plug-in's own copy, so that its plugin.ini is this test's alone.
cp "$bin/vis_zorva.dll" "$work/vis_zorva.dll"
ini="$work/plugin.ini"

player() {  # NAME [OPTION...]: runs NAME.script and logs to NAME.log
  local name=$1
  shift
  run_player --plugin "$work/vis_zorva.dll" --audio silence "$@" \
    --script "$work/$name.script" --log "$work/$name.log" || fail "player $name: exit status $?"
  # The reset at Init lands on the 5 MB entry one time in 64: that one does not build.
  grep '^messagebox' "$work/$name.log" | grep -qv '"Identifier too long' &&
    fail "$name: a message box opened: $(grep '^messagebox' "$work/$name.log" | head -c 300)"
}

quoted_lines() {  # the lines of standard input as the player's log quotes a text of them
  printf '"%s"' "$(sed 's/$/\\n/' | tr -d '\n')"
}

# The whole library, which Quit put on the clipboard.
library_of() { sed -n 's/^clipboard-after-quit //p' "$work/$1.log"; }

# The library after Quit, byte for byte, is what zorva reads from the file
# the plug-in wrote: one line an entry, each ending in a line feed alone.
check_library() {  # NAME ENTRIES
  "$zorva" library list --ini "$ini" >"$work/$1.list" || fail "$1: zorva library list"
  [ "$(wc -l <"$work/$1.list")" -eq "$2" ] || fail "$1: $(wc -l <"$work/$1.list") entries in the file, not $2"
  [ "$(library_of "$1")" = "$(quoted_lines <"$work/$1.list")" ] ||
    fail "$1: the clipboard after Quit is not the library zorva reads: $(library_of "$1" | head -c 300)"
  { [ -n "$(value_of "Glyx$(($2 - 1))")" ] && tr -d '\r' <"$ini" | grep -qx "Glyx$2="; } ||
    fail "$1: the file's keys do not end with Glyx$(($2 - 1)) and an empty Glyx$2"
}

builtin0='p=pal(8,-t*3); decay(rad(x,y))%snd(sin(theta(x,y))%51)'
long_sum=$(seq -s+ 1 300)  # its text form is longer than 1023 characters
sum=$(seq -s+ 1 120)       # one mutation all but surely changes some of its 239 nodes

# No file: the built-ins alone. Enter on a built-in and on a text too long to
# keep adds nothing.
cat >"$work/first.script" <<SCRIPT
0 clipboard $builtin0
0 key v ctrl
1 key enter
2 clipboard $long_sum
2 key v ctrl
3 key enter
4 quit
SCRIPT
player first --frames 10
check_library first 62
"$zorva" library list >"$work/builtins.list"
cmp -s "$work/builtins.list" "$work/first.list" || fail "first: the file's library is not the 62 built-ins"
[ "$(grep -c '^Glyx' "$ini")" -eq 63 ] || fail "first: $(grep -c '^Glyx' "$ini") Glyx keys, not Glyx0 to Glyx62"
[ "$(tr -d '\r' <"$ini" | sed -n '2,6p' | tr '\n' ' ')" = \
  "Screen_x=50 Screen_y=50 AutoRestart=60 AutoMutate=10 ShowGlyxInputWindow=1 " ] ||
  fail "first: the settings are not the defaults in their order: $(head -6 "$ini")"

# The expression of a real-time run is typed into the input window, hidden
# and empty at the start, and read back from it when Ctrl+F shows it: the
# clipboard is shared by every program of the Wine prefix, and another one
# may write it meanwhile.
typed_then_shown() {  # a script that types the sum at 0 s and shows the expression at 4 s
  printf '0s focus input\n0s type %s\\n\n0s focus main\n' "$sum"
  cat
  printf '4s key f ctrl\n4s edittext\n4.5s quit\n'
}
shown_of() { sed -n 's/^edit //p' "$work/$1.log"; }

# "Glyx3" lies after the empty "Glyx2": not read. Loading again (Config) and
# Enter twice on one expression add one entry. With a period of 0, and one
# that would wrap around to 296 ms as milliseconds, no timer changes the
# expression in 4 s of real time.
printf '[Zorva]\r\nScreen_x=100\r\nScreen_y=120\r\nAutoRestart=-4294967\r\nAutoMutate=0\r\n' >"$ini"
printf 'ShowGlyxInputWindow=0\r\nGlyx1=x\r\nGlyx2=\r\nGlyx3=y\r\n' >>"$ini"
typed_then_shown >"$work/second.script" <<SCRIPT
0.1s config cancel
0.1s key enter
0.1s key enter
SCRIPT
player second
[ "$(shown_of second)" = "\"$("$zorva" check "$sum")\"" ] || fail "second: a timer changed the expression: $(shown_of second | head -c 300)"
check_library second 64
[ "$(sed -n 63p "$work/second.list")" = x ] || fail "second: entry 62 is not x"
[ "$(sed -n 64p "$work/second.list")" = "$("$zorva" check "$sum")" ] || fail "second: entry 63 is not the sum's text form"
grep -qx 'y' "$work/second.list" && fail "second: Glyx3 after the empty Glyx2 was read"
[ "$(value_of Screen_x),$(value_of Screen_y)" = "100,120" ] || fail "second: the window did not open where the file said"
[ "$(value_of AutoRestart)" = -4294967 ] || fail "second: AutoRestart was not kept as the file had it"

# A position on no monitor opens the window at (50, 50); a period beyond the
# timers' longest, which would wrap around to 112 ms as milliseconds, runs at
# the longest; a 5 MB value comes back whole; the file's other section stays.
big=$(head -c 5000000 /dev/zero | tr '\0' 'q')
{
  printf '[Other]\r\nkeep=this\r\n[Zorva]\r\nScreen_x=-32000\r\nScreen_y=-32000\r\nShowGlyxInputWindow=0\r\n'
  printf 'AutoRestart=12884902\r\nAutoMutate=1\r\nGlyx1=x\r\nGlyx2=%s\r\n' "$big"
} >"$ini"
typed_then_shown </dev/null >"$work/third.script"
player third
mutated=$(shown_of third)
[[ "$mutated" != "\"$("$zorva" check "$sum")\"" ]] || fail "third: the mutate timer of 1 s did not change the expression in 4 s"
# A few mutations leave most of the sum's terms; no good parent has any of 100 to 119.
[ "$(grep -oE '\b1[01][0-9]\b' <<<"$mutated" | sort -u | wc -l)" -ge 5 ] ||
  fail "third: the expression was reset, not mutated: $mutated"
check_library third 64
[ "$(sed -n 64p "$work/third.list")" = "$big" ] || fail "third: the 5 MB entry did not come back whole"
[ "$(value_of Screen_x),$(value_of Screen_y)" = "50,50" ] || fail "third: the window did not open at (50, 50)"
[ "$(value_of keep)" = this ] || fail "third: the section [Other] was lost"

finish "library and settings"
