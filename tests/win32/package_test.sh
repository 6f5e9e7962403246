#!/usr/bin/env bash
# The release zip on its own: unpacked into a folder outside the build tree,
# whose programs carry no debug information, import nothing but system DLLs
# and run there under Wine with no path to the build's or the compiler's DLLs.
# Argument: the zip.
set -uo pipefail
zip="$(realpath "$1")"
source "$(dirname "$0")/player_checks.sh"

listing=$(unzip -Z1 "$zip")
for file in vis_zorva.dll zorva-player.exe LICENSE.txt docs/user-guide.md docs/user-guide.html \
            docs/language.md docs/language.html; do
  grep -q "^zorva-[0-9.]*-win32/$file\$" <<<"$listing" || fail "the zip lacks $file"
done

mkdir "$work/unpacked" && (cd "$work/unpacked" && unzip -q "$zip") || fail "unzip failed"
folder=$(echo "$work"/unpacked/zorva-*-win32)
grep -q '<h2 id="keys-and-mouse">Keys and mouse</h2>' "$folder/docs/user-guide.html" ||
  fail "user-guide.html has no heading of its own"

# The debug information stays behind: the DLL is a small download, and still
# exports winampVisGetHeader alone.
for program in vis_zorva.dll zorva-player.exe; do
  i686-w64-mingw32-objdump -h "$folder/$program" | grep -q ' \.debug_' && fail "$program carries debug information"
done
[ "$(stat -c %s "$folder/vis_zorva.dll")" -lt 1048576 ] || fail "vis_zorva.dll measures $(stat -c %s "$folder/vis_zorva.dll") bytes"
"$here/check_dll_interface.sh" "$folder/vis_zorva.dll" >"$work/interface" || fail "$(cat "$work/interface")"

# A runtime DLL of the compiler (libgcc, libstdc++, winpthread) would be
# missing on the user's machine: every import is one that Windows has.
system_dlls='^(kernel32|user32|gdi32|comctl32|comdlg32|advapi32|shell32|msvcrt|psapi|ole32|winmm)\.dll$'
for program in vis_zorva.dll zorva-player.exe; do
  i686-w64-mingw32-objdump -p "$folder/$program" | sed -n 's/^\tDLL Name: //p' | while read -r dll; do
    grep -qiE "$system_dlls" <<<"$dll" || echo "$program imports $dll"
  done
done >"$work/imports"
[ -s "$work/imports" ] && fail "$(cat "$work/imports")"

(cd "$folder" && env -u WINEPATH -u WINEDLLPATH "$wine_run" zorva-player.exe --frames 30 --log "$work/player.log" \
  >"$work/stdout" 2>"$work/stderr") || { fail "the unpacked player failed"; cat "$work/stderr" "$work/player.log"; }
expect_line "$work/player.log" 'init 0'
expect_line "$work/player.log" 'frames 30'
expect_line "$work/player.log" 'quit'

finish package
