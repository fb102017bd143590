#!/bin/bash
# Soak: the real player and the real libvlc engine play a long playlist of short generated items to its
# end, repeat off. Some entries are broken on purpose: missing files, truncated files, random bytes and
# text under media extensions, empty files and folders named like media files. The run fails when the
# player crashes, when the list stops before its last entry, or when the player's resident memory at
# the end is more than 10 MB above what it was after the first 20 items.
#
#   scripts/soak.sh [items]        (default 300; needs a build in build/, or ZENDRIX_BIN=<folder>)
#
# The player runs from a copy of the program folder on a private Xvfb screen. xdotool opens the
# playlist through the playlist window's dialog, picks the first entry, and answers every message box
# with Return. Which entry the player has reached is told by the files it opens in the media folder
# (inotify), so even an entry that is over within a moment is seen. The script needs root for nothing
# but installing xdotool when it is missing.
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
bin=${ZENDRIX_BIN:-$repo/build/bin}
items=${1:-300}
limitKb=$((10 * 1024))

if ! command -v xdotool >/dev/null; then
  apt-get update >/dev/null && apt-get install -y --no-install-recommends xdotool >/dev/null
fi
for tool in Xvfb ffmpeg xdotool xprop python3; do
  command -v "$tool" >/dev/null || { echo "soak: $tool is missing (scripts/install-deps.sh)" >&2; exit 2; }
done
[ -x "$bin/zendrix" ] || { echo "soak: no player at $bin/zendrix: build first" >&2; exit 2; }

work=$(mktemp -d /tmp/zendrix-soak.XXXXXX)
media=$work/media
app=$work/app
log=$work/soak.log
player=
xvfb=
cleanup() {
  [ -z "$player" ] || kill "$player" 2>/dev/null || true
  [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
  wait 2>/dev/null || true
  [ -n "${SOAK_KEEP:-}" ] || rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$media" "$app"
note() { echo "[$(date +%T)] $*" | tee -a "$log"; }

# --- Media: one short file per format and length, copied under every entry's own name ---------------
# Every format plays within the first 20 entries, so the memory taken after them is that of a player
# that has loaded all its decoders; what comes on top of it later is growth.
note "making media in $media"
make() {  # make <file> <seconds> <ffmpeg output options...>
  local file=$1 seconds=$2
  shift 2
  ffmpeg -loglevel error -y -f lavfi -i "sine=frequency=$((300 + seconds * 110)):duration=$seconds" "$@" "$file"
}
for s in 1 2; do
  make "$work/base$s.wav" $s
  make "$work/base$s.mp3" $s -c:a libmp3lame -b:a 64k
  make "$work/base$s.ogg" $s -c:a libvorbis
  make "$work/base$s.wma" $s -c:a wmav2 -b:a 64k
  make "$work/base$s.aiff" $s
  make "$work/base$s.au" $s
  ffmpeg -loglevel error -y -f lavfi -i "testsrc2=size=160x120:rate=25:duration=$s" \
    -f lavfi -i "sine=frequency=550:duration=$s" -c:v mpeg1video -c:a mp2 "$work/base$s.mpg"
  ffmpeg -loglevel error -y -f lavfi -i "testsrc2=size=160x120:rate=25:duration=$s" \
    -f lavfi -i "sine=frequency=660:duration=$s" -c:v mpeg4 -c:a libmp3lame "$work/base$s.avi"
done
# A MIDI file of one second: one note on, one note off.
printf 'MThd\000\000\000\006\000\000\000\001\000\140MTrk\000\000\000\015\000\220\074\100\201\100\200\074\000\000\377\057\000' \
  >"$work/base1.mid"

formats=(wav mp3 ogg wma aiff au mpg avi)
broken=(missing truncated noise empty folder text)
playlist=$work/soak.zdx
printf 'Soak\r\n' >"$playlist"
kinds=()
for ((i = 0; i < items; i++)); do
  name=$(printf '%04d' "$i")
  s=$((1 + i % 2))
  if ((i % 10 == 7)); then
    kind=${broken[$(((i / 10) % ${#broken[@]}))]}
    case $kind in
      missing) file=$media/$name-missing.ogg ;;
      truncated) file=$media/$name-truncated.mp3
        head -c "$(($(stat -c %s "$work/base2.mp3") / 3))" "$work/base2.mp3" >"$file" ;;
      noise) file=$media/$name-noise.mp3; head -c 40000 /dev/urandom >"$file" ;;
      empty) file=$media/$name-empty.wav; : >"$file" ;;
      folder) file=$media/$name-folder.avi; mkdir "$file" ;;
      text) file=$media/$name-text.wma; printf 'not a media file at all\n%.0s' $(seq 800) >"$file" ;;
    esac
  elif ((i % 50 == 5)); then
    kind=ok; file=$media/$name-ok.mid; cp "$work/base1.mid" "$file"
  else
    kind=ok
    format=${formats[$(((i / 2) % ${#formats[@]}))]}
    file=$media/$name-ok.$format
    cp "$work/base$s.$format" "$file"
  fi
  kinds+=("$kind")
  printf '%s\r\n' "$file" >>"$playlist"
done
last_ok=0
for ((i = 0; i < items; i++)); do [ "${kinds[$i]}" = ok ] && last_ok=$i; done

# --- The player ----------------------------------------------------------------------------------
cp -r "$bin/zendrix" "$bin/Data" "$app/"
[ -d "$bin/Help" ] && cp -r "$bin/Help" "$app/"
# The main window 100 px from the left and 400 px down, so the playlist window beside it is on screen.
printf '[Position]\r\nTop=6000\r\nLeft=1500\r\n[Player]\r\nPlaylist=True\r\nVolume=50\r\nRepeatPlaylist=False\r\n' \
  >"$app/Data/config.ini"

mkfifo "$work/display"
Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp -noreset 5>"$work/display" >/dev/null 2>&1 &
xvfb=$!
read -r number <"$work/display"
export DISPLAY=":$number" QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY
"$app/zendrix" >"$work/zendrix.log" 2>&1 &
player=$!
note "player $player on display $DISPLAY"

rss() { awk '/^VmRSS/ { print $2 }' "/proc/$player/status" 2>/dev/null || echo 0; }
# The visible top-level window of that size, as "x y".
window_at_size() {
  local w geometry
  for w in $(xdotool search --onlyvisible --name '^Zendrix$' 2>/dev/null); do
    geometry=$(xdotool getwindowgeometry "$w")
    if [[ $geometry == *"Geometry: $1"* ]]; then
      awk -F'[ ,]+' '/Position/ { print $3, $4 }' <<<"$geometry"
      return 0
    fi
  done
  return 1
}
for _ in $(seq 100); do where=$(window_at_size 233x338) && break; sleep 0.1; done
[ -n "${where:-}" ] || { note "FAIL: the playlist window did not show"; exit 1; }
read -r px py <<<"$where"

# Every file or folder the player opens in the media folder, as a line with the entry's number.
opens=$work/opens.log
python3 - "$media" >"$opens" <<'PY' &
import ctypes, os, struct, sys
libc = ctypes.CDLL(None, use_errno=True)
fd = libc.inotify_init()
libc.inotify_add_watch(fd, sys.argv[1].encode(), 0x20)  # IN_OPEN
while True:
    data = os.read(fd, 65536)
    at = 0
    while at < len(data):
        _, _, _, length = struct.unpack_from("iIII", data, at)
        name = data[at + 16:at + 16 + length].rstrip(b"\0").decode()
        at += 16 + length
        if name[:4].isdigit():
            print(int(name[:4]), flush=True)
PY
watcher=$!
trap 'kill $watcher 2>/dev/null || true; cleanup' EXIT
sleep 0.5
# Open the playlist through the window's open button (184, 320 in the window) and its dialog.
xdotool mousemove $((px + 204)) $((py + 328)) click 1
dialog=$(xdotool search --sync --onlyvisible --name '^Open Playlist$')
dialog=${dialog%%$'\n'*}
xdotool windowfocus --sync "$dialog" type --delay 2 "$playlist"
xdotool key Return
sleep 1
# The first entry: the top row of the list (8, 40 in the window).
xdotool mousemove $((px + 60)) $((py + 46)) click 1
started=$(date +%s)
note "playlist of $items items opened; the last entry that can play is $last_ok"

# --- Watching ------------------------------------------------------------------------------------
# Message boxes are dialogs titled "Zendrix"; each is noted with the entry that was last seen and
# answered with Return.
answer_messages() {
  local w
  for w in $(xdotool search --onlyvisible --name '^Zendrix$' 2>/dev/null); do
    if [[ $(xprop -id "$w" _NET_WM_WINDOW_TYPE 2>/dev/null) == *DIALOG* ]]; then
      messages=$((messages + 1))
      note "message box after entry $current"
      xdotool windowfocus --sync "$w" key Return 2>/dev/null || true
    fi
  done
}
current=-1
messages=0
rss20=
rssFirst=$(rss)
idle_since=$(date +%s)
opened=0
deadline=$((started + items * 8 + 120))
while :; do
  if ! kill -0 "$player" 2>/dev/null; then
    wait "$player" && code=0 || code=$?
    note "FAIL: the player ended (exit $code) after entry $current"
    exit 1
  fi
  now=$(date +%s)
  count=$(wc -l <"$opens")
  if ((count > opened)); then
    opened=$count
    idle_since=$now
    index=$(tail -n1 "$opens")
    if ((index != current)); then
      current=$index
      if [ -z "$rss20" ] && ((index >= 20)); then
        rss20=$(rss)
        note "after the first 20 items: resident memory $rss20 kB"
      fi
      ((index % 25 == 0)) && note "entry $index (${kinds[$index]}), resident memory $(rss) kB"
    fi
  fi
  answer_messages
  # The end: the last entry that can play has come and gone, or nothing has started for 20 s.
  if ((current >= last_ok && now - idle_since >= 5)) || ((now - idle_since >= 20)); then
    break
  fi
  if ((now > deadline)); then
    note "FAIL: the run took longer than $((deadline - started)) s"
    exit 1
  fi
  sleep 0.2
done
sleep 1
rssEnd=$(rss)
elapsed=$(($(date +%s) - started))
mapfile -t seen < <(awk '!done[$1]++' "$opens")

# --- Figures -------------------------------------------------------------------------------------
declare -A played=()
for i in "${seen[@]}"; do played[$i]=1; done
missed=()
for ((i = 0; i < items; i++)); do
  [ "${kinds[$i]}" = ok ] && [ -z "${played[$i]:-}" ] && missed+=("$i")
done
sorted=yes
prev=-1
for i in "${seen[@]}"; do ((i > prev)) || sorted=no; prev=$i; done
expected_messages=0
for kind in "${kinds[@]}"; do [ "$kind" = missing ] && expected_messages=$((expected_messages + 1)); done
note "figures: items $items, entries seen playing ${#seen[@]}, good entries missed ${#missed[@]} (${missed[*]:-none}), in order: $sorted"
note "figures: message boxes $messages (entries missing from disk: $expected_messages), last entry seen $current, time $elapsed s"
note "figures: resident memory at the start ${rssFirst} kB, after 20 items ${rss20:-?} kB, at the end ${rssEnd} kB, growth $((rssEnd - ${rss20:-0})) kB"
status=0
((${#missed[@]} == 0)) || { note "FAIL: good entries never played"; status=1; }
((current >= last_ok)) || { note "FAIL: the list stopped before its last entry that can play"; status=1; }
[ "$sorted" = yes ] || { note "FAIL: the entries did not play in list order"; status=1; }
[ -n "$rss20" ] && ((rssEnd - rss20 <= limitKb)) || { note "FAIL: resident memory grew by more than 10 MB"; status=1; }
((status == 0)) && note "PASS"
exit $status
