# Cross build for 64-bit Windows with MinGW-w64 (Debian: g++-mingw-w64-x86-64-posix).
# The posix thread model gives std::thread and std::mutex. Programs are linked
# statically, so they run under Wine or on Windows without the MinGW runtime DLLs;
# plotvane.exe still needs them for the Qt DLLs it loads, and ships them beside it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(PLOTVANE_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${PLOTVANE_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${PLOTVANE_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${PLOTVANE_MINGW_PREFIX}-windres)

# Appended, so that a Windows Qt given with -DCMAKE_FIND_ROOT_PATH=PREFIX is found too.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${PLOTVANE_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Tests run through Wine when CTest starts them.
find_program(PLOTVANE_WINE wine)
if(PLOTVANE_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${PLOTVANE_WINE})
endif()
