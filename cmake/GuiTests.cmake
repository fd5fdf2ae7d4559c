# Qt Test programs: tests/<area>/test_*.cpp, one per unit, run offscreen.
file(GLOB PLOTVANE_GUI_TESTS CONFIGURE_DEPENDS tests/*/test_*.cpp)
file(GLOB PLOTVANE_GUI_FAKES CONFIGURE_DEPENDS tests/fakes/qt/*.cpp)

add_library(plotvane_gui_test_support STATIC ${PLOTVANE_PORTABLE_FAKES} ${PLOTVANE_GUI_FAKES})
target_include_directories(plotvane_gui_test_support PUBLIC tests)
target_link_libraries(plotvane_gui_test_support PUBLIC plotvane_gui Qt6::Test)
target_compile_definitions(plotvane_gui_test_support PUBLIC PLOTVANE_SOURCE_DIR="${CMAKE_SOURCE_DIR}")

foreach(test_source ${PLOTVANE_GUI_TESTS})
    plotvane_check_test_framework(${test_source} "QTEST_(GUILESS_)?MAIN")
    get_filename_component(test_name ${test_source} NAME_WE)
    add_executable(${test_name} ${test_source})
    target_link_libraries(${test_name} PRIVATE plotvane_gui_test_support)
    add_test(NAME ${test_name} COMMAND ${test_name})
    set_tests_properties(${test_name} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;PLOTVANE_PROGRAM_DIR=${CMAKE_BINARY_DIR}/bin")
    plotvane_label_test_from_source(${test_name} ${test_source} widgets)
endforeach()

# The print run onto real printers has one case; where no such printer can
# run (an ordinary user without avahi-daemon), CTest shows it as skipped.
if(TEST test_print_paper_endtoend)
    set_tests_properties(test_print_paper_endtoend PROPERTIES SKIP_REGULAR_EXPRESSION "SKIP   : " TIMEOUT 900)
endif()

if(TEST test_outcomes_endtoend)
    set_tests_properties(test_outcomes_endtoend PROPERTIES SKIP_REGULAR_EXPRESSION "SKIP   : " TIMEOUT 900)
endif()

# The README's run command brings up the real window under Xvfb; the real
# program is ended mid-conversion by a close of its window and by signals.
if(NOT WIN32)
    # No source file includes a floor above its own.
    add_test(NAME layers COMMAND ${CMAKE_SOURCE_DIR}/scripts/check-layers.sh ${CMAKE_SOURCE_DIR}/src)
    plotvane_label_test(layers unit)

    add_test(NAME real_window COMMAND ${CMAKE_SOURCE_DIR}/tests/app/real_window.sh ${CMAKE_BINARY_DIR})
    set_tests_properties(real_window PROPERTIES TIMEOUT 300)
    plotvane_label_test(real_window system)

    find_package(X11 REQUIRED)
    add_executable(close_window tests/app/close_window.cpp)
    target_link_libraries(close_window PRIVATE X11::X11)
    add_test(NAME ending_mid_conversion
             COMMAND ${CMAKE_SOURCE_DIR}/tests/app/ending_mid_conversion.sh ${CMAKE_BINARY_DIR})
    set_tests_properties(ending_mid_conversion PROPERTIES TIMEOUT 300)
    plotvane_label_test(ending_mid_conversion system)

    # The real program printing with no window and no display.
    add_test(NAME print_command COMMAND ${CMAKE_SOURCE_DIR}/tests/app/print_command.sh ${CMAKE_BINARY_DIR})
    set_tests_properties(print_command PROPERTIES TIMEOUT 300)
    plotvane_label_test(print_command system)

    # Paths handed over to the real program by a second start.
    add_test(NAME hand_over COMMAND ${CMAKE_SOURCE_DIR}/tests/app/hand_over.sh ${CMAKE_BINARY_DIR})
    set_tests_properties(hand_over PROPERTIES TIMEOUT 300 SKIP_RETURN_CODE 77)
    plotvane_label_test(hand_over system)

    # The window as a screen reader reads it, through AT-SPI.
    add_test(NAME screen_reader COMMAND ${CMAKE_SOURCE_DIR}/tests/app/screen_reader.sh ${CMAKE_BINARY_DIR})
    set_tests_properties(screen_reader PROPERTIES TIMEOUT 300)
    plotvane_label_test(screen_reader system)
endif()
