#!/usr/bin/env bash
# The libraries a program loads with it, before any of its own code runs: under Wine each adds to the
# time before the window shows, so vexa.exe (and the bare window the start-up benchmark measures it
# against) import only kernel32, user32, gdi32 and the C run time; every other library is loaded when
# first used.
# Arguments: objdump, then the programs.
set -u
objdump=$1
shift
allowed=" kernel32.dll user32.dll gdi32.dll msvcrt.dll "
status=0
for program in "$@"; do
  name=$(basename "$program")
  if ! imports=$("$objdump" -p "$program" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z'); then
    echo "FAIL: $name cannot be read" >&2
    status=1
    continue
  fi
  [ -n "$imports" ] || { echo "FAIL: $name shows no imports" >&2; status=1; }
  for dll in $imports; do
    [[ $allowed == *" $dll "* ]] || { echo "FAIL: $name imports $dll" >&2; status=1; }
  done
done
[ $status -eq 0 ] && echo "ok"
exit $status
