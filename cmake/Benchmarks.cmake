# Benchmarks: bench/*.cpp, each its own program that prints its figures. They
# are built with the program but are not tests: CTest does not run them. They
# may use the fakes of the seams, as the tests do.
file(GLOB PLOTVANE_BENCHES CONFIGURE_DEPENDS bench/*.cpp)
foreach(bench_source ${PLOTVANE_BENCHES})
    get_filename_component(bench_name ${bench_source} NAME_WE)
    add_executable(${bench_name} ${bench_source})
    target_link_libraries(${bench_name} PRIVATE plotvane_gui_test_support)
endforeach()
