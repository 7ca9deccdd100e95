# What both Windows cross builds share: mingw-w64 with POSIX threads
# (GoogleTest does not build with the win32-threads variant) for the
# processor the toolchain file names, and Wine to run the programs.
# Needs CMAKE_SYSTEM_PROCESSOR (i686 or x86_64).
set(CMAKE_SYSTEM_NAME Windows)
set(sm_mingw ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32)

set(CMAKE_C_COMPILER   ${sm_mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${sm_mingw}-g++-posix)
set(CMAKE_RC_COMPILER  ${sm_mingw}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${sm_mingw})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Packages too: the host's own (x86-64 GoogleTest, say) must never be taken.
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# ctest runs the test programs through Wine, in the build tree's own prefix.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh)
