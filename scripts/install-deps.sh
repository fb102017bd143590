#!/bin/sh
# Installs every Debian 12 package that building, running and testing Zendrix needs.
# The one list of the project's packages: the README's commands and CI call this script.
set -eu

# shared-mime-info maps the open dialog's extensions to the desktop entry's MIME types at build time;
# desktop-file-utils, appstream and dpkg-dev (dpkg-shlibdeps) check and package the installation.
# libvlc-bin brings vlc-cache-gen, whose plugin cache spares libvlc from opening every plugin at start-up
# (without it the player starts slower and holds twice the memory). libarchive-dev reads skin archives;
# libxcb-xtest0-dev lets the end-to-end tests click and type on their X screen.
packages="
  build-essential cmake pkg-config git
  qt6-base-dev libgl-dev libfontconfig-dev
  libarchive-dev
  libvlc-dev libvlc-bin vlc-plugin-base vlc-plugin-video-output vlc-plugin-fluidsynth fluid-soundfont-gm
  fonts-wine fonts-dejavu-core xdg-utils
  groff shared-mime-info
  libgtest-dev libgmock-dev libbenchmark-dev
  ffmpeg dvdauthor xvfb xauth x11-utils imagemagick
  dbus-daemon playerctl xdotool
  ffmpeg dvdauthor xvfb xauth x11-utils imagemagick libxcb1-dev libxcb-xtest0-dev
  desktop-file-utils appstream dpkg-dev
"

if [ "$(id -u)" -ne 0 ]; then
  echo "install-deps.sh: run as root (it calls apt-get)" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update
# shellcheck disable=SC2086
apt-get install -y --no-install-recommends $packages
