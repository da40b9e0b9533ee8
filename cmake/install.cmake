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

# A Debian package carries a changelog (compressed, without a time stamp in
# the gzip header, so the bytes depend on the content only).
string(TIMESTAMP VELTRANO_PACKAGE_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
file(WRITE ${CMAKE_BINARY_DIR}/package/changelog
     "veltrano (${PROJECT_VERSION}) unstable; urgency=medium\n\n"
     "  * Veltrano ${PROJECT_VERSION}.\n\n"
     " -- Veltrano <veltrano@example.invalid>  ${VELTRANO_PACKAGE_DATE}\n")
find_program(VELTRANO_GZIP gzip)
if(VELTRANO_GZIP)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/package/changelog.gz
    COMMAND ${VELTRANO_GZIP} -9nc ${CMAKE_BINARY_DIR}/package/changelog
            > ${CMAKE_BINARY_DIR}/package/changelog.gz
    DEPENDS ${CMAKE_BINARY_DIR}/package/changelog)
  add_custom_target(veltrano_changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/package/changelog.gz)
  install(FILES ${CMAKE_BINARY_DIR}/package/changelog.gz
          DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/veltrano)
endif()

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
# The SVG plugin (the icon), Qt's German texts and the window's font are
# loaded at run time: no library dependency names them. dpkg-shlibdeps adds
# the linked libraries (Qt Widgets, Gui, Core) with their versions; without
# it they are named here.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6, qt6-translations-l10n, fonts-liberation2")
find_program(VELTRANO_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(VELTRANO_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  string(PREPEND CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6widgets6, libqt6gui6, libqt6core6, ")
endif()
include(CPack)
