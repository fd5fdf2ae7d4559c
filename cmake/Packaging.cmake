# The manual page and the package's documents, and the Debian package that
# `cpack -G DEB` makes from the install (not on Windows).

# Compressed as Debian wants them (gzip -9n: no file name or time inside).
function(plotvane_gzip source output)
    add_custom_command(OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -E copy ${source} ${output}.plain
        COMMAND gzip -9nf ${output}.plain
        COMMAND ${CMAKE_COMMAND} -E rename ${output}.plain.gz ${output}
        DEPENDS ${source}
        VERBATIM)
endfunction()

set(PLOTVANE_PACKAGE_WORK ${CMAKE_BINARY_DIR}/package-files)
configure_file(${CMAKE_SOURCE_DIR}/resources/desktop/plotvane.1.in ${PLOTVANE_PACKAGE_WORK}/plotvane.1 @ONLY)
plotvane_gzip(${PLOTVANE_PACKAGE_WORK}/plotvane.1 ${PLOTVANE_PACKAGE_WORK}/plotvane.1.gz)
plotvane_gzip(${CMAKE_SOURCE_DIR}/resources/package/changelog ${PLOTVANE_PACKAGE_WORK}/changelog.gz)
add_custom_target(plotvane_package_files ALL
    DEPENDS ${PLOTVANE_PACKAGE_WORK}/plotvane.1.gz ${PLOTVANE_PACKAGE_WORK}/changelog.gz)

install(FILES ${PLOTVANE_PACKAGE_WORK}/plotvane.1.gz DESTINATION share/man/man1)
install(FILES ${CMAKE_SOURCE_DIR}/resources/package/copyright ${PLOTVANE_PACKAGE_WORK}/changelog.gz
        DESTINATION share/doc/plotvane)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME plotvane)
set(CPACK_PACKAGE_VENDOR Tarnwell)
set(CPACK_PACKAGE_CONTACT "Tarnwell <support@plotvane.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "batch printer for diagram drawings")
# The package's long description, in lines that fit its control file.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Plotvane prints many diagram drawings (.vsd, .vsdx, .vdx) one after\n"
    "another. Build an ordered list of files with the file dialog, a folder\n"
    "scan by extension, drag-and-drop from the file manager or the shipped\n"
    "sample drawings, pick a printer and a pause, and start printing.\n"
    "\n"
    "Each file is opened in a fresh headless LibreOffice and sent to the\n"
    "chosen CUPS printer with all its pages; LibreOffice is ended again\n"
    "before the pause and the next file.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://www.plotvane.example/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What no library link shows: the diagram application and the CUPS client.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libreoffice-draw-nogui | libreoffice-draw, cups-client")
# Folders and the home page open through xdg-open.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS xdg-utils)
set(CPACK_DEBIAN_PACKAGE_SUGGESTS printer-driver-cups-pdf)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
