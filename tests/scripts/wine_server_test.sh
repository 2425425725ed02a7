#!/usr/bin/env bash
# scripts/test meeting a Wine server that already runs for its prefix: it says what to do and
# leaves that server alone.
set -u
source "$(dirname "$0")/../../scripts/lib.sh"
WINEPREFIX=$(mktemp -d)
export WINEPREFIX
trap 'wineserver -k >/dev/null 2>&1; rm -rf "$WINEPREFIX"' EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

wineserver -p || fail "the test's own server did not start"
# As scripts/test does: start the server, and end it when the run ends.
message=$( { vexa_server; rc=$?; vexa_server_end; exit $rc; } 2>&1 >/dev/null) && fail "a second server was reported as started"
grep -q "already running" <<<"$message" || fail "no message: $message"
grep -q "WINEPREFIX=$WINEPREFIX wineserver -k" <<<"$message" || fail "the message does not say what to do: $message"
wineserver -p 2>/dev/null
[ $? -eq 2 ] || fail "the other run's server was ended"
echo "ok"
