# The folder-scan benchmark: a program, not a test.
if(NOT WIN32)
    add_executable(folder_scan_bench ${CMAKE_SOURCE_DIR}/bench/folder_scan.cpp
        ${CMAKE_SOURCE_DIR}/tests/fakes/FakeDialogs.cpp ${CMAKE_SOURCE_DIR}/tests/fakes/FakeListItems.cpp)
    target_include_directories(folder_scan_bench PRIVATE ${CMAKE_SOURCE_DIR}/tests)
    target_link_libraries(folder_scan_bench PRIVATE plotvane_core)
    set_target_properties(folder_scan_bench PROPERTIES AUTOMOC OFF)
endif()
