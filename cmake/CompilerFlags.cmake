# Warnings everywhere; reproducible objects (no build path in debug info).
add_compile_options(-Wall -Wextra -ffile-prefix-map=${CMAKE_SOURCE_DIR}=.)

if(WIN32)
  # ANSI system calls throughout; Windows XP SP3 and later API level.
  add_compile_definitions(_WIN32_WINNT=0x0600 WINVER=0x0600 WIN32_LEAN_AND_MEAN NOMINMAX)
  # Sources stay UTF-8; the program's texts are emitted as Windows-1252.
  add_compile_options($<$<COMPILE_LANGUAGE:CXX>:-fexec-charset=CP1252>)
  add_link_options(-static -static-libgcc -static-libstdc++ -Wl,--no-insert-timestamp)
endif()

option(SM_SANITIZE "Build the host side with address and undefined-behaviour sanitizers" OFF)
if(SM_SANITIZE AND NOT WIN32)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
