# What `cpack` packs. On Windows: tarq-<version>-win64.zip, tarq.exe and
# short texts for users, in English and Japanese, side by side. Elsewhere:
# the Debian package.
set(CPACK_PACKAGE_NAME tarq)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})

if(WIN32)
  install(TARGETS tarq RUNTIME DESTINATION .)
  # In UTF-8 with a byte order mark and CR LF: Notepad reads the mark on
  # every Windows, where older ones read a text without it in the system's
  # code page.
  string(ASCII 239 187 191 bom)
  foreach(suffix "" -ja)
    set(template ${PROJECT_SOURCE_DIR}/data/windows-readme${suffix}.txt.in)
    set(readme ${CMAKE_CURRENT_BINARY_DIR}/windows-readme/README${suffix}.txt)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${template})
    file(READ ${template} text)
    file(CONFIGURE OUTPUT ${readme} CONTENT "${bom}${text}" @ONLY NEWLINE_STYLE CRLF)
    install(FILES ${readme} DESTINATION .)
  endforeach()
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME tarq-${PROJECT_VERSION}-win64)
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
  include(CPack)
  return()
endif()

# Debian's policy for a game: the program in /usr/games, its manual page in
# section 6, a copyright file and a changelog.
set(TARQ_MAINTAINER "TARQ developers <tarq@localhost>" CACHE STRING
    "The Debian package's maintainer, \"Name <address>\"; the default is a placeholder")
include(GNUInstallDirs)
set(generated ${CMAKE_CURRENT_BINARY_DIR}/packaging)
install(TARGETS tarq RUNTIME DESTINATION games)
install(FILES ${PROJECT_SOURCE_DIR}/data/tarq.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications RENAME ${TARQ_APP_ID}.desktop)
configure_file(${PROJECT_SOURCE_DIR}/data/tarq.metainfo.xml.in
               ${generated}/${TARQ_APP_ID}.metainfo.xml @ONLY)
install(FILES ${generated}/${TARQ_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/icons/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
configure_file(${PROJECT_SOURCE_DIR}/data/debian/copyright.in ${generated}/copyright @ONLY)
# The manual page and the changelog are compressed as Debian wants them:
# gzip -9 -n, without the name and time that would make each build differ.
configure_file(${PROJECT_SOURCE_DIR}/data/tarq.6.in ${generated}/tarq.6 @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/data/debian/changelog.in ${generated}/changelog @ONLY)
foreach(file tarq.6 changelog)
  execute_process(COMMAND gzip -9 -n --stdout ${generated}/${file}
                  OUTPUT_FILE ${generated}/${file}.gz COMMAND_ERROR_IS_FATAL ANY)
endforeach()
install(FILES ${generated}/tarq.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${generated}/copyright ${generated}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/tarq)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_CONTACT "${TARQ_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "launcher for Half-Life with map comments")
# Lines of at most 80 columns, as Debian's tools show them.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "TARQ is a small launcher for the Windows PC game Half-Life. Pointed once at"
  "the game folder, the one holding hl.exe, it lists the maps of valve/maps and"
  "lets you pick a start map, a difficulty, a heap size and a console option;"
  "the command-line options are shown as you choose, and START starts the game"
  "with them."
  ""
  "A one-character mark and a one-line comment can be attached to each map and"
  "show beside its name. The interface is in Japanese. The settings and comments"
  "are kept in the same files, byte for byte, as older installs on Windows have"
  "them.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "wine")
set(CPACK_STRIP_FILES ON)
include(CPack)
