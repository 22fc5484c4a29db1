#!/usr/bin/env bash
# Starts a private PulseAudio server with a null sink and runs the end-to-end tests against it;
# then stops the server and runs the test of the fallback. The server is killed on every way out.
set -euo pipefail
program=${1:?usage: pulse_e2e.sh PLAYBACK_E2E}

dir=$(mktemp -d /tmp/vorlak-pulse.XXXXXX)
server=""
cleanup() {
  if [ -n "$server" ]; then
    kill "$server" 2>/dev/null || true
    wait "$server" 2>/dev/null || true
  fi
  rm -rf "$dir"
}
trap cleanup EXIT

# Everything the server and its clients keep goes to the private folder (as root the server runs
# in user mode there too).
export HOME=$dir XDG_RUNTIME_DIR=$dir XDG_CONFIG_HOME=$dir/config PULSE_RUNTIME_PATH=$dir/runtime
export PULSE_SERVER=unix:$dir/native
unset DISPLAY DBUS_SESSION_BUS_ADDRESS || true

# Under timeout, so that the server ends even when this script is killed before its trap runs.
timeout --kill-after=5 170 pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --system=no -F /dev/null \
  --load="module-null-sink sink_name=capture rate=44100 channels=2 format=s16le" \
  --load="module-native-protocol-unix auth-anonymous=1 socket=$dir/native" \
  --log-target=file:"$dir/server.log" &
server=$!

for _ in $(seq 100); do
  pactl info >/dev/null 2>&1 && break
  kill -0 "$server" 2>/dev/null || { cat "$dir/server.log" >&2; echo "FAILED: the server ended" >&2; exit 1; }
  sleep 0.1
done
pactl info >/dev/null || { cat "$dir/server.log" >&2; echo "FAILED: the server does not answer" >&2; exit 1; }

timeout 120 "$program" --gtest_filter='PulseE2e.*'
kill "$server"
wait "$server" 2>/dev/null || true
server=""
timeout 30 "$program" --gtest_filter='NoServer.*'
