# Installing: the program reads its files from its own directory, so the executable and its data share one
# directory of their own (lib/lexorant); bin/lexorant is a link to it, and the desktop finds the program through its
# .desktop entry, icons and AppStream metainfo.
include(GNUInstallDirs)
set(LEXORANT_APP_ID example.lexorant.Lexorant)
set(LEXORANT_INSTALL_DIR lib/lexorant) # one place on every system, not a multiarch directory

install(TARGETS lexorant lexorant-jet-reader RUNTIME DESTINATION ${LEXORANT_INSTALL_DIR})
set(bin ${CMAKE_BINARY_DIR}/bin)
install(FILES ${bin}/main.pts ${bin}/lh.pts ${bin}/rh.pts ${bin}/bot.pts ${bin}/db2.mdb ${bin}/WORDNET-LICENSE
        DESTINATION ${LEXORANT_INSTALL_DIR})
install(FILES ${bin}/AIKSAURUS-COPYRIGHT DESTINATION ${LEXORANT_INSTALL_DIR} OPTIONAL) # where the thesaurus was used
install(CODE "
  file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
  file(CREATE_LINK ../${LEXORANT_INSTALL_DIR}/lexorant
       \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/lexorant\" SYMBOLIC)
  message(STATUS \"Installing: \$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/lexorant -> ../${LEXORANT_INSTALL_DIR}/lexorant\")
")

install(FILES ${PROJECT_SOURCE_DIR}/data/desktop/${LEXORANT_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/desktop/${LEXORANT_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 16 32 48)
  install(FILES ${CMAKE_BINARY_DIR}/icons/${size}x${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME ${LEXORANT_APP_ID}.png)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/data/lexorant.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME ${LEXORANT_APP_ID}.svg)

# A Debian package: `cpack -G DEB` in a build directory (scripts/package).
set(CPACK_PACKAGE_NAME lexorant)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Lexorant developers")
set(CPACK_PACKAGE_CONTACT "hello@lexorant.example")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Desktop vocabulary reference with the WordNet dictionary")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Beyond the libraries it links: Qt's X11 platform plugin and the fonts the windows are designed with.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libmdb3, fonts-liberation2, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Desktop vocabulary reference with the WordNet dictionary
 Lexorant shows about 147,000 English words and their meanings from WordNet 3.0.
 Step through the words or find one by typing it, in a skinned window with
 three trays that slide out from under its edges.")
include(CPack)
