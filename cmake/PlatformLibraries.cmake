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
endif()
