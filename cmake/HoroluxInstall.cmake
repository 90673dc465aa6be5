# What `cmake --install` puts under the prefix. The systemd units in dist/systemd are
# examples to copy and adapt; a package installs them (not enabled) by naming
# HOROLUX_SYSTEMD_UNIT_DIR.
set(HOROLUX_SYSTEMD_UNIT_DIR "" CACHE PATH "Where to install the systemd units (none when empty)")
set(HOROLUX_HELPER_DIR ${CMAKE_INSTALL_LIBEXECDIR}/horolux)
set(HOROLUX_CLI_PATH ${CMAKE_INSTALL_FULL_BINDIR}/horolux-cli)

install(TARGETS horolux horolux-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS horolux-correct RUNTIME DESTINATION ${HOROLUX_HELPER_DIR})
install(FILES dist/horolux.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES dist/org.veldmark.horolux.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES res/icons/horolux.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${HOROLUX_ICON_PNG} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/48x48/apps
    RENAME horolux.png)
install(FILES dist/horolux.1 dist/horolux-cli.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES res/help/index.html DESTINATION ${CMAKE_INSTALL_DATADIR}/horolux/help)

# The files name the installed programs; the sources name those of a /usr/local install.
function(horolux_install_named source destination)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${source})
    file(READ ${PROJECT_SOURCE_DIR}/${source} text)
    string(REPLACE "/usr/local/libexec/horolux/horolux-correct" ${HOROLUX_HELPER_PATH} text "${text}")
    string(REPLACE "/usr/local/bin/horolux-cli" ${HOROLUX_CLI_PATH} text "${text}")
    get_filename_component(name ${source} NAME)
    file(WRITE ${CMAKE_BINARY_DIR}/dist/${name} "${text}")
    install(FILES ${CMAKE_BINARY_DIR}/dist/${name} DESTINATION ${destination})
endfunction()
horolux_install_named(dist/polkit/org.veldmark.horolux.correct-clock.policy
    ${CMAKE_INSTALL_DATADIR}/polkit-1/actions)
if(HOROLUX_SYSTEMD_UNIT_DIR)
    horolux_install_named(dist/systemd/horolux-correct.service ${HOROLUX_SYSTEMD_UNIT_DIR})
    horolux_install_named(dist/systemd/horolux-correct.timer ${HOROLUX_SYSTEMD_UNIT_DIR})
    horolux_install_named(dist/systemd/horolux-metrics.service ${HOROLUX_SYSTEMD_UNIT_DIR})
    horolux_install_named(dist/systemd/horolux-metrics.timer ${HOROLUX_SYSTEMD_UNIT_DIR})
endif()
