#!/usr/bin/env bash
# The hook blocks' code, as the platform tests assemble it, disassembled and compared with the listing
# that was read and checked instruction by instruction: a change of the emitter or of the block's
# steps shows here as a changed listing.
# Arguments: emulator, platform test program, objdump, folder of the expected listings.
set -euo pipefail
emulator=$1 program=$2 objdump=$3 expected=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
"$emulator" "$program" --gtest_filter='CodeHookCode.*' >/dev/null
status=0
for copy in option button; do
  "$objdump" -D -b binary -m i386 "hook_code_$copy.bin" | sed -n 's/^ *\([0-9a-f]*\):\t[0-9a-f ]*\t\(.*\)$/\1: \2/p' |
    sed 's/ *$//' >"$copy.txt"
  if grep -q '(bad)' "$copy.txt"; then
    echo "hook code of the $copy copy holds bytes that are no instruction" >&2
    status=1
  fi
  if ! diff -u "$expected/hook_code_$copy.expected" "$copy.txt"; then
    echo "hook code of the $copy copy differs from its checked listing" >&2
    status=1
  fi
done
exit $status
