# The install layout and the Debian package made from it. The program finds its data in
# ../share/tintrow beside bin/, so the two folders are fixed, whatever GNUInstallDirs says.
set(TINTROW_APP_ID org.vandrel.Tintrow CACHE STRING "The desktop id: the maker's domain reversed, then the game")
set(TINTROW_RELEASE_DATE 2026-12-07)
# The homepage and the pictures of docs/screenshots live on the maker's site, when there is one.
set(TINTROW_METAINFO_LINKS "")
if(TINTROW_VENDOR_URL)
  string(REGEX REPLACE "/$" "" site "${TINTROW_VENDOR_URL}")
  string(APPEND TINTROW_METAINFO_LINKS "  <url type=\"homepage\">${site}</url>\n  <screenshots>\n")
  foreach(shot "title:The title menu" "level:A level being played" "settings:The settings")
    string(REGEX MATCH "^[a-z]+" name "${shot}")
    string(REGEX REPLACE "^[a-z]+:" "" caption "${shot}")
    set(kind "")
    if(name STREQUAL "title")
      set(kind " type=\"default\"")
    endif()
    string(APPEND TINTROW_METAINFO_LINKS "    <screenshot${kind}>\n      <caption>${caption}</caption>\n"
      "      <image>${site}/screenshots/${name}.png</image>\n    </screenshot>\n")
  endforeach()
  string(APPEND TINTROW_METAINFO_LINKS "  </screenshots>\n")
endif()

set(desktop_dir ${CMAKE_BINARY_DIR}/desktop)
configure_file(${CMAKE_SOURCE_DIR}/desktop/tintrow.desktop.in
  ${desktop_dir}/${TINTROW_APP_ID}.desktop @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/desktop/tintrow.metainfo.xml.in
  ${desktop_dir}/${TINTROW_APP_ID}.metainfo.xml @ONLY)

install(TARGETS tintrow RUNTIME DESTINATION bin)
install(FILES ${desktop_dir}/${TINTROW_APP_ID}.desktop DESTINATION share/applications)
install(FILES ${desktop_dir}/${TINTROW_APP_ID}.metainfo.xml DESTINATION share/metainfo)
if(TARGET game-data)
  install(FILES ${CMAKE_BINARY_DIR}/game.dat DESTINATION share/tintrow)
  install(DIRECTORY ${CMAKE_BINARY_DIR}/icons/hicolor DESTINATION share/icons)
endif()

# cpack -G DEB in the build tree: tintrow_<version>_<arch>.deb, its library dependencies found
# by dpkg-shlibdeps; the fonts are read at run time, so they are named here.
set(CPACK_PACKAGE_NAME tintrow)
set(CPACK_PACKAGE_VENDOR Vandrel)
set(CPACK_PACKAGE_CONTACT "Vandrel")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "ball-and-lines puzzle game")
set(CPACK_PACKAGE_DESCRIPTION "Move coloured balls along free paths of the board; line up balls
of one colour to clear them and score. A progress mode with a goal for each
level, and an arcade mode on every unlocked board. Played with the keyboard,
the mouse or a gamepad.")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-dejavu-core)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
if(TINTROW_VENDOR_URL)
  set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${TINTROW_VENDOR_URL}")
endif()
include(CPack)
