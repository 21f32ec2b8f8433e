# Cross build for 32-bit Windows with Debian's MinGW-w64 (posix thread model,
# which GoogleTest needs). The host test runs under Wine's 32-bit loader,
# which these machines run through user-mode emulation (scripts/setup.sh).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# In the source tree ctest runs test programs through Wine; the copy a
# release package carries for building the sample has no scripts beside it.
if(EXISTS ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run --x86)
endif()
