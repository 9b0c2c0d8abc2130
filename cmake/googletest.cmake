# GoogleTest for the test suites. A native build takes Debian's installed GoogleTest; a cross build for
# Windows compiles it from Debian's sources in /usr/src/googletest (libgtest-dev), since the installed
# libraries are for the build machine.
include(GoogleTest)
if(CMAKE_CROSSCOMPILING)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM) # GTest::gtest, …
  # Where Wine finds the DLLs the test programs load: the bin folder of each prefix the build is given
  # (the Qt built for Windows) and the folders of the C++ runtime.
  include(${CMAKE_CURRENT_LIST_DIR}/mingw-runtime.cmake)
  tavrin_mingw_runtime(runtime)
  set(dll_dirs)
  foreach(prefix IN LISTS CMAKE_PREFIX_PATH)
    list(APPEND dll_dirs "Z:${prefix}/bin")
  endforeach()
  foreach(dll IN LISTS runtime)
    cmake_path(GET dll PARENT_PATH dir)
    list(APPEND dll_dirs "Z:${dir}")
  endforeach()
  list(REMOVE_DUPLICATES dll_dirs)
  list(JOIN dll_dirs "\\;" TAVRIN_WINEPATH) # escaped: it ends up inside a list of NAME=VALUE items
else()
  find_package(GTest REQUIRED)
endif()

# Registers a test program's cases with CTest, each case its own test run with the given environment
# (NAME=VALUE items), so that a case that skips shows as skipped in CTest's report and closing line.
# Natively the cases are listed by the program. Cross-built they are found in the sources instead, since
# listing them would start the emulator (Wine) at every CTest run; each case runs through the emulator, which
# finds the DLLs through TAVRIN_WINEPATH.
function(tavrin_add_gtests target)
  set(environment ${ARGN})
  if(CMAKE_CROSSCOMPILING)
    gtest_add_tests(TARGET ${target} TEST_LIST cases)
    list(APPEND environment "WINEPATH=${TAVRIN_WINEPATH}" "WINEDEBUG=-all" "WINEDLLOVERRIDES=winedbg.exe=d")
    set_tests_properties(${cases} PROPERTIES ENVIRONMENT "${environment}"
                                             SKIP_REGULAR_EXPRESSION "\\[  SKIPPED \\]")
  elseif(environment)
    gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST PROPERTIES ENVIRONMENT "${environment}")
  else()
    gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST)
  endif()
endfunction()
