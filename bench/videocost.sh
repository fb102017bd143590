#!/bin/bash
# What a film costs to watch: processor time of the real player while a 720p H.264 film plays in its video
# window on a private Xvfb screen, beside VLC itself playing the same file the same way in the same run,
# when it is installed (cvlc, Debian's vlc-bin: not a dependency of ours, install it to compare).
#
#   bench/videocost.sh [seconds]     (default 20; needs a build in build/, or ZENDRIX_BIN=<folder>)
#
# Both draw through libvlc's own video output into a window of about 425 by 239 pixels (the player's video
# window; VLC at a third of the film's size), and send their sound to ALSA's null device. Processor time
# is the whole process's (all threads), and the player's UI thread's alone, from /proc/<pid>/task/*/stat,
# over `seconds` after a few seconds of settling.
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
bin=${ZENDRIX_BIN:-$repo/build/bin}
seconds=${1:-20}
for tool in Xvfb ffmpeg xdotool; do
  command -v "$tool" >/dev/null || { echo "videocost: $tool is missing (scripts/install-deps.sh)" >&2; exit 2; }
done
[ -x "$bin/zendrix" ] || { echo "videocost: no player at $bin/zendrix: build first" >&2; exit 2; }

work=$(mktemp -d /tmp/zendrix-videocost.XXXXXX)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

film=$work/film.mp4
ffmpeg -loglevel error -y -f lavfi -i "testsrc2=size=1280x720:rate=30:duration=$((seconds + 30))" \
  -f lavfi -i "sine=frequency=440:duration=$((seconds + 30))" \
  -c:v libx264 -preset veryfast -pix_fmt yuv420p -b:v 3M -c:a aac -b:a 128k "$film"

mkdir -p "$work/app" "$work/home"
cp -r "$bin/zendrix" "$bin/Data" "$work/app/"
printf '[Position]\r\nTop=4800\r\nLeft=4500\r\n[Player]\r\nVolume=50\r\nScreen=True\r\n' >"$work/app/Data/config.ini"
printf 'pcm.!default { type null }\nctl.!default { type hw card 0 }\n' >"$work/home/.asoundrc"

mkfifo "$work/display"
Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp -noreset 5>"$work/display" >/dev/null 2>&1 &
pids+=($!)
read -r number <"$work/display"
export DISPLAY=":$number" QT_QPA_PLATFORM=xcb HOME=$work/home
unset WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS

# VLC will not run as root: as root, both run as nobody, the same for each.
as=()
if [ "$(id -u)" -eq 0 ]; then
  chmod -R a+rwX "$work"
  as=(setpriv --reuid=nobody --regid=nogroup --clear-groups --)
fi

ticks=$(getconf CLK_TCK)
# "<process ticks> <main thread ticks>": user and system time from stat.
cpu() {
  local pid=$1 total=0 task fields
  for task in /proc/"$pid"/task/*; do
    fields=$(sed 's/.*) //' "$task/stat" 2>/dev/null) || continue
    set -- $fields
    total=$((total + ${12} + ${13}))
  done
  fields=$(sed 's/.*) //' /proc/"$pid"/task/"$pid"/stat)
  set -- $fields
  echo "$total $((${12} + ${13}))"
}

measure() {
  local label=$1 pid=$2 before after start end
  sleep 5 # the film starts and settles
  before=$(cpu "$pid")
  start=$(date +%s.%N)
  sleep "$seconds"
  after=$(cpu "$pid")
  end=$(date +%s.%N)
  kill -0 "$pid" 2>/dev/null || { echo "videocost: $label ended early" >&2; exit 1; }
  awk -v label="$label" -v t0="$start" -v t1="$end" -v hz="$ticks" -v b="$before" -v a="$after" 'BEGIN {
    split(b, x); split(a, y); t = t1 - t0
    printf "%-10s %8.1f %10.1f\n", label, (y[1] - x[1]) / hz / t * 100, (y[2] - x[2]) / hz / t * 100 }'
}

printf '%-10s %8s %10s\n' "" "CPU%" "UI thread%"
"${as[@]}" "$work/app/zendrix" "$film" >"$work/zendrix.log" 2>&1 &
pids+=($!)
measure zendrix "${pids[-1]}"
kill "${pids[-1]}"

if command -v cvlc >/dev/null; then
  "${as[@]}" cvlc --no-video-title-show --zoom=0.332 --play-and-exit "$film" >"$work/vlc.log" 2>&1 &
  pids+=($!)
  measure vlc "${pids[-1]}"
else
  echo "vlc        (not installed: apt-get install vlc-bin to compare)"
fi
