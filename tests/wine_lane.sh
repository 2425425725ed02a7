#!/usr/bin/env bash
# Runs a test program under Wine. When scripts/test runs tests side by side, ctest hands each test a
# lane (CTEST_RESOURCE_GROUP_0_LANES="id:<n>,slots:1") and the test runs with that lane's Wine prefix
# and virtual display (scripts/lib.sh, vexa_lanes), the pointer parked in the screen's bottom right
# corner, so that a test finds the screen as it does whatever ran before it in the lane. Without a
# lane it runs with the environment's prefix and display as they are.
if [ -n "${CTEST_RESOURCE_GROUP_0_LANES:-}" ]; then
  lane=${CTEST_RESOURCE_GROUP_0_LANES#id:}
  lane=${lane%%,*}
  prefix=VEXA_LANE_${lane}_PREFIX display=VEXA_LANE_${lane}_DISPLAY
  if [ -z "${!prefix:-}" ] || [ -z "${!display:-}" ]; then
    echo "ctest gave lane $lane, which this run did not set up (scripts/test sets up the lanes)" >&2
    exit 1
  fi
  export WINEPREFIX=${!prefix} DISPLAY=${!display}
  read -r width height < <(xdotool getdisplaygeometry 2>/dev/null) && xdotool mousemove $((width - 1)) $((height - 1))
fi
exec wine "$@"
