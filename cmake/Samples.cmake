# The sample drawings in the "Samples" folder beside the program, made from the
# sources in resources/samples: each folder NAME.vsdx holds the parts of one
# drawing package and is zipped into NAME.vsdx; single-file drawings (.vdx,
# .vsd) are copied as they are.
set(PLOTVANE_SAMPLES_SOURCE ${CMAKE_SOURCE_DIR}/resources/samples)
set(PLOTVANE_SAMPLES_DIR ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/Samples)
set(PLOTVANE_SAMPLE_FILES)

file(GLOB PLOTVANE_SAMPLE_ENTRIES LIST_DIRECTORIES true CONFIGURE_DEPENDS
    ${PLOTVANE_SAMPLES_SOURCE}/*.vsdx ${PLOTVANE_SAMPLES_SOURCE}/*.vdx ${PLOTVANE_SAMPLES_SOURCE}/*.vsd)
foreach(entry IN LISTS PLOTVANE_SAMPLE_ENTRIES)
    get_filename_component(name "${entry}" NAME)
    set(output "${PLOTVANE_SAMPLES_DIR}/${name}")
    if(IS_DIRECTORY "${entry}")
        # The package's parts by their names inside the package, files only:
        # a package holds no folder entries.
        file(GLOB_RECURSE parts RELATIVE "${entry}" CONFIGURE_DEPENDS "${entry}/*")
        list(SORT parts)
        set(part_files)
        foreach(part IN LISTS parts)
            list(APPEND part_files "${entry}/${part}")
        endforeach()
        add_custom_command(OUTPUT "${output}"
            COMMAND ${CMAKE_COMMAND} -E make_directory "${PLOTVANE_SAMPLES_DIR}"
            COMMAND ${CMAKE_COMMAND} -E rm -f "${output}"
            COMMAND ${CMAKE_COMMAND} -E tar cf "${output}" --format=zip --mtime=2024-01-01 -- ${parts}
            WORKING_DIRECTORY "${entry}"
            DEPENDS ${part_files}
            COMMENT "Packing sample drawing ${name}"
            VERBATIM)
    else()
        add_custom_command(OUTPUT "${output}"
            COMMAND ${CMAKE_COMMAND} -E make_directory "${PLOTVANE_SAMPLES_DIR}"
            COMMAND ${CMAKE_COMMAND} -E copy "${entry}" "${output}"
            DEPENDS "${entry}"
            COMMENT "Copying sample drawing ${name}"
            VERBATIM)
    endif()
    list(APPEND PLOTVANE_SAMPLE_FILES "${output}")
endforeach()

add_custom_target(plotvane_samples ALL DEPENDS ${PLOTVANE_SAMPLE_FILES})
add_dependencies(plotvane plotvane_samples)
install(FILES ${PLOTVANE_SAMPLE_FILES} DESTINATION ${PLOTVANE_PROGRAM_INSTALL_DIR}/Samples)

# Every sample must open in LibreOffice with readable text on each page.
find_program(PLOTVANE_SOFFICE soffice)
find_program(PLOTVANE_PDFTOTEXT pdftotext)
find_program(PLOTVANE_PDFINFO pdfinfo)
if(PLOTVANE_SOFFICE AND PLOTVANE_PDFTOTEXT AND PLOTVANE_PDFINFO)
    add_test(NAME samples_open_in_libreoffice
        COMMAND ${CMAKE_COMMAND}
            -DSAMPLES=${PLOTVANE_SAMPLES_DIR} -DWORK=${CMAKE_BINARY_DIR}/samples-check
            -DSOFFICE=${PLOTVANE_SOFFICE} -DPDFTOTEXT=${PLOTVANE_PDFTOTEXT} -DPDFINFO=${PLOTVANE_PDFINFO}
            -P ${CMAKE_SOURCE_DIR}/tests/filelist/CheckSamples.cmake)
    plotvane_label_test(samples_open_in_libreoffice system)
endif()
