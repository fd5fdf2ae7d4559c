# The print-run benchmark: a program, not a test. It needs LibreOffice, cupsd
# and the CUPS client tools, and prints its figures.
if(NOT WIN32)
    add_executable(print_run_bench ${CMAKE_SOURCE_DIR}/bench/print_run.cpp
        ${CMAKE_SOURCE_DIR}/tests/fakes/FakeDialogs.cpp ${CMAKE_SOURCE_DIR}/tests/fakes/FakeListItems.cpp)
    target_include_directories(print_run_bench PRIVATE ${CMAKE_SOURCE_DIR}/tests)
    target_link_libraries(print_run_bench PRIVATE plotvane_gui)
endif()
