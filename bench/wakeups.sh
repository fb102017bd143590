#!/bin/bash
# What the real player costs while nothing changes: processor time and wake-ups of the whole process
# and of its main (UI) thread, in four states on a private Xvfb screen:
#   idle                  nothing loaded, the pointer away from every window
#   idle, pointer on      the same with the pointer resting on the play button
#   playing               a tagged MP3 opened through the open button's dialog, the pointer away
#   playing, pointer on   the same with the pointer resting on the play button
#
#   bench/wakeups.sh [seconds]     (default 20 per state; needs a build in build/, or ZENDRIX_BIN=<folder>)
#   WAKEUPS_THREADS=1 bench/wakeups.sh    also lists every thread's share
#
# Processor time comes from /proc/<pid>/task/<tid>/schedstat (nanoseconds on a processor), wake-ups
# from the voluntary context switches in .../status (a thread that goes to sleep and is woken again),
# switches from the voluntary and non-voluntary ones together (a thread that is preempted by one it has
# woken counts there too), all summed over the threads that live through a whole measurement. Audio
# goes to ALSA's null device, so libvlc paces playback as it would on a sound card.
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
bin=${ZENDRIX_BIN:-$repo/build/bin}
seconds=${1:-20}

if ! command -v xdotool >/dev/null; then
  apt-get update >/dev/null && apt-get install -y --no-install-recommends xdotool >/dev/null
fi
for tool in Xvfb ffmpeg xdotool; do
  command -v "$tool" >/dev/null || { echo "wakeups: $tool is missing (scripts/install-deps.sh)" >&2; exit 2; }
done
[ -x "$bin/zendrix" ] || { echo "wakeups: no player at $bin/zendrix: build first" >&2; exit 2; }

work=$(mktemp -d /tmp/zendrix-wakeups.XXXXXX)
player=
xvfb=
cleanup() {
  [ -z "$player" ] || kill "$player" 2>/dev/null || true
  [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

song=$work/song.mp3
ffmpeg -loglevel error -y -f lavfi -i "sine=frequency=440:duration=$((4 * seconds + 60))" \
  -c:a libmp3lame -b:a 128k -metadata title=Morning -metadata artist=Bench "$song"

mkdir -p "$work/app" "$work/home"
cp -r "$bin/zendrix" "$bin/Data" "$work/app/"
# The main window at 300, 320 on the screen.
printf '[Position]\r\nTop=4800\r\nLeft=4500\r\n[Player]\r\nVolume=50\r\n' >"$work/app/Data/config.ini"
printf 'pcm.!default { type null }\nctl.!default { type hw card 0 }\n' >"$work/home/.asoundrc"

mkfifo "$work/display"
Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp -noreset 5>"$work/display" >/dev/null 2>&1 &
xvfb=$!
read -r number <"$work/display"
export DISPLAY=":$number" QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY
HOME=$work/home "$work/app/zendrix" >"$work/zendrix.log" 2>&1 &
player=$!
xdotool search --sync --onlyvisible --name '^Zendrix$' >/dev/null

away() { xdotool mousemove 1200 1000; }
on_play_button() { xdotool mousemove $((300 + 50 + 18)) $((320 + 7 + 10)); }

# "<tid> <ns on a processor> <voluntary switches> <all switches> <name>" for each thread of the player.
sample() {
  local task tid ns switches
  for task in /proc/"$player"/task/*; do
    tid=${task##*/}
    read -r ns _ <"$task/schedstat" 2>/dev/null || continue
    switches=$(awk '/^voluntary_ctxt_switches/ { v = $2 } /ctxt_switches/ { n += $2 } END { print v, n }' \
      "$task/status" 2>/dev/null) || continue
    echo "$tid $ns $switches $(cat "$task/comm" 2>/dev/null)"
  done
}

printf '%-20s %19s %19s\n' "" "---- process ----" "-- main thread --"
printf '%-20s %6s %6s %5s %6s %6s %5s\n' state CPU% wake/s sw/s CPU% wake/s sw/s
measure() {
  local label=$1 before after start end
  sleep 3 # the state settles: the pointer's paint, the item's start
  before=$(sample)
  start=$(date +%s.%N)
  sleep "$seconds"
  after=$(sample)
  end=$(date +%s.%N)
  awk -v label="$label" -v main="$player" -v start="$start" -v end="$end" -v threads="${WAKEUPS_THREADS:-}" '
    NR == FNR { ns[$1] = $2; wk[$1] = $3; sw[$1] = $4; next }
    ($1 in ns) {
      dns = $2 - ns[$1]; dwk = $3 - wk[$1]; dsw = $4 - sw[$1]
      totalNs += dns; totalWk += dwk; totalSw += dsw
      if ($1 == main) { mainNs = dns; mainWk = dwk; mainSw = dsw }
      if (threads != "")
        lines = lines sprintf("  %-15s %6d %6.3f %6.1f %5.1f\n", $5, $1, dns / t / 1e7, dwk / t, dsw / t)
    }
    BEGIN { t = end - start }
    END {
      printf "%-20s %6.3f %6.1f %5.1f %6.3f %6.1f %5.1f\n", label, totalNs / t / 1e7, totalWk / t, totalSw / t,
        mainNs / t / 1e7, mainWk / t, mainSw / t
      printf "%s", lines
    }' <(echo "$before") <(echo "$after")
}

away
measure "idle"
on_play_button
measure "idle, pointer on"

# Open the MP3 through the open button (136, 30 in the main window) and its dialog.
xdotool mousemove $((300 + 136 + 32)) $((320 + 30 + 8)) click 1
dialog=$(xdotool search --sync --onlyvisible --name '^Open Media File$')
xdotool windowfocus --sync "${dialog%%$'\n'*}" type --delay 2 "$song"
xdotool key Return
away
for _ in $(seq 50); do
  ls -l /proc/"$player"/fd 2>/dev/null | grep -q song.mp3 && break
  sleep 0.1
done
ls -l /proc/"$player"/fd | grep -q song.mp3 || { echo "wakeups: the player did not open the MP3" >&2; exit 1; }
measure "playing"
on_play_button
measure "playing, pointer on"
