# Run at install time (see WindowsPackage.cmake): lays the DLLs that the program
# and its plugins import, followed recursively, beside the installed program.
# Given PLOTVANE_PROGRAM, PLOTVANE_PLUGINS, PLOTVANE_RUNTIME_DIRS, PLOTVANE_INTO,
# PLOTVANE_STRIP and the CMAKE_GET_RUNTIME_DEPENDENCIES_* settings for objdump.
file(GET_RUNTIME_DEPENDENCIES
    EXECUTABLES "${PLOTVANE_PROGRAM}"
    MODULES ${PLOTVANE_PLUGINS}
    DIRECTORIES ${PLOTVANE_RUNTIME_DIRS}
    RESOLVED_DEPENDENCIES_VAR shipped
    UNRESOLVED_DEPENDENCIES_VAR from_windows)
list(SORT shipped)
list(SORT from_windows)
message(STATUS "DLLs Windows provides: ${from_windows}")
foreach(dll IN LISTS shipped)
    file(INSTALL "${dll}" DESTINATION "${PLOTVANE_INTO}")
endforeach()

# Debug information makes the folder two and a half times as large.
if(CMAKE_INSTALL_DO_STRIP)
    file(GLOB_RECURSE installed_dlls "$ENV{DESTDIR}${PLOTVANE_INTO}/*.dll")
    foreach(dll IN LISTS installed_dlls)
        execute_process(COMMAND "${PLOTVANE_STRIP}" --strip-unneeded "${dll}" COMMAND_ERROR_IS_FATAL ANY)
    endforeach()
endif()
