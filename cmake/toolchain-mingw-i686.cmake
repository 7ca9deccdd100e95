# Cross build of the Windows side as shipped: 32-bit, static runtime.
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-cross.cmake)
