#!/usr/bin/env bash
# Runs a test program under Wine. When scripts/test runs tests side by side, ctest hands each test a
# lane (CTEST_RESOURCE_GROUP_0_LANES="id:<n>,slots:1") and the test runs with that lane's Wine prefix
# and virtual display (scripts/lib.sh, vexa_lanes); otherwise with the environment's.
if [ -n "${CTEST_RESOURCE_GROUP_0_LANES:-}" ]; then
  lane=${CTEST_RESOURCE_GROUP_0_LANES#id:}
  lane=${lane%%,*}
  prefix=VEXA_LANE_${lane}_PREFIX display=VEXA_LANE_${lane}_DISPLAY
  if [ -z "${!prefix:-}" ] || [ -z "${!display:-}" ]; then
    echo "ctest gave lane $lane, which this run did not set up (scripts/test sets up the lanes)" >&2
    exit 1
  fi
  export WINEPREFIX=${!prefix} DISPLAY=${!display}
fi
exec wine "$@"
