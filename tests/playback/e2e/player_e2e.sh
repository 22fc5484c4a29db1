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

dir=$(mktemp -d /tmp/vorlak-player.XXXXXX)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$dir"
}
trap cleanup EXIT

export HOME=$dir/home XDG_RUNTIME_DIR=$dir/run XDG_CONFIG_HOME=$dir/home/.config
export PULSE_RUNTIME_PATH=$dir/pulse PULSE_SERVER=unix:$dir/pulse.sock
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
unset WINEPREFIX VORLAK_DRIVES VORLAK_AUDIO DBUS_SESSION_BUS_ADDRESS QT_QPA_PLATFORM || true

# An X server on the first free display from :141 on (the variable chooses another start); one
# that does not answer (it lost a race for its display) is passed over.
display=${VORLAK_E2E_DISPLAY:-141}
last=$((display + 50))
while :; do
  if [ ! -e "/tmp/.X$display-lock" ]; then
    timeout --kill-after=5 300 Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >"$dir/xvfb.log" 2>&1 &
    pids+=($!)
    for _ in $(seq 50); do DISPLAY=:$display xdotool getdisplaygeometry >/dev/null 2>&1 && break 2; sleep 0.1; done
  fi
  display=$((display + 1))
  [ "$display" -lt "$last" ] || { cat "$dir/xvfb.log" >&2; echo "FAILED: no X server" >&2; exit 1; }
done
export DISPLAY=:$display

timeout --kill-after=5 300 pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --system=no -F /dev/null \
  --load="module-null-sink sink_name=capture rate=44100 channels=2 format=s16le" \
  --load="module-native-protocol-unix auth-anonymous=1 socket=$dir/pulse.sock" \
  --log-target=file:"$dir/pulse.log" &
pids+=($!)
for _ in $(seq 100); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
pactl info >/dev/null || { cat "$dir/pulse.log" >&2; echo "FAILED: PulseAudio did not start" >&2; exit 1; }

mkdir -p "$shots"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 NO_AT_BRIDGE=0 VORLAK_AUDIO=pulse
status=0
timeout --kill-after=5 120 dbus-run-session -- /usr/bin/python3 "$here/player_e2e.py" "$program" "$fixtures" \
  "$dir/work" "$shots" >"$dir/run.log" 2>&1 || status=$?
grep -v "Failed to set fd limit" "$dir/run.log" || true
exit "$status"
