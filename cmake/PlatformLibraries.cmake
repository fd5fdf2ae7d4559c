# Libraries the per-OS core code needs.
if(WIN32)
    target_link_libraries(plotvane_core PUBLIC ole32 oleaut32 uuid winspool shell32)
    # Wide-character API by default; no min/max macros from windows.h.
    target_compile_definitions(plotvane_core PUBLIC UNICODE _UNICODE NOMINMAX _WIN32_WINNT=0x0A00)
    # Sources are UTF-8; Visual C++ reads them in the ANSI code page otherwise.
    target_compile_options(plotvane_core PUBLIC $<$<CXX_COMPILER_ID:MSVC>:/utf-8>)
else()
    find_library(CUPS_LIBRARY cups REQUIRED)
    find_path(CUPS_INCLUDE_DIR cups/cups.h REQUIRED)
    target_include_directories(plotvane_core PUBLIC ${CUPS_INCLUDE_DIR})
    target_link_libraries(plotvane_core PUBLIC ${CUPS_LIBRARY})
    # libqpdf reads the page sizes of rendered drawings and writes runs of
    # their pages apart; CUPS's own PDF filters use it too.
    find_package(PkgConfig REQUIRED)
    pkg_check_modules(QPDF REQUIRED IMPORTED_TARGET libqpdf)
    target_link_libraries(plotvane_core PUBLIC PkgConfig::QPDF)
    # Its smart pointers as std::shared_ptr, without the old holder type.
    target_compile_definitions(plotvane_core PUBLIC POINTERHOLDER_TRANSITION=4)
    # The instances' folder work runs on a thread of its own.
    find_package(Threads REQUIRED)
    target_link_libraries(plotvane_core PUBLIC Threads::Threads)
endif()
