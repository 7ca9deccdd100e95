# Cross build of the Windows side for x86-64, the same sources as the
# shipped 32-bit build. It exists for testing: on a machine whose kernel
# cannot run 32-bit programs (ia32_emulation=off) Wine runs only 64-bit
# Windows programs, and this build lets the Windows suites run there.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-cross.cmake)
