#!/usr/bin/env bash
# The time from starting a program until its main window is shown (mapped and visible, as
# "xdotool search --onlyvisible" sees it), under Xvfb: the program on a playlist, and a bare
# QMainWindow program, started in turn RUNS times each after one start of each to warm the caches;
# prints the medians, "program_ms=P bare_ms=B". Not a first start; no sound server.
# The moment a window is mapped is taken from the X server's MapNotify events as xev reports them:
# asking the server over and over would load it and the machine and slow the start measured.
# Usage: start_time.sh PROGRAM BARE_PROGRAM PLAYLIST [RUNS]
set -euo pipefail
program=${1:?usage: start_time.sh PROGRAM BARE_PROGRAM PLAYLIST [RUNS]}
bare=${2:?}
playlist=${3:?}
runs=${4:-11}

# shellcheck source=../tests/support/desktop-session.sh
. "$(dirname "$0")/../tests/support/desktop-session.sh"
desktop_session start bench $((runs * 60 + 60))
unset QT_LINUX_ACCESSIBILITY_ALWAYS_ON || true
printf 'WINE REGISTRY Version 2\n\n[Software\\\\TovrelPro\\\\RAZ] 1700000000\n"Opend"="1"\n' \
  > "$XDG_CONFIG_HOME/TovrelPro/user.reg"
# The X server's reports of windows created, mapped and gone, read as they come: nothing polls the
# server or spins while a program starts.
exec {events}< <(xev -root -event substructure 2>&1)
pids+=($!)
sleep 0.5 # until it listens

# Milliseconds from the start of the command until a window of its named $1 is mapped, into
# $elapsed (in this shell: a subshell would run the session's exit trap).
time_to_window() {
  local name=$1 start pid line now window attempt waited
  shift
  # This machine's X server now and then refuses a client's first connection: a program that ends
  # before its window shows is started again, up to five times.
  for attempt in 1 2 3 4 5; do
    while read -r -u "$events" -t 0.2 _; do :; done # what the last program left
    start=$EPOCHREALTIME
    VORLAK_AUDIO=null "$@" >>"$dir/programs.log" 2>&1 &
    pid=$!
    pids+=("$pid")
    waited=0
    while [ "$waited" -lt 60 ]; do
      if ! read -r -u "$events" -t 1 line; then
        waited=$((waited + 1))
        kill -0 "$pid" 2>/dev/null || break
        continue
      fi
      [[ $line == MapNotify* ]] || continue
      now=$EPOCHREALTIME
      read -r -u "$events" line # "event 0x..., window 0x..., override NO"
      window=${line#*window }
      window=${window%%,*}
      # The time is that of the report; the window's name is asked after.
      if [ "$(xdotool getwindowname "$window" 2>/dev/null)" = "$name" ]; then
        elapsed=$(((${now/./} - ${start/./}) / 1000))
        kill -KILL "$pid"
        wait "$pid" 2>/dev/null || true
        return
      fi
    done
    kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  cat "$dir/programs.log" >&2
  fail "no window: $*"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

program_times=() bare_times=()
for i in $(seq 0 "$runs"); do
  time_to_window 'Vorlak Verivuze Dadeve' "$program" "$playlist"
  p=$elapsed
  time_to_window 'Bare window' "$bare"
  [ "$i" -eq 0 ] && continue # the warming start
  program_times+=("$p")
  bare_times+=("$elapsed")
done
echo "program_ms=$(printf '%s\n' "${program_times[@]}" | median) bare_ms=$(printf '%s\n' "${bare_times[@]}" | median)"
