#!/usr/bin/env bash
# The programs as Wine loads them: no debugging sections (Wine's loader would read them into every
# process's private memory), every section at a page-aligned place in the file (else Wine copies it
# into private memory instead of mapping it), and the debugging information in <program>.debug
# beside the program, named by its debug link.
# Arguments: objdump, then the programs.
set -u
objdump=$1
shift
status=0
fail() {
  echo "FAIL: $*" >&2
  status=1
}
for program in "$@"; do
  name=$(basename "$program")
  if ! sections=$("$objdump" -h "$program"); then
    fail "$name cannot be read"
    continue
  fi
  unaligned=() link=
  # The table's lines: index, name, size, VMA, LMA, file offset, alignment.
  while read -r index section size _ _ offset _; do
    [[ $index =~ ^[0-9]+$ ]] || continue
    [[ $section == .debug_* ]] && fail "$name carries the debugging section $section"
    [[ $section == .gnu_debuglink ]] && link=1
    if [ "$((16#$size))" -gt 0 ] && [ "$((16#$offset))" -gt 0 ] && [ "$((16#$offset % 4096))" -ne 0 ]; then
      unaligned+=("$section")
    fi
  done <<<"$sections"
  [ ${#unaligned[@]} -eq 0 ] || fail "$name has sections not page-aligned in the file: ${unaligned[*]}"
  [ -n "$link" ] || fail "$name has no debug link"
  "$objdump" -h "$program.debug" 2>/dev/null | grep -qE '^ *[0-9]+ \.debug_info ' ||
    fail "$name.debug does not hold the debugging information"
done
[ $status -eq 0 ] && echo "ok"
exit $status
