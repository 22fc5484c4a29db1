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

dir=$(mktemp -d /tmp/vorlak-journey.XXXXXX)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$dir"
}
trap cleanup EXIT

export HOME=$dir/home XDG_RUNTIME_DIR=$dir/run XDG_CONFIG_HOME=$dir/home/.config XDG_DATA_HOME=$dir/home/.local/share
export PULSE_RUNTIME_PATH=$dir/pulse PULSE_SERVER=unix:$dir/pulse.sock
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
unset WINEPREFIX VORLAK_DRIVES VORLAK_AUDIO DBUS_SESSION_BUS_ADDRESS QT_QPA_PLATFORM || true

# X server on the first free display from :115 on (VORLAK_E2E_DISPLAY chooses another start).
display=${VORLAK_E2E_DISPLAY:-115}
last=$((display + 50))
while :; do
  if [ ! -e "/tmp/.X$display-lock" ]; then
    timeout --kill-after=5 900 Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >"$dir/xvfb.log" 2>&1 &
    xvfb=$!
    pids+=($xvfb)
    # Ours when it answers and still runs (a server of another namespace may hold the number).
    for _ in $(seq 50); do
      kill -0 $xvfb 2>/dev/null || break
      DISPLAY=:$display xdotool getdisplaygeometry >/dev/null 2>&1 && sleep 0.3 && kill -0 $xvfb 2>/dev/null && break 2
      sleep 0.1
    done
  fi
  display=$((display + 1))
  [ "$display" -lt "$last" ] || { cat "$dir/xvfb.log" >&2; echo "FAILED: no X server" >&2; exit 1; }
done
export DISPLAY=:$display

timeout --kill-after=5 900 pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --system=no -F /dev/null \
  --load="module-null-sink sink_name=journey rate=44100 channels=2" \
  --load="module-native-protocol-unix auth-anonymous=1 socket=$dir/pulse.sock" \
  --log-target=file:"$dir/pulse.log" &
pids+=($!)
for _ in $(seq 100); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
pactl info >/dev/null || { cat "$dir/pulse.log" >&2; echo "FAILED: PulseAudio did not start" >&2; exit 1; }

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
