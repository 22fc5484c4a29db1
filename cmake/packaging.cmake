# The Debian package: `cpack -G DEB` in a release build (scripts/package). Its dependencies are the
# shared libraries the program links, found by dpkg-shlibdeps, plus what it loads at run time: the
# fonts its windows name and the SVG plugins that draw its pictures.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vorlak)
set(CPACK_PACKAGE_VENDOR TovrelPro)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "playlist editor and MP3 player for Vorlak Legends")
set(CPACK_PACKAGE_DESCRIPTION "Finds the game modification Vorlak Legends under Wine or Proton, loads \
its background-music playlist, lets you build, reorder and play it, and writes it back in the \
format the game reads.")
set(CPACK_PACKAGE_CONTACT "Vorlak Verivuze Dadeve developers <vorlak@tovrelpro.invalid>")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, fonts-terminus-otb, libqt6svg6")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "pulseaudio | pipewire-pulse")
include(CPack)
