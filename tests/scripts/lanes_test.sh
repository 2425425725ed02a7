#!/usr/bin/env bash
# vexa_lanes (scripts/lib.sh) with stand-ins for Xvfb, Wine and its server: each further lane is a
# copy of the prefix without the file naming its server's folder, kept while the prefix stays and
# made again when the prefix is made again; each gets a display and a server of its own, and ctest's
# resource file lists every lane; vexa_lanes_end ends the lanes' servers and displays.
set -u
source "$(dirname "$0")/../../scripts/lib.sh"
work=$(mktemp -d)
trap 'vexa_lanes_end; rm -rf "$work"' EXIT
status=0
fail() {
  echo "FAIL: $*" >&2
  status=1
}

mkdir -p "$work/stubs" "$work/build/bin" "$work/prefix/drive_c"
# Xvfb writes its display number to fd 3 and stays; wine and wineserver note their calls, and wine
# writes the keeper's ready file (Z:\path is /path).
cat >"$work/stubs/Xvfb" <<'STUB'
#!/usr/bin/env bash
echo $((RANDOM % 900 + 100)) >&3
exec sleep 600
STUB
cat >"$work/stubs/wine" <<'STUB'
#!/usr/bin/env bash
echo "wine $WINEPREFIX $DISPLAY $*" >>"$CALLS"
case "${2:-}" in Z:*) f=${2#Z:}; touch "${f//\\//}" ;; esac
STUB
cat >"$work/stubs/wineserver" <<'STUB'
#!/usr/bin/env bash
echo "wineserver $WINEPREFIX $*" >>"$CALLS"
STUB
chmod +x "$work/stubs/"*
export PATH="$work/stubs:$PATH" CALLS=$work/calls
touch "$work/build/bin/desktop_keeper.exe"
VEXA_BUILD=$work/build WINEPREFIX=$work/prefix DISPLAY=:9
echo 2 >"$WINEPREFIX/.vexa-prefix"
echo "registry" >"$WINEPREFIX/system.reg"
echo "wine-main" >"$WINEPREFIX/wineserver"

vexa_lanes 3
for n in 1 2; do
  dir=$work/build/lanes/$n
  [ "$(cat "$dir/system.reg" 2>/dev/null)" = registry ] || fail "lane $n is no copy of the prefix"
  [ -d "$dir/drive_c" ] || fail "lane $n lacks the prefix's folders"
  [ -e "$dir/wineserver" ] && fail "lane $n shares the prefix's server folder"
  prefix=VEXA_LANE_${n}_PREFIX display=VEXA_LANE_${n}_DISPLAY
  [ "${!prefix}" = "$dir" ] || fail "lane $n's prefix is '${!prefix}'"
  grep -q "^wineserver $dir -p" "$CALLS" || fail "lane $n's server was not started"
  grep -q "^wine $dir ${!display} .*desktop_keeper.exe" "$CALLS" || fail "lane $n's desktop is not kept"
done
[ "$VEXA_LANE_0_PREFIX $VEXA_LANE_0_DISPLAY" = "$WINEPREFIX :9" ] || fail "lane 0 is not the prefix and display"
[ "$VEXA_LANE_1_DISPLAY" != "$VEXA_LANE_2_DISPLAY" ] || fail "two lanes share a display"
expected='{"version": {"major": 1, "minor": 0}, "local": [{"lanes": [{"id": "0", "slots": 1}, {"id": "1", "slots": 1}, {"id": "2", "slots": 1}]}]}'
[ "$(cat "$VEXA_LANES_SPEC")" = "$expected" ] || fail "resource file: $(cat "$VEXA_LANES_SPEC")"

# A second run keeps the copies while the prefix stays, and copies anew once it was made again.
vexa_lanes_end
echo left >"$work/build/lanes/1/drive_c/left-by-a-test"
vexa_lanes 2
[ -e "$work/build/lanes/1/drive_c/left-by-a-test" ] || fail "an unchanged prefix was copied again"
vexa_lanes_end
touch -d '+1 minute' "$WINEPREFIX/.vexa-prefix"
vexa_lanes 2
[ -e "$work/build/lanes/1/drive_c/left-by-a-test" ] && fail "the lane kept its copy of an older prefix"

# The end: the lanes' servers are ended and their displays gone.
xvfb=("${VEXA_LANE_XVFB[@]}")
vexa_lanes_end
grep -q "^wineserver $work/build/lanes/1 -k" "$CALLS" || fail "lane 1's server was not ended"
sleep 0.2
for pid in "${xvfb[@]}"; do kill -0 "$pid" 2>/dev/null && fail "a lane's display ($pid) is still running"; done
[ $status -eq 0 ] && echo "ok"
exit $status
