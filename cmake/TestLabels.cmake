# A test's file name says its framework, and the build holds it to that:
#   Foo_test.cpp  the small Qt-free harness (PV_TEST, tests/support/PortableTest.h),
#                 under tests/<area>/portable/, tests/<area>/posix/ or tests/win/
#   test_foo.cpp  a Qt Test program (QTEST_MAIN or QTEST_GUILESS_MAIN), directly
#                 under tests/<area>/
#   foo.sh        a script, added with add_test by hand
#
# Every CTest test carries exactly one of four labels, so that a lane can be run
# on its own (`ctest -L unit`):
#   unit     no Qt window and no outside program; the whole lane runs in seconds
#   widgets  Qt widgets on the offscreen platform
#   system   starts real LibreOffice, a CUPS scheduler, Xvfb or avahi
#   package  builds or checks the Debian package
# A test program takes the label of its kind (unit for the Qt-free programs,
# widgets for the Qt Test programs). One whose source starts an outside program
# says so on a line of its own near its top, with what it starts:
#   // Test label: system (a private CUPS scheduler)
# Tests added with add_test by hand name their label with plotvane_label_test.
# The test `labels` fails when a test carries none, or more than one.

set(PLOTVANE_TEST_LABELS unit widgets system package)

function(plotvane_label_test test_name label)
    if(NOT label IN_LIST PLOTVANE_TEST_LABELS)
        message(FATAL_ERROR "test ${test_name}: unknown label '${label}' (one of: ${PLOTVANE_TEST_LABELS})")
    endif()
    set_property(TEST ${test_name} PROPERTY LABELS ${label})
endfunction()

# Labels a test built from one source file: the source's own "Test label" line,
# or the default of its kind.
function(plotvane_label_test_from_source test_name source default_label)
    file(STRINGS ${source} marker REGEX "^// Test label: [a-z]+" LIMIT_COUNT 1)
    if(marker)
        string(REGEX REPLACE "^// Test label: ([a-z]+).*" "\\1" label "${marker}")
    else()
        set(label ${default_label})
    endif()
    plotvane_label_test(${test_name} ${label})
endfunction()

# Stops the configuration when a test source does not use the framework its
# name says (marker: the macro every such source uses).
function(plotvane_check_test_framework source marker)
    file(STRINGS ${source} found REGEX "${marker}" LIMIT_COUNT 1)
    if(NOT found)
        message(FATAL_ERROR "${source}: its name says it uses ${marker}, but it does not")
    endif()
endfunction()

# The check that every test carries exactly one label; it reads CTest's own
# list of the tests in this build.
function(plotvane_add_label_check)
    string(REPLACE ";" "," labels "${PLOTVANE_TEST_LABELS}")
    add_test(NAME labels
        COMMAND ${CMAKE_COMMAND} -DCTEST=${CMAKE_CTEST_COMMAND} -DBUILD=${CMAKE_BINARY_DIR}
                -DLABELS=${labels} -P ${CMAKE_SOURCE_DIR}/tests/support/CheckLabels.cmake)
    plotvane_label_test(labels unit)
endfunction()
