# Tests of the Qt-free core: tests/<area>/portable/*_test.cpp, each its own
# program with the small harness of tests/support, plus the Qt-free fakes.
file(GLOB PLOTVANE_PORTABLE_TESTS CONFIGURE_DEPENDS tests/*/portable/*_test.cpp)
file(GLOB PLOTVANE_PORTABLE_FAKES CONFIGURE_DEPENDS tests/fakes/*.cpp)
if(WIN32)
    file(GLOB PLOTVANE_WIN_TESTS CONFIGURE_DEPENDS tests/win/*_test.cpp)
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
else()
    foreach(test_source ${PLOTVANE_PORTABLE_TESTS})
        get_filename_component(test_name ${test_source} NAME_WE)
        add_executable(${test_name} ${test_source})
        target_link_libraries(${test_name} PRIVATE plotvane_test_support)
        set_target_properties(${test_name} PROPERTIES AUTOMOC OFF)
        add_test(NAME ${test_name} COMMAND ${test_name})
    endforeach()
endif()
