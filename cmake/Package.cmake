# `cpack -G DEB` in a build tree makes the Debian package from the installation, with the prefix /usr.
# It reuses what the build made: nothing is compiled again.
set(CPACK_PACKAGE_NAME zendrix)
set(CPACK_PACKAGE_VENDOR "Quarrymoor Software")
set(CPACK_PACKAGE_CONTACT "Quarrymoor Software <zendrix@quarrymoor.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "small skinnable player for audio, video and DVDs")
set(CPACK_PACKAGE_DESCRIPTION "Zendrix plays audio and video files, playlists, streams and DVDs in a small
group of borderless windows: the main window with the transport buttons, the
clock and the seek and volume bars, the title strip, the video window, the
playlist, the media information and the skin settings.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${ZENDRIX_HOMEPAGE})
# The libraries the executable links come from dpkg-shlibdeps. What libvlc and the player open by name
# at run time has to be named: the plugins for files, DVDs, audio and video output, MIDI with its sound
# font, the plugin cache that spares libvlc from opening every plugin at start-up, the fonts of the
# layouts, xdg-open for the user guide, and libarchive, opened when a skin archive is installed.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "vlc-plugin-base, vlc-plugin-video-output, vlc-plugin-fluidsynth, fluid-soundfont-gm, libvlc-bin, fonts-wine, fonts-dejavu-core, xdg-utils, libarchive13")
include(CPack)
