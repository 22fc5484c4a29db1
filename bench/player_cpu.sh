#!/usr/bin/env bash
# The whole program playing a 200-second title for 60 s under Xvfb, through a private PulseAudio
# server's null sink, with the time display on: prints "cpu_seconds=C wall_seconds=W" for the
# program's process. Everything started here ends on every way out.
# Usage: player_cpu.sh PROGRAM FIXTURES_DIR [SECONDS]
set -euo pipefail
program=${1:?usage: player_cpu.sh PROGRAM FIXTURES_DIR [SECONDS]}
fixtures=$(cd "${2:?}" && pwd)
seconds=${3:-60}

# shellcheck source=../tests/support/desktop-session.sh
. "$(dirname "$0")/../tests/support/desktop-session.sh"
# An X server on the first free display from :171 on (the variable chooses another start).
desktop_session cpu bench $((seconds + 120))
unset QT_LINUX_ACCESSIBILITY_ALWAYS_ON || true

# One title on the playlist; not the first start, so no question comes before the window.
printf 'Z:%s\r\n' "$(printf '%s' "$fixtures/long-200s.mp3" | tr / '\\')" > "$dir/one.txt"
printf 'WINE REGISTRY Version 2\n\n[Software\\\\TovrelPro\\\\RAZ] 1700000000\n"Opend"="1"\n' \
  > "$XDG_CONFIG_HOME/TovrelPro/user.reg"
VORLAK_AUDIO=pulse "$program" "$dir/one.txt" >"$dir/program.log" 2>&1 &
program_pid=$!
pids+=($program_pid)
window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Vorlak Verivuze Dadeve$' | head -1) || fail "no window"
sleep 1
# The Play button: centred on the window's width, left of the middle, 1500 twips below the client
# area's top (below the menu bar); the client area is 7365 twips high at the design size.
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove $((X + WIDTH / 2 - 16)) $((Y + HEIGHT - 491 + 100 + 16)) click 1
sleep 2
[ -n "$(pactl list short sink-inputs)" ] || fail "nothing plays after the click on Play"

ticks=$(getconf CLK_TCK)
cpu() { awk '{ print $14 + $15 }' "/proc/$program_pid/stat"; }
c0=$(cpu)
w0=$(date +%s.%N)
sleep "$seconds"
c1=$(cpu)
w1=$(date +%s.%N)
[ -n "$(pactl list short sink-inputs)" ] || fail "the title stopped playing"
# VORLAK_BENCH_SHOT=file.png keeps a screenshot of the end of the run, to look at.
[ -z "${VORLAK_BENCH_SHOT:-}" ] || import -window root -crop "${WIDTH}x${HEIGHT}+$X+$Y" "$VORLAK_BENCH_SHOT"
awk -v c="$((c1 - c0))" -v t="$ticks" -v a="$w0" -v b="$w1" \
  'BEGIN { printf "cpu_seconds=%.3f wall_seconds=%.3f\n", c / t, b - a }'
