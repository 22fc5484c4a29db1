#!/usr/bin/env bash
# The media-key service of the real program on a private session bus: busctl calls PlayPause,
# Next and Previous and reads PlaybackStatus and Metadata while the program plays the demo game
# into the silent output; the changes arrive as PropertiesChanged. Then the program without any
# session bus: it runs, and says nothing about it. Usage: mpris.sh BUILD_DIR
set -euo pipefail
build=$(cd "${1:?usage: mpris.sh BUILD_DIR}" && pwd)
source=$(cd "$(dirname "$0")/../.." && pwd)

dir=$(mktemp -d /tmp/vorlak-mpris.XXXXXX)
trap 'rm -rf "$dir"' EXIT
export HOME=$dir XDG_CONFIG_HOME=$dir/config XDG_DATA_HOME=$dir/data XDG_RUNTIME_DIR=$dir
export QT_QPA_PLATFORM=offscreen VORLAK_AUDIO=null
unset WINEPREFIX VORLAK_DRIVES DISPLAY || true
"$source/scripts/demo-game" "$build" >/dev/null
printf '\n[Software\\\\TovrelPro\\\\RAZ] 1700000000\n"Opend"="1"\n' >>"$XDG_CONFIG_HOME/TovrelPro/user.reg"

cat >"$dir/on-bus.sh" <<'EOS'
set -u
fail() { echo "FAILED: $*" >&2; exit 1; }
bus() { busctl --address="$DBUS_SESSION_BUS_ADDRESS" "$@"; }
player=(org.mpris.MediaPlayer2.vorlak /org/mpris/MediaPlayer2)
get() { bus get-property "${player[@]}" org.mpris.MediaPlayer2.Player "$1"; }
call() { bus call "${player[@]}" org.mpris.MediaPlayer2.Player "$1" || fail "$1 is refused"; }
# Waits until property $1 shows the text $2 (the title as the tag has it, or a status).
expect() {
  for _ in $(seq 50); do get "$1" | grep -qF -- "$2" && return 0; sleep 0.1; done
  fail "$1 is $(get "$1"), not $2"
}

dbus-monitor --address "$DBUS_SESSION_BUS_ADDRESS" \
  "type='signal',interface='org.freedesktop.DBus.Properties',member='PropertiesChanged'" >"$1/signals" 2>&1 &
monitor=$!
"$2" >"$1/program.log" 2>&1 &
program=$!
trap 'kill $program $monitor 2>/dev/null; wait $program $monitor 2>/dev/null' EXIT
for _ in $(seq 100); do bus status org.mpris.MediaPlayer2.vorlak >/dev/null 2>&1 && break; sleep 0.1; done
bus get-property "${player[@]}" org.mpris.MediaPlayer2 Identity | grep -qF '"Vorlak Verivuze Dadeve"' ||
  fail "the player is not on the bus: $(cat "$1/program.log")"

expect PlaybackStatus '"Stopped"'
expect Metadata '/org/mpris/MediaPlayer2/TrackList/NoTrack'
call PlayPause
expect PlaybackStatus '"Playing"'
expect Metadata '"xesam:title" s "Dawn"'
get Metadata | grep -qF '"xesam:artist" as 1 "Vorlak Ensemble"' || fail "artist: $(get Metadata)"
get Metadata | grep -qF '"mpris:length" x 4000000' || fail "length: $(get Metadata)"
get Metadata | grep -qE '"xesam:url" s "file:///.*/01%20Dawn\.mp3"' || fail "URL: $(get Metadata)"
call Next
expect Metadata '"xesam:title" s "Marsh"'
expect PlaybackStatus '"Playing"'
call Previous
expect Metadata '"xesam:title" s "Dawn"'
call PlayPause
expect PlaybackStatus '"Stopped"'
call Play
expect PlaybackStatus '"Playing"'
call Stop
expect PlaybackStatus '"Stopped"'
sleep 0.5
grep -q '"Playing"' "$1/signals" && grep -q '"Marsh"' "$1/signals" && grep -q '"Stopped"' "$1/signals" ||
  fail "no PropertiesChanged: $(cat "$1/signals")"
echo "media keys on the session bus: fine"
EOS
status=0
timeout --kill-after=5 60 dbus-run-session -- bash "$dir/on-bus.sh" "$dir" "$build/vorlak" >"$dir/bus.log" 2>&1 ||
  status=$?
grep -v -e "Failed to set fd limit" -e "became a monitor" -e "Monitoring connection" "$dir/bus.log" || true
[ "$status" -eq 0 ] || exit 1

# No session bus at all: the program starts, runs and says nothing about a bus.
status=0
DBUS_SESSION_BUS_ADDRESS=unix:path=$dir/no-bus timeout 3 "$build/vorlak" >"$dir/alone.log" 2>&1 || status=$?
[ "$status" -eq 124 ] || { cat "$dir/alone.log" >&2; echo "FAILED: without a bus it ended with $status" >&2; exit 1; }
if grep -i -E "d-?bus|mpris" "$dir/alone.log"; then echo "FAILED: it talks about the bus" >&2; exit 1; fi
echo "without a session bus: runs silently"
