#!/bin/sh
# Takes the README's screenshots from the real binary on a private Xvfb screen:
#   docs/player.png   the window group at a first start (no settings yet)
#   docs/playing.png  a generated video playing, with the video, playlist and information windows shown
#   docs/skins.png    the window group under each shipped skin
# Needs a build (build/bin) plus xvfb, xdotool, imagemagick and ffmpeg.
set -eu
repo=$(cd "$(dirname "$0")/.." && pwd)
bin=${1:-$repo/build/bin}
work=$(mktemp -d)
cleanup() { kill "$player" 2>/dev/null || true; kill "$xvfb" 2>/dev/null || true; rm -rf "$work"; }
trap cleanup EXIT

mkfifo "$work/display"
Xvfb -displayfd 5 -screen 0 1280x720x24 -nolisten tcp 5>"$work/display" >/dev/null 2>&1 &
xvfb=$!
read -r number <"$work/display"
export DISPLAY=":$number" QT_QPA_PLATFORM=xcb
player=

run_player() {
  rm -rf "$work/app"
  mkdir -p "$work/app"
  cp -r "$bin/zendrix" "$bin/Data" "$bin/Help" "$work/app/"
  rm -f "$work/app/Data/config.ini"
  [ -z "${1:-}" ] || printf '%b' "$1" >"$work/app/Data/config.ini"
  "$work/app/zendrix" >/dev/null 2>&1 &
  player=$!
  sleep 2
}

# A first start: the title strip in the screen's top-left corner, the main window below it.
run_player ""
import -window root -crop 640x160+0+0 +repage "$repo/docs/player.png"
kill "$player"; wait "$player" 2>/dev/null || true

# Playing: the whole group shown, a video opened through the open button's dialog.
ffmpeg -loglevel error -y -f lavfi -i testsrc2=size=640x360:rate=25:duration=60 \
  -f lavfi -i sine=frequency=330:duration=60 -c:v mpeg4 -q:v 4 -c:a mp3 \
  -metadata title="Test Pattern" -metadata artist="Zendrix" -metadata album="Screenshots" \
  -metadata genre="Demo" "$work/Test Pattern.mkv"
run_player '[Position]\r\nTop=4800\r\nLeft=4500\r\n[Player]\r\nScreen=True\r\nPlaylist=True\r\nInfo=True\r\nVolume=60\r\n'
# The open button of the main window (left 300 + 136 + 32, top 320 + 30 + 8).
xdotool mousemove 468 358 click 1
sleep 1.5
xdotool type --delay 5 "$work/Test Pattern.mkv"
xdotool key Return
sleep 6.5
import -window root -crop 1000x420+50+40 +repage "$repo/docs/playing.png"
kill "$player"; wait "$player" 2>/dev/null || true

# Every shipped skin: the whole group, the video window hidden.
shots=""
while IFS= read -r skin || [ -n "$skin" ]; do
  skin=$(printf '%s' "$skin" | tr -d '\r')
  [ -n "$skin" ] || continue
  run_player "[Position]\r\nTop=5250\r\nLeft=3600\r\n[Player]\r\nPlaylist=True\r\nInfo=True\r\n[Skin]\r\nSkin=$skin\r\n"
  import -window root -crop 905x345+0+80 +repage "$work/skin-$skin.png"
  convert "$work/skin-$skin.png" -gravity northwest -fill white -font DejaVu-Sans -pointsize 16 -annotate +12+150 "$skin" "$work/skin-$skin.png"
  shots="$shots $work/skin-$skin.png"
  kill "$player"; wait "$player" 2>/dev/null || true
done <"$bin/Data/Skins/skins.lst"
# shellcheck disable=SC2086
convert $shots -append "$repo/docs/skins.png"
echo "wrote docs/player.png, docs/playing.png and docs/skins.png"
