#!/usr/bin/env bash
# The release zip on its own: unpacked into a fresh folder outside the build
# tree and run there under a fresh Wine prefix, so that a runtime DLL that only
# the build tree or a used prefix has would be missed. Argument: the zip.
# scripts/package --test runs it: a new prefix takes from seconds to many
# minutes (where 32-bit programs run through an emulator), too long for
# scripts/test.
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

(
  cd "$folder" &&
    env -u WINEPATH -u WINEDLLPATH WINEPREFIX="$work/prefix" WINEARCH=win32 \
      "$wine_run" zorva-player.exe --frames 30 --log "$work/player.log" >"$work/stdout" 2>"$work/stderr"
) || { fail "the unpacked player failed"; cat "$work/stderr" "$work/player.log"; }
WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null
expect_line "$work/player.log" 'init 0'
expect_line "$work/player.log" 'frames 30'
expect_line "$work/player.log" 'quit'

finish package
