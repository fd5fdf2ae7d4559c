# The Debian package, tested as users get it: cpack makes it into package-test/
# (the fixture), the checks unpack it into throwaway roots and start the program
# from there; where CI=true one test also installs it with apt-get, starts it
# from PATH and purges it again. tests/package/ says what each checks.
add_executable(plotvane_sample_record tests/package/sample_record.cpp)
target_link_libraries(plotvane_sample_record PRIVATE Qt6::Core)
set_target_properties(plotvane_sample_record PROPERTIES AUTOMOC OFF)

add_test(NAME package_build
    COMMAND ${CMAKE_CPACK_COMMAND} -G DEB --config ${CMAKE_BINARY_DIR}/CPackConfig.cmake
            -B ${CMAKE_BINARY_DIR}/package-test)
set_tests_properties(package_build PROPERTIES FIXTURES_SETUP plotvane_package TIMEOUT 600)
plotvane_label_test(package_build package)

foreach(check layout metadata lintian)
    add_test(NAME package_${check}
        COMMAND ${CMAKE_SOURCE_DIR}/tests/package/package_checks.sh ${check} ${CMAKE_BINARY_DIR} ${PROJECT_VERSION})
    set_tests_properties(package_${check} PROPERTIES FIXTURES_REQUIRED plotvane_package TIMEOUT 300)
    plotvane_label_test(package_${check} package)
endforeach()
foreach(mode extracted installed)
    add_test(NAME package_window_${mode}
        COMMAND ${CMAKE_SOURCE_DIR}/tests/package/installed_window.sh ${mode} ${CMAKE_BINARY_DIR} ${PROJECT_VERSION})
    set_tests_properties(package_window_${mode} PROPERTIES
        FIXTURES_REQUIRED plotvane_package TIMEOUT 300 SKIP_RETURN_CODE 77)
    plotvane_label_test(package_window_${mode} package)
endforeach()
