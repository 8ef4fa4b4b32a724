# Installing and packaging the desktop program: `cmake --install` puts the program in bin/,
# its menu entry in share/applications, its icon in the hicolor theme, its manual page (made
# from its own --help by help2man), bash completion and share/doc/xfer-node-editor (copyright,
# changelog, example sessions); `cpack -G DEB` (`make package`) builds a Debian package whose
# dependencies are the shared libraries the program links (found by dpkg-shlibdeps) plus what
# Qt loads at run time, and whose maintainer scripts set the site's database folder up.
include(GNUInstallDirs)

find_program(XFER_HELP2MAN help2man REQUIRED)
find_program(XFER_GZIP gzip REQUIRED)
set(xfer_packaging_out ${CMAKE_BINARY_DIR}/packaging)
file(MAKE_DIRECTORY ${xfer_packaging_out})
# Compressed without names or dates, so that the same sources give the same files.
add_custom_command(
    OUTPUT ${xfer_packaging_out}/xfer-node-editor.1.gz
    COMMAND ${XFER_HELP2MAN} --no-info --section=1
            "--name=edit the XFER (call transfer) nodes of a call-flow configuration"
            --include=${CMAKE_CURRENT_LIST_DIR}/xfer-node-editor.h2m
            --output=xfer-node-editor.1 $<TARGET_FILE:xfer-node-editor>
    COMMAND ${XFER_GZIP} -9nf xfer-node-editor.1
    DEPENDS xfer-node-editor ${CMAKE_CURRENT_LIST_DIR}/xfer-node-editor.h2m
    WORKING_DIRECTORY ${xfer_packaging_out}
    COMMENT "Manual page from xfer-node-editor --help"
    VERBATIM)
configure_file(${CMAKE_CURRENT_LIST_DIR}/changelog.in ${xfer_packaging_out}/changelog @ONLY)
add_custom_command(
    OUTPUT ${xfer_packaging_out}/changelog.gz
    COMMAND ${XFER_GZIP} -9nkf changelog
    DEPENDS ${xfer_packaging_out}/changelog
    WORKING_DIRECTORY ${xfer_packaging_out}
    VERBATIM)
add_custom_target(xfer-node-editor-docs ALL DEPENDS ${xfer_packaging_out}/xfer-node-editor.1.gz
                                                    ${xfer_packaging_out}/changelog.gz)

set(xfer_doc_dir ${CMAKE_INSTALL_DATADIR}/doc/xfer-node-editor)
install(TARGETS xfer-node-editor RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${xfer_packaging_out}/xfer-node-editor.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/xfer-node-editor.bash-completion
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
        RENAME xfer-node-editor)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright ${xfer_packaging_out}/changelog.gz
        DESTINATION ${xfer_doc_dir})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/ DESTINATION ${xfer_doc_dir}/examples
        FILES_MATCHING PATTERN "*.session")
install(FILES ${CMAKE_CURRENT_LIST_DIR}/xfer-node-editor.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/xfer-node-editor.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME xfer-node-editor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "XFER node editor maintainers <xfer-node-editor@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Editor for the XFER (call transfer) nodes of a call-flow configuration")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded by Qt, not linked: the platform plugins (X11, Wayland) and the form's font; adduser
# makes the site's group.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-wine, adduser")
set(CPACK_PACKAGE_DESCRIPTION
    "The XFER node editor opens one XFER (call transfer) node of a call-flow configuration\n"
    "database, on screen or from a scripted session, and saves it with the nodes it refers\n"
    "to. It also lists, checks and searches a partition's XFER nodes. The package creates\n"
    "the group vdacom, whose members may create and edit the configuration database in\n"
    "/var/lib/Quorvel/VDACOM+/Database.")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_CURRENT_LIST_DIR}/postinst
                                       ${CMAKE_CURRENT_LIST_DIR}/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
