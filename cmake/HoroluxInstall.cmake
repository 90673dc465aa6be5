# What `cmake --install` puts under the prefix. The systemd units in dist/systemd are
# examples to copy and adapt, not installed.
include(GNUInstallDirs)
install(TARGETS horolux horolux-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES dist/horolux.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES res/icons/horolux.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${HOROLUX_ICON_PNG} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/48x48/apps
    RENAME horolux.png)
install(FILES dist/horolux.1 dist/horolux-cli.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES res/help/index.html DESTINATION ${CMAKE_INSTALL_DATADIR}/horolux/help)
