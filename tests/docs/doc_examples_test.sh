#!/usr/bin/env bash
# Runs every example of a document through `zorva check`. Arguments: the zorva
# program, then the document.
#
# Examples are the "$ zorva ..." lines of its ```console blocks. For
# `zorva check` the lines that follow, up to the next "$ " line or the end of
# the block, are what it prints (standard output and error together); an
# expected line ending in "..." only has to start the same. For `zorva render`
# the TEXT must build. Other commands are not examples.
set -uo pipefail
zorva_program="$1"
document="$2"
passed=0
failed=0

# The document's commands run with `zorva` standing for this function.
zorva() {
  case "$1" in
    check) "$zorva_program" "$@" 2>&1 ;;
    render) "$zorva_program" check "$2" >/dev/null 2>&1 || echo "render: the text does not build" ;;
  esac
}

matches() {  # ACTUAL EXPECTED
  local actual="$1" expected="$2" line
  [ "$actual" = "$expected" ] && return 0
  [ "$(wc -l <<<"$actual")" -eq "$(wc -l <<<"$expected")" ] || return 1
  while IFS= read -r line <&3 && IFS= read -r want <&4; do
    if [[ "$want" == *... ]]; then
      [[ "$line" == "${want%...}"* ]] || return 1
    else
      [ "$line" = "$want" ] || return 1
    fi
  done 3<<<"$actual" 4<<<"$expected"
}

check_example() {  # COMMAND EXPECTED
  local actual
  actual=$(eval "$1")
  if matches "$actual" "$2"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    printf 'FAIL: $ %s\n--- expected:\n%s\n--- got:\n%s\n---\n' "$1" "$2" "$actual"
  fi
}

in_console=0
command=""
expected=""
flush() {
  [ -n "$command" ] && check_example "$command" "$expected"
  command=""
  expected=""
}
while IFS= read -r line; do
  if [ "$in_console" -eq 0 ]; then
    [ "$line" = '```console' ] && in_console=1
    continue
  fi
  case "$line" in
    '```') flush; in_console=0 ;;
    '$ zorva check '* | '$ zorva render '*) flush; command="${line#\$ }" ;;
    '$ '*) flush ;;
    *) [ -n "$command" ] && expected+="${expected:+$'\n'}$line" ;;
  esac
done <"$document"

echo "$(basename "$document"): $passed passed, $failed failed"
[ "$passed" -gt 0 ] && [ "$failed" -eq 0 ]
