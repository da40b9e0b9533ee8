# What `cmake --install` puts where, and the Debian package CPack makes of it.

install(TARGETS veltrano veltrano-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The command-line tool, where it is built.
if(TARGET veltrano-cli)
  install(TARGETS veltrano-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
# The help file the window reads; --desktop links it into the user's folder.
install(FILES ${CMAKE_SOURCE_DIR}/help/Veltrano.hlp
        DESTINATION ${CMAKE_INSTALL_DATADIR}/veltrano)
install(FILES ${CMAKE_SOURCE_DIR}/resources/veltrano.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/resources/veltrano.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME veltrano)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "configure and monitor building-automation controllers over RS-232")
set(CPACK_PACKAGE_DESCRIPTION
    "Veltrano configures and monitors building-automation controllers that drive\n"
    "roller shutters, awnings and conservatory vents, over an RS-232 line. The user\n"
    "interface is German. The package holds the window, the command-line tool and\n"
    "the simulated controller.")
set(CPACK_PACKAGE_CONTACT "Veltrano <veltrano@example.invalid>")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The Qt runtime with its SVG support (the icon) and German texts, and the
# window's font. dpkg-shlibdeps adds the exact library versions where present.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6widgets6, libqt6gui6, libqt6core6, libqt6svg6, qt6-translations-l10n, fonts-liberation2")
find_program(VELTRANO_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(VELTRANO_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
endif()
include(CPack)
