# The folder a Windows user unpacks and runs: plotvane.exe with the files beside
# it, the DLLs it needs and the Qt plugins it loads at run time. `cpack -G ZIP`
# packs it as Plotvane/ into plotvane-<version>-win64.zip.

# Loaded by name when the program starts, so no import table shows them: the
# platform integration, the native style, and the ICO reader for the pointers.
set(PLOTVANE_QT_PLUGINS
    platforms Qt6::QWindowsIntegrationPlugin
    styles Qt6::QWindowsVistaStylePlugin
    imageformats Qt6::QICOPlugin)

if(MINGW)
    # There is no windeployqt for a MinGW build made elsewhere than on Windows;
    # the DLLs come from the import tables instead (objdump -p): what the program
    # and the plugins import, followed through what those DLLs import, found in
    # Qt's and the compiler's runtime folders. Whatever none of them holds
    # belongs to Windows itself.
    set(plugin_files)
    while(PLOTVANE_QT_PLUGINS)
        list(POP_FRONT PLOTVANE_QT_PLUGINS plugin_dir plugin)
        install(FILES $<TARGET_FILE:${plugin}> DESTINATION ${PLOTVANE_PROGRAM_INSTALL_DIR}/${plugin_dir})
        list(APPEND plugin_files "$<TARGET_FILE:${plugin}>")
    endwhile()

    set(runtime_dirs "$<TARGET_FILE_DIR:Qt6::Core>")
    foreach(runtime libstdc++-6.dll libwinpthread-1.dll)
        execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${runtime}
                        OUTPUT_VARIABLE runtime_file OUTPUT_STRIP_TRAILING_WHITESPACE)
        get_filename_component(runtime_dir "${runtime_file}" DIRECTORY)
        get_filename_component(runtime_dir "${runtime_dir}" REALPATH)
        list(APPEND runtime_dirs "${runtime_dir}")
    endforeach()

    install(CODE "
        set(PLOTVANE_OBJDUMP \"${CMAKE_OBJDUMP}\")
        set(PLOTVANE_STRIP \"${CMAKE_STRIP}\")
        set(PLOTVANE_PROGRAM \"$<TARGET_FILE:plotvane>\")
        set(PLOTVANE_PLUGINS \"${plugin_files}\")
        set(PLOTVANE_RUNTIME_DIRS \"${runtime_dirs}\")
        set(PLOTVANE_INTO \"\${CMAKE_INSTALL_PREFIX}/${PLOTVANE_PROGRAM_INSTALL_DIR}\")")
    install(SCRIPT ${CMAKE_SOURCE_DIR}/cmake/InstallWindowsRuntime.cmake)
endif()

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME plotvane)
set(CPACK_PACKAGE_VENDOR Tarnwell)
set(CPACK_PACKAGE_FILE_NAME plotvane-${PROJECT_VERSION}-win64)
# One folder named Plotvane in the archive, whatever the archive is called.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_PACKAGING_INSTALL_PREFIX /Plotvane)
set(CPACK_STRIP_FILES ON)
include(CPack)
