#!/usr/bin/env bash
# Drives zorva-player under Wine with the fake plug-in and with vis_zorva.dll,
# and checks what it logs and saves. Arguments: the folder of the programs.
set -uo pipefail
bin="$1"
source "$(dirname "$0")/player_checks.sh"

expect_status() {  # EXPECTED ACTUAL WHAT
  [ "$1" -eq "$2" ] && return 0
  fail "$3: exit status $2, expected $1"; cat "$work/stderr"
}

red_of_bmp() {  # the red byte of the bottom-left pixel of a 24-bit BMP
  od -An -tu1 -j56 -N1 "$1" | tr -d ' '
}

# vis_zorva.dll: the header and the module record as the player first sees them.
run_player --frames 3 --audio silence --log "$work/zorva.log"
expect_status 0 $? "zorva run"
expect_line "$work/zorva.log" 'header version=0x101 description="Zorva for WinAmp v1.0"'
expect_line "$work/zorva.log" 'module 0 description="Zorva" hwndParent=0 hDllInstance=0 sRate=0 nCh=0 latencyMs=60 delayMs=10 spectrumNch=2 waveformNch=2 spectrumNonZero=0 waveformNonZero=0 userData=0 entries=all'
expect_line "$work/zorva.log" 'init 0'
expect_line "$work/zorva.log" 'frames 3'
expect_line "$work/zorva.log" 'quit'

# --bench times the Renders after the script's last event.
printf '2 key back\n' >"$work/bench.script"
run_player --frames 5 --audio ramp --bench --script "$work/bench.script" --log "$work/bench.log"
expect_status 0 $? "--bench run"
grep -qx 'bench frames=3 render_ms=[0-9]*\.[0-9]*' "$work/bench.log" || fail "no bench line for 3 timed frames"

run_player --module 1 --log "$work/module1.log"
expect_status 1 $? "module 1"
grep -q '^error ".*vis_zorva.dll has no module 1"$' "$work/module1.log" || fail "module 1 was not refused"

run_player --frames 1 --fps 0
expect_status 2 $? "--fps 0"

# The fake plug-in: keys, clicks, message boxes, the clipboard, screenshots
# and the configuration dialog.
cat >"$work/fake.script" <<'SCRIPT'
# frame action
2 key m
2 key m ctrl
3 click double
3 click right 5 5
4 clipboard first\nsecond
5 screenshot at5.bmp
6 config cancel
7 screenshot at7.bmp
9 quit
SCRIPT
run_player --plugin "$bin/fake_vis_plugin.dll" --audio ramp --frames 100 --script "$work/fake.script" --log "$work/fake.log"
expect_status 0 $? "fake run"
expect_line "$work/fake.log" 'header version=0x101 description="Fake plug-in"'
expect_line "$work/fake.log" 'messagebox caption="Fake" text="key 0x4d ctrl=0"'
expect_line "$work/fake.log" 'messagebox caption="Fake" text="key 0x4d ctrl=1"'
expect_line "$work/fake.log" 'key down 0x4d'
expect_line "$work/fake.log" 'key up 0x4d'
expect_line "$work/fake.log" 'messagebox caption="Fake" text="double click"'
expect_line "$work/fake.log" 'messagebox caption="Fake" text="right click"'
expect_line "$work/fake.log" 'config caption="" press=cancel'
expect_line "$work/fake.log" 'messagebox caption="Fake" text="config cancel"'
expect_line "$work/fake.log" 'frames 9'
expect_line "$work/fake.log" 'clipboard "first\nsecond"'
# Ramp spectrum byte 0 of frame f is 5f; the picture after N frames shows frame N-1.
[ "$(red_of_bmp "$work/at5.bmp")" = 20 ] || fail "red at frame 5 is $(red_of_bmp "$work/at5.bmp")"
[ "$(red_of_bmp "$work/at7.bmp")" = 30 ] || fail "red at frame 7 is $(red_of_bmp "$work/at7.bmp")"

run_player --plugin "$bin/fake_vis_plugin.dll" --config --script "$work/fake.script" --log "$work/config.log"
expect_status 0 $? "--config"
expect_line "$work/config.log" 'messagebox caption="Fake" text="config cancel"'

finish player
