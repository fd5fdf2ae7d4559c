# The files that stand beside the program: pointer images, the skin and the
# sample drawings. Laid beside the built program and installed beside it
# (see InstallLayout.cmake).
set(PLOTVANE_BESIDE_FILES HAND-M.CUR drag.ico x/o.cjs)
foreach(relative ${PLOTVANE_BESIDE_FILES})
    configure_file(${CMAKE_SOURCE_DIR}/resources/${relative}
                   ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${relative} COPYONLY)
    get_filename_component(relative_dir ${relative} DIRECTORY)
    install(FILES resources/${relative} DESTINATION ${PLOTVANE_PROGRAM_INSTALL_DIR}/${relative_dir})
endforeach()
if(EXISTS ${CMAKE_SOURCE_DIR}/cmake/Samples.cmake)
    include(${CMAKE_SOURCE_DIR}/cmake/Samples.cmake)
endif()
