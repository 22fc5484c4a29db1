#!/usr/bin/env bash
# Plays a playlist of two titles in the real program under Xvfb through a private PulseAudio
# server with a null sink, records the sink's monitor and checks that the second title follows
# the first without a gap (player_e2e.py). Everything started here ends on every way out.
# Usage: player_e2e.sh PROGRAM FIXTURES_DIR SCREENSHOT_DIR
set -euo pipefail
program=${1:?usage: player_e2e.sh PROGRAM FIXTURES_DIR SCREENSHOT_DIR}
fixtures=${2:?}
shots=${3:?}
here=$(cd "$(dirname "$0")" && pwd)

# shellcheck source=../../support/desktop-session.sh
. "$here/../../support/desktop-session.sh"
desktop_session player capture 300

mkdir -p "$shots"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 NO_AT_BRIDGE=0 VORLAK_AUDIO=pulse
status=0
timeout --kill-after=5 120 dbus-run-session -- /usr/bin/python3 "$here/player_e2e.py" "$program" "$fixtures" \
  "$dir/work" "$shots" >"$dir/run.log" 2>&1 || status=$?
grep -v "Failed to set fd limit" "$dir/run.log" || true
exit "$status"
