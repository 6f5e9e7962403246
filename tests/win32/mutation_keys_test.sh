#!/usr/bin/env bash
# Space and the left button mutate the plug-in's expression in the player
# under Wine: what Ctrl+C copies afterwards differs from what it copies
# without them. Argument: the folder of the Windows programs.
set -uo pipefail
bin="$(cd "$1" && pwd)"
source "$(dirname "$0")/player_checks.sh"
own_plugin ShowGlyxInputWindow=0 AutoMutate=0 AutoRestart=0

# A long sum: one mutation all but surely changes some of its 239 nodes.
sum=$(seq -s+ 1 120)

copied() {  # NAME [EVENT...]: the clipboard after pasting the sum, the events and Ctrl+C
  local name=$1
  shift
  {
    echo "0 clipboard $sum"
    echo "0 key v ctrl"
    for event in "$@"; do echo "1 $event"; done
    echo "2 key c ctrl"
    echo "3 quit"
  } >"$work/$name.script"
  run_player --audio silence --frames 10 --script "$work/$name.script" --log "$work/$name.log" ||
    fail "player $name: exit status $?"
  sed -n 's/^clipboard //p' "$work/$name.log"
}

before=$(copied before)
[[ "$before" == *"$sum\"" ]] || fail "Ctrl+C without a mutation copied $before"
for event in "key space" "click left"; do
  after=$(copied "${event/ /-}" "$event")
  { [ -n "$after" ] && [ "$after" != "$before" ]; } || fail "$event left the expression as it was: $after"
done

finish "mutation by key and mouse"
