# Sourced by the scripts that run the real program: a temporary home, a private X server (Xvfb) and
# a private PulseAudio server with one null sink. Everything started here ends on every way out.
# desktop_session NAME SINK SECONDS [SCREEN]
#   NAME names the temporary folder ($dir); the X server takes a free display; both servers end by
#   themselves after SECONDS. Exports HOME, the XDG folders, DISPLAY and PULSE_SERVER; $pids
#   collects processes to end, fail() reports and exits.
fail() { echo "FAILED: $*" >&2; exit 1; }

desktop_session() {
  local name=$1 sink=$2 seconds=$3 screen=${4:-1024x768x24}
  dir=$(mktemp -d "/tmp/vorlak-$name.XXXXXX")
  pids=()
  trap 'for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
        for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
        rm -rf "$dir"' EXIT

  export HOME=$dir/home XDG_RUNTIME_DIR=$dir/run XDG_CONFIG_HOME=$dir/home/.config
  export XDG_DATA_HOME=$dir/home/.local/share
  export PULSE_RUNTIME_PATH=$dir/pulse PULSE_SERVER=unix:$dir/pulse.sock
  mkdir -p "$HOME" "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME/TovrelPro" && chmod 700 "$XDG_RUNTIME_DIR"
  unset WINEPREFIX VORLAK_DRIVES VORLAK_AUDIO DBUS_SESSION_BUS_ADDRESS QT_QPA_PLATFORM || true

  # The X server picks a free display itself and names it once it takes connections, so two
  # sessions started at once never share one.
  timeout --kill-after=5 "$seconds" Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp \
    3>"$dir/display" >"$dir/xvfb.log" 2>&1 &
  pids+=($!)
  for _ in $(seq 300); do [ -s "$dir/display" ] && break; sleep 0.1; done
  [ -s "$dir/display" ] || { cat "$dir/xvfb.log" >&2; fail "no X server"; }
  export DISPLAY=:$(head -n 1 "$dir/display")

  timeout --kill-after=5 "$seconds" pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --system=no \
    -F /dev/null --load="module-null-sink sink_name=$sink rate=44100 channels=2 format=s16le" \
    --load="module-native-protocol-unix auth-anonymous=1 socket=$dir/pulse.sock" --log-target=file:"$dir/pulse.log" &
  pids+=($!)
  for _ in $(seq 100); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
  pactl info >/dev/null || { cat "$dir/pulse.log" >&2; fail "PulseAudio did not start"; }
}
