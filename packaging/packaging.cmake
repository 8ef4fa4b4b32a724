# Installing and packaging the desktop program: `cmake --install` puts the program in bin/,
# its menu entry in share/applications and its icon in the hicolor theme; `cpack -G DEB`
# (`make package`) builds a Debian package whose dependencies are the shared libraries the
# program links (found by dpkg-shlibdeps) plus what Qt loads at run time.
include(GNUInstallDirs)

install(TARGETS xfer-node-editor RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_CURRENT_LIST_DIR}/xfer-node-editor.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/xfer-node-editor.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME xfer-node-editor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "XFER node editor maintainers <xfer-node-editor@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Editor for the XFER (call transfer) nodes of a call-flow configuration")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded by Qt, not linked: the platform plugins (X11, Wayland) and the form's font.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-wine")
set(CPACK_STRIP_FILES ON)
include(CPack)
