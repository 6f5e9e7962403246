#!/usr/bin/env bash
# The release zip on its own: built from the programs in BIN, unpacked into a
# fresh folder outside the build tree, and run there under a Wine prefix of
# its own, so that a runtime DLL that only the build tree has would be missed.
# The prefix is a copy of the one that scripts/setup made, because making one
# anew takes minutes where 32-bit programs run through an emulator.
# Arguments: the folder of the Windows programs.
set -uo pipefail
bin="$(realpath "$1")"
root="$(cd "$(dirname "$0")/../.." && pwd)"
source "$(dirname "$0")/player_checks.sh"

"$root/scripts/package" --bin "$bin" -o "$work/zorva.zip" >/dev/null || fail "scripts/package failed"
listing=$(cd "$work" && unzip -Z1 zorva.zip)
for file in vis_zorva.dll zorva-player.exe LICENSE.txt docs/user-guide.md docs/user-guide.html \
            docs/language.md docs/language.html; do
  grep -q "^zorva-[0-9.]*-win32/$file\$" <<<"$listing" || fail "the zip lacks $file"
done

mkdir "$work/unpacked" && (cd "$work/unpacked" && unzip -q ../zorva.zip) || fail "unzip failed"
folder=$(echo "$work"/unpacked/zorva-*-win32)
grep -q '<h2 id="keys-and-mouse">Keys and mouse</h2>' "$folder/docs/user-guide.html" ||
  fail "user-guide.html has no heading of its own"

cp -a "${WINEPREFIX:-$HOME/.wine}" "$work/prefix"
(
  cd "$folder" &&
    env -u WINEPATH -u WINEDLLPATH WINEPREFIX="$work/prefix" \
      "$wine_run" zorva-player.exe --frames 30 --log "$work/player.log" >"$work/stdout" 2>"$work/stderr"
) || { fail "the unpacked player failed"; cat "$work/stderr" "$work/player.log"; }
WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null
expect_line "$work/player.log" 'init 0'
expect_line "$work/player.log" 'frames 30'
expect_line "$work/player.log" 'quit'

finish package
