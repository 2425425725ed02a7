#!/usr/bin/env bash
# tests/wine_lane.sh runs a test program with the Wine prefix and display of the lane ctest handed
# the test, with the environment's without a lane, and refuses a lane the run did not set up.
set -u
lane_script=$(cd "$(dirname "$0")/.." && pwd)/wine_lane.sh
bin=$(mktemp -d)
trap 'rm -rf "$bin"' EXIT
# A stand-in for wine that shows where it would run the program.
printf '#!/usr/bin/env bash\necho "$WINEPREFIX|$DISPLAY|$*"\n' >"$bin/wine"
chmod +x "$bin/wine"
status=0

# lane given by ctest | expected output ("refused" when the script must fail without running wine)
cases=(
  "|/lanes/base|:5|a.exe --gtest_filter=X.Y"
  "id:0,slots:1|/lanes/base|:5|a.exe --gtest_filter=X.Y"
  "id:2,slots:1|/lanes/two dir|:12|a.exe --gtest_filter=X.Y"
  "id:3,slots:1|refused"
)
for c in "${cases[@]}"; do
  lane=${c%%|*} expected=${c#*|}
  out=$(env -i PATH="$bin:$PATH" WINEPREFIX=/lanes/base DISPLAY=:5 \
    VEXA_LANE_0_PREFIX=/lanes/base VEXA_LANE_0_DISPLAY=:5 \
    VEXA_LANE_2_PREFIX="/lanes/two dir" VEXA_LANE_2_DISPLAY=:12 \
    ${lane:+CTEST_RESOURCE_GROUP_0_LANES=$lane} bash "$lane_script" a.exe --gtest_filter=X.Y 2>/dev/null)
  rc=$?
  if [ "$expected" = refused ]; then
    [ $rc -ne 0 ] && [ -z "$out" ] || { echo "FAIL: lane '$lane' was not refused: $out" >&2; status=1; }
  elif [ $rc -ne 0 ] || [ "$out" != "$expected" ]; then
    echo "FAIL: lane '$lane' ran as '$out' (exit $rc), not as '$expected'" >&2
    status=1
  fi
done
[ $status -eq 0 ] && echo "ok"
exit $status
