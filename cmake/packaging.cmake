# What `cpack` packs. On Windows: tarq-<version>-win64.zip, tarq.exe and a
# short text for users side by side. Elsewhere: the Debian package.
set(CPACK_PACKAGE_NAME tarq)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})

if(WIN32)
  install(TARGETS tarq RUNTIME DESTINATION .)
  set(readme ${CMAKE_CURRENT_BINARY_DIR}/windows-readme/README.txt)
  configure_file(${PROJECT_SOURCE_DIR}/data/windows-readme.txt.in ${readme} @ONLY
                 NEWLINE_STYLE CRLF)
  install(FILES ${readme} DESTINATION .)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME tarq-${PROJECT_VERSION}-win64)
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
  include(CPack)
  return()
endif()

include(GNUInstallDirs)
install(TARGETS tarq RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/data/tarq.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/tarq.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/32x32/apps)
install(FILES ${PROJECT_SOURCE_DIR}/data/tarq.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_CONTACT "TARQ developers <tarq@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "launcher for Half-Life with map comments")
set(CPACK_PACKAGE_DESCRIPTION
    "TARQ lists the maps of a Half-Life game folder with a mark and a comment for each, lets you pick a map, a difficulty, a heap size and a console option, and starts hl.exe with them (through Wine on Linux).")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "wine")
set(CPACK_STRIP_FILES ON)
include(CPack)
