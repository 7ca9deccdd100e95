# GoogleTest as installed for this side (Debian's libgtest-dev on the host);
# where none is (the cross build), built from Debian's source package.
include(CTest)
include(GoogleTest)
find_package(GTest CONFIG QUIET)
if(NOT GTest_FOUND)
  set(SM_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest's sources, built where no GoogleTest is installed")
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  add_subdirectory(${SM_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endif()

# Test programs list their cases when ctest starts (under Wine for the
# Windows side), so every case is one ctest test.
#
# sm_add_test(NAME SOURCES... [LIBS ...] [FRESH_PREFIX] [DISPLAY])
#   FRESH_PREFIX: every case runs in its own copy of the template Wine prefix
#                 (for tests that change machine-wide state: HKLM, the common
#                 desktop, the Windows and system folders).
#   DISPLAY:      the cases open windows; test.sh provides an X display.
#   E2E:          the cases run the real installer or uninstaller.
#   ENV:          further NAME=VALUE settings for the cases' environment.
#   WOW64 FILTER: (32-bit build) the cases FILTER matches (a --gtest_filter
#                 pattern) also run a second time, named "WoW64." and each
#                 in its own copy of a 64-bit Wine prefix, where the program
#                 and the installer it starts run as a 32-bit program does on
#                 64-bit Windows (system folder redirected to SysWOW64,
#                 HKLM\Software to its 32-bit view).
# Every case is labelled with its side (host or wine), and display, e2e and
# wow64 as they apply: `ctest -L e2e` runs one group.
function(sm_add_test name)
  cmake_parse_arguments(ARG "FRESH_PREFIX;DISPLAY;E2E" "WOW64" "SOURCES;LIBS;ENV" ${ARGN})
  add_executable(${name} ${ARG_SOURCES} ${ARG_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  set(env ${ARG_ENV})
  if(ARG_FRESH_PREFIX)
    list(APPEND env SM_FRESH_PREFIX=1)
  endif()
  if(WIN32)
    set(labels wine)
    # Under ctest's own limit, so that the runner stops a stuck program with
    # everything it started and the test ends with its output.
    list(APPEND env SM_WINE_TIMEOUT=170)
  else()
    set(labels host)
  endif()
  if(ARG_DISPLAY)
    list(APPEND labels display)
  endif()
  if(ARG_E2E)
    list(APPEND labels e2e)
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    TEST_LIST ${name}_TESTS)
  sm_set_discovered_properties(${name}_TESTS "${env}" "${labels}")
  if(ARG_WOW64 AND WIN32 AND CMAKE_SIZEOF_VOID_P EQUAL 4)
    gtest_discover_tests(${name}
      DISCOVERY_MODE PRE_TEST
      DISCOVERY_TIMEOUT 60
      TEST_PREFIX "WoW64."
      TEST_FILTER "${ARG_WOW64}"
      TEST_LIST ${name}_WOW64_TESTS)
    set(wow64_env ${env} SM_FRESH_PREFIX=1 SM_WINE_ROOT=${SM_WOW64_WINE_ROOT})
    sm_set_discovered_properties(${name}_WOW64_TESTS "${wow64_env}" "${labels};wow64")
  endif()
endfunction()

# Gives the tests one discovery listed (in the variable named `list_var`)
# their environment, labels and time limit, once ctest has listed them.
# gtest_discover_tests' own PROPERTIES keep only the first item of a list
# value (CMake 3.25): a second ENVIRONMENT setting or label was lost, and
# every property after it.
function(sm_set_discovered_properties list_var env labels)
  set(file ${CMAKE_CURRENT_BINARY_DIR}/${list_var}_properties.cmake)
  file(WRITE ${file} "if(${list_var})
  set_tests_properties(\${${list_var}} PROPERTIES
    ENVIRONMENT [==[${env}]==]
    LABELS [==[${labels}]==]
    TIMEOUT 180)
endif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${file})
endfunction()

# Windows side: the sample product's committed tree packed and compressed by
# the host's smx into ARCHIVE (.smx) and CABINET (.cab) beside the tests of
# this folder; `target` is the custom target that makes them; further
# arguments go to smx pack.
function(sm_sample_payload target archive_name cabinet_name)
  set(archive ${CMAKE_CURRENT_BINARY_DIR}/${archive_name})
  set(cabinet ${CMAKE_CURRENT_BINARY_DIR}/${cabinet_name})
  file(GLOB_RECURSE sample_files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/samples/OrvNet/*)
  add_custom_command(
    OUTPUT ${archive} ${cabinet}
    COMMAND ${SM_SMX_TOOL} pack ${CMAKE_SOURCE_DIR}/samples/OrvNet -o ${archive} ${ARGN}
    COMMAND ${SM_SMX_TOOL} cab ${archive} -o ${cabinet}
    DEPENDS ${sample_files} ${SM_SMX_TOOL}
    COMMENT "Packing the sample product into ${cabinet_name}")
  add_custom_target(${target} DEPENDS ${archive} ${cabinet})
endfunction()

# Windows side: a program of the build copied beside the tests of this
# folder, again whenever it is rebuilt; `target` is the custom target.
function(sm_program_beside_tests target program)
  set(copy ${CMAKE_CURRENT_BINARY_DIR}/${program}.exe)
  add_custom_command(
    OUTPUT ${copy}
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:${program}> ${copy}
    DEPENDS $<TARGET_FILE:${program}>)
  add_custom_target(${target} DEPENDS ${copy})
endfunction()

# The payload-less installer beside the tests of this folder.
function(sm_installer_beside_tests target)
  sm_program_beside_tests(${target} installer_bare)
endfunction()
