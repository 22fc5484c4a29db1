# The Debian package: `cpack -G DEB` in a release build (scripts/package). Its dependencies are the
# shared libraries the program links, found by dpkg-shlibdeps, plus what it loads at run time: the
# fonts its windows name and the SVG plugins that draw its pictures. lintian accepts it without
# errors or warnings (tests/release/package_test.sh).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vorlak)
set(CPACK_PACKAGE_VENDOR TovrelPro)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "playlist editor and MP3 player for Vorlak Legends")
# Lines of at most 79 characters, as Debian's control files want them; an empty line starts a
# paragraph.
set(CPACK_PACKAGE_DESCRIPTION [=[
Finds the game modification Vorlak Legends under Wine or Proton, loads its
background-music playlist, lets you build, reorder and play it, and writes it
back in the format the game reads, with the Windows paths the game expects.

The playlist is built from a drive, folder and file browser, by typing paths
and by drag and drop, and can be sorted, mixed and cleaned of double entries.
The player shows the time and a progress bar, advances on its own and answers
the desktop's media keys; each file's ID3 tag and MPEG frame header can be
shown. Text and M3U playlists open as well.]=])
set(CPACK_PACKAGE_CONTACT "Vorlak Verivuze Dadeve developers <vorlak@tovrelpro.invalid>")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, fonts-terminus-otb, libqt6svg6")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "pulseaudio | pipewire-pulse")

# What every Debian package carries in /usr/share/doc/vorlak: the machine-readable copyright file
# and, compressed, the changelog (the package is native, so changelog.gz, not changelog.Debian.gz).
# The changelog's newest entry is this version, dated the release date; when a version brings
# changes, list them in its entry, and keep older entries below it as they were.
execute_process(COMMAND date -u -R -d "${VORLAK_RELEASE_DATE}" OUTPUT_VARIABLE VORLAK_RELEASE_DATE_RFC2822
                OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
include(GNUInstallDirs)
set(package_doc ${CMAKE_BINARY_DIR}/package-doc)
configure_file(${CMAKE_CURRENT_LIST_DIR}/debian/copyright.in ${package_doc}/copyright @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/debian/changelog.in ${package_doc}/changelog @ONLY)
add_custom_command(
  OUTPUT ${package_doc}/changelog.gz
  COMMAND gzip -9nfk ${package_doc}/changelog
  DEPENDS ${package_doc}/changelog
  COMMENT "Compressing the package's changelog")
add_custom_target(package_doc ALL DEPENDS ${package_doc}/changelog.gz)
install(FILES ${package_doc}/copyright ${package_doc}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${CPACK_PACKAGE_NAME})

include(CPack)
