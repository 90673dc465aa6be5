# What `cmake --install` puts under the prefix.
include(GNUInstallDirs)
install(TARGETS horolux RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES dist/horolux.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES res/icons/horolux.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${HOROLUX_ICON_PNG} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/48x48/apps
    RENAME horolux.png)
install(FILES dist/horolux.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES res/help/index.html DESTINATION ${CMAKE_INSTALL_DATADIR}/horolux/help)
