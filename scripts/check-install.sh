#!/bin/sh
# Checks an installation of Zendrix as the desktop will meet it:
#
#   scripts/check-install.sh <prefix-folder>
#
# (a `cmake --install build --prefix X` gives X; the Debian package, unpacked into R, gives R/usr). Every
# file the installation lays out is there, the link in bin/ leads to the program, the desktop entry and
# the AppStream metadata pass their validators, the MIME package compiles and the manual page formats
# without a warning. Needs desktop-file-utils, appstream, shared-mime-info and groff.
set -eu
[ $# -eq 1 ] || { echo "usage: check-install.sh <prefix-folder>" >&2; exit 2; }
root=$1
failed=0
fail() { echo "check-install: $*" >&2; failed=1; }

for file in lib/zendrix/zendrix lib/zendrix/Data/Skins/skins.lst lib/zendrix/Data/Buttons/play.ico \
  lib/zendrix/Data/installed lib/zendrix/Data/config.ini \
  lib/zendrix/Help/Help.pdf lib/zendrix/Help/skins.md lib/zendrix/Help/Templates/main.png \
  lib/zendrix/Help/Templates/title@2x.png share/applications/zendrix.desktop share/mime/packages/zendrix.xml \
  share/metainfo/com.quarrymoor.Zendrix.metainfo.xml share/man/man1/zendrix.1; do
  [ -f "$root/$file" ] || fail "$file is missing"
done
for size in 16 24 32 48 64 128 256; do
  [ -f "$root/share/icons/hicolor/${size}x$size/apps/zendrix.png" ] || fail "the ${size} px icon is missing"
done
[ "$(readlink "$root/bin/zendrix" || true)" = ../lib/zendrix/zendrix ] ||
  fail "bin/zendrix is not a link to ../lib/zendrix/zendrix"
[ "$("$root/bin/zendrix" --version 2>/dev/null || true)" = "Zendrix 2.50.52" ] ||
  fail "bin/zendrix --version does not answer"

# The settings every user starts from: the volume at half and nothing else, so the first-start placement
# holds; the marker keeps each user's settings out of the installed program folder.
[ "$(cat "$root/lib/zendrix/Data/config.ini" 2>/dev/null || true)" = "$(printf '[Player]\r\nVolume=50\r')" ] ||
  fail "Data/config.ini does not hold [Player] Volume=50 alone"

entry=$root/share/applications/zendrix.desktop
desktop-file-validate "$entry" || fail "the desktop entry does not validate"
grep -qx 'Exec=zendrix %U' "$entry" || fail "the desktop entry does not start 'zendrix %U'"
grep -qx 'Categories=AudioVideo;Audio;Video;Player;' "$entry" || fail "the desktop entry's categories"
for type in audio/mpeg video/x-msvideo audio/midi video/mpeg audio/flac video/x-matroska application/x-zendrix-playlist x-content/video-dvd; do
  grep -q "^MimeType=.*$type;" "$entry" || fail "the desktop entry does not list $type"
done
appstreamcli validate --no-net "$root/share/metainfo/com.quarrymoor.Zendrix.metainfo.xml" >/dev/null ||
  fail "the AppStream metadata does not validate"

mime=$(mktemp -d)
trap 'rm -rf "$mime"' EXIT
mkdir "$mime/packages"
cp "$root/share/mime/packages/zendrix.xml" "$mime/packages/"
update-mime-database "$mime" >/dev/null 2>&1 && grep -q 'application/x-zendrix-playlist:\*\.zdx' "$mime/globs2" ||
  fail "the MIME package does not give *.zdx its type"

[ -z "$(groff -man -wall -z "$root/share/man/man1/zendrix.1" 2>&1)" ] || fail "the manual page has warnings"

[ "$failed" -eq 0 ] && echo "check-install: $root is complete"
exit "$failed"
