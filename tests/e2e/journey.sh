#!/usr/bin/env bash
# Runs the user's journey (journey.py) against the real program: a private X server (Xvfb), a
# private D-Bus session (which also carries the accessibility bus), a private PulseAudio server with
# a null sink, and a temporary home with the demo game. Everything started here ends on every way
# out. Usage: journey.sh BUILD_DIR [ROUNDS]
set -euo pipefail
build=$(cd "${1:?usage: journey.sh BUILD_DIR [ROUNDS]}" && pwd)
rounds=${2:-1}
here=$(cd "$(dirname "$0")" && pwd)
source=$(cd "$here/../.." && pwd)

# shellcheck source=../support/desktop-session.sh
. "$here/../support/desktop-session.sh"
desktop_session journey journey 900 1280x1024x24

export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 NO_AT_BRIDGE=0 VORLAK_AUDIO=pulse
for round in $(seq "$rounds"); do
  # A fresh start each round: first start, the demo game's playlist as made.
  rm -rf "$XDG_CONFIG_HOME/TovrelPro"
  "$source/scripts/demo-game" "$build" >/dev/null
  cp "$XDG_DATA_HOME/TovrelPro/demo/Half-Life/vorlak/mp3/playlist.def" \
     "$XDG_DATA_HOME/TovrelPro/demo/Half-Life/vorlak/mp3/playlist.txt"
  echo "== round $round of $rounds"
  status=0
  timeout --kill-after=5 300 dbus-run-session -- /usr/bin/python3 "$here/journey.py" "$build/vorlak" \
    "$XDG_DATA_HOME/TovrelPro/demo/Half-Life" >"$dir/round.log" 2>&1 || status=$?
  grep -v "Failed to set fd limit" "$dir/round.log" || true
  [ "$status" -eq 0 ] || { echo "FAILED in round $round (exit $status)" >&2; exit 1; }
done
