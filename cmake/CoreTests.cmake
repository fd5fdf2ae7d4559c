# Tests of the Qt-free core with the small harness of tests/support and the
# Qt-free fakes: tests/<area>/portable/*_test.cpp run on every platform,
# tests/<area>/posix/*_test.cpp only on POSIX, tests/win/*_test.cpp (with the
# helpers beside them, such as the fake automation server) only on Windows.
# Natively each file is its own program; on Windows all of them form one
# program, run under Wine.
file(GLOB PLOTVANE_PORTABLE_TESTS CONFIGURE_DEPENDS tests/*/portable/*_test.cpp)
file(GLOB PLOTVANE_PORTABLE_FAKES CONFIGURE_DEPENDS tests/fakes/*.cpp)
if(NOT WIN32)
    file(GLOB PLOTVANE_POSIX_TESTS CONFIGURE_DEPENDS tests/*/posix/*_test.cpp)
    list(APPEND PLOTVANE_PORTABLE_TESTS ${PLOTVANE_POSIX_TESTS})
endif()
foreach(test_source ${PLOTVANE_PORTABLE_TESTS})
    plotvane_check_test_framework(${test_source} "PV_TEST")
endforeach()
if(WIN32)
    file(GLOB PLOTVANE_WIN_TESTS CONFIGURE_DEPENDS tests/win/*.cpp)
    list(APPEND PLOTVANE_PORTABLE_TESTS ${PLOTVANE_WIN_TESTS})
endif()

add_library(plotvane_test_support STATIC tests/support/PortableTestMain.cpp ${PLOTVANE_PORTABLE_FAKES})
target_include_directories(plotvane_test_support PUBLIC tests tests/support)
target_link_libraries(plotvane_test_support PUBLIC plotvane_core)

if(WIN32)
    # One program with every portable test, run under Wine.
    add_executable(plotvane_wintests ${PLOTVANE_PORTABLE_TESTS})
    target_link_libraries(plotvane_wintests PRIVATE plotvane_test_support)
    add_test(NAME plotvane_wintests COMMAND plotvane_wintests)
    plotvane_label_test(plotvane_wintests unit)
    # The same fake as a server process of its own, for the real program.
    add_executable(fake_diagram_server tests/win/server/fake_diagram_server.cpp tests/win/FakeAutomationServer.cpp)
    target_include_directories(fake_diagram_server PRIVATE tests/win)
    target_link_libraries(fake_diagram_server PRIVATE plotvane_core)
    if(CMAKE_CROSSCOMPILING)
        # Under Wine (the toolchain's emulator), in the build's own prefix, which
        # scripts/windows-tests.sh makes; never in the user's own.
        set_tests_properties(plotvane_wintests PROPERTIES ENVIRONMENT
            "WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix;WINEDEBUG=-all;WINEDLLOVERRIDES=mscoree=\\;mshtml=")
    endif()
else()
    foreach(test_source ${PLOTVANE_PORTABLE_TESTS})
        get_filename_component(test_name ${test_source} NAME_WE)
        add_executable(${test_name} ${test_source})
        target_link_libraries(${test_name} PRIVATE plotvane_test_support)
        set_target_properties(${test_name} PROPERTIES AUTOMOC OFF)
        add_test(NAME ${test_name} COMMAND ${test_name})
        # A case that cannot run here says why and makes the program skipped.
        set_tests_properties(${test_name} PROPERTIES SKIP_RETURN_CODE 77)
        plotvane_label_test_from_source(${test_name} ${test_source} unit)
    endforeach()
endif()
