# Where an install puts the program. On Windows the program, the files that
# stand beside it and its DLLs share the install folder itself, as a Windows
# program's folder does (C:\Program Files\Plotvane, or the unpacked ZIP).
# Elsewhere they live together in a private folder, lib/plotvane/, and
# bin/plotvane is a relative link to the program there. The
# program finds its folder through its own resolved path, so the link works from
# any prefix, under DESTDIR and from the package alike.
if(WIN32)
    set(PLOTVANE_PROGRAM_INSTALL_DIR .)
else()
    set(PLOTVANE_PROGRAM_INSTALL_DIR lib/plotvane)
endif()
install(TARGETS plotvane RUNTIME DESTINATION ${PLOTVANE_PROGRAM_INSTALL_DIR})
if(TARGET plotvane-cli)
    install(TARGETS plotvane-cli RUNTIME DESTINATION ${PLOTVANE_PROGRAM_INSTALL_DIR})
endif()

if(NOT WIN32)
    # The link is made once in the build folder and installed as a link.
    file(RELATIVE_PATH link_target /prefix/bin /prefix/${PLOTVANE_PROGRAM_INSTALL_DIR}/plotvane)
    set(link ${CMAKE_BINARY_DIR}/install-links/plotvane)
    file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/install-links)
    file(CREATE_LINK ${link_target} ${link} SYMBOLIC)
    install(FILES ${link} DESTINATION bin)
endif()
