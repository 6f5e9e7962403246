#!/usr/bin/env bash
# The plug-in exports exactly winampVisGetHeader and imports only DLLs that
# every Windows has, so a user copies one file.
set -euo pipefail
dll="$1"
dump=$(i686-w64-mingw32-objdump -p "$dll")

exports=$(sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$dump" | grep -E '^\s+\[' | grep -oE '[A-Za-z_@0-9]+$' || true)
if [ "$exports" != "winampVisGetHeader" ]; then
  echo "exports are not exactly winampVisGetHeader:"; echo "$exports"; exit 1
fi

system_dlls='^(kernel32|user32|gdi32|msvcrt|advapi32|comctl32|winmm|ole32|shell32)\.dll$'
bad=0
while read -r name; do
  if ! grep -qiE "$system_dlls" <<<"$name"; then echo "imports non-system DLL: $name"; bad=1; fi
done < <(grep -oE 'DLL Name: .*' <<<"$dump" | cut -c11-)
[ "$bad" -eq 0 ] && echo "exports: winampVisGetHeader; imports: system DLLs only"
exit "$bad"
