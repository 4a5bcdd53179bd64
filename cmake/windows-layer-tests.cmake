# The toolkit layer's and the support library's tests, built a second time
# for Windows from the same files as natively (tests/toolkit/*_test.cpp,
# tests/support_library/*_test.cpp) with the Windows fixture
# (tests/support/toolkit_fixture_win32.cpp), and run under Wine against the
# stand-in toolkit DLLs and Wine's own system:
#   windows.layer_tests        the whole program in Wine's default locale
#                              (code page 1252), without the 932 cases
#   windows.layer_tests_cp932  the 932 cases (tests whose full name holds
#                              "Cp932") under LANG=ja_JP.UTF-8; the run fails
#                              when the system's code page is not 932
# Each runs the program once, in a fresh Wine prefix (scripts/wine-run).
#
# GoogleTest comes from Debian's googletest source package, built here with
# the MinGW toolchain. Its own warnings are not errors; ours stay errors, and
# its headers are system headers to our code.

set(KYR_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest's sources (Debian googletest)")
if(NOT EXISTS ${KYR_GOOGLETEST_SOURCE}/CMakeLists.txt)
  message(WARNING "No GoogleTest sources in ${KYR_GOOGLETEST_SOURCE} (Debian package googletest): "
                  "the layer tests are not built for Windows")
  return()
endif()

file(GLOB KYR_LAYER_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/toolkit/*_test.cpp
  ${CMAKE_SOURCE_DIR}/tests/support_library/*_test.cpp)
if(NOT KYR_LAYER_TEST_SOURCES)
  return()
endif()

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
add_subdirectory(${KYR_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
# Our port settings (tests/support/win32/gtest/internal/custom/) come before
# GoogleTest's own, for GoogleTest and for the tests alike.
set(KYR_GTEST_PORT ${CMAKE_SOURCE_DIR}/tests/support/win32)
foreach(target gtest gtest_main gmock gmock_main)
  target_compile_options(${target} PRIVATE -Wno-error)
  target_include_directories(${target} BEFORE PRIVATE ${KYR_GTEST_PORT})
endforeach()

add_executable(layer_tests ${KYR_LAYER_TEST_SOURCES}
  ${CMAKE_SOURCE_DIR}/tests/support/toolkit_fixture_win32.cpp
  ${CMAKE_SOURCE_DIR}/runner/win32/imports/import_table.cpp)
# Beside the toolkit DLLs, which it imports from its own directory.
set_target_properties(layer_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
target_include_directories(layer_tests BEFORE PRIVATE ${KYR_GTEST_PORT})
target_include_directories(layer_tests PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(layer_tests PRIVATE kyrsetup_objects standin_view transcript
  ${KYR_TOOLKIT_IMPORT_LIBS} gmock gtest gtest_main
  user32 gdi32 advapi32 lz32 version kernel32)
target_link_options(layer_tests PRIVATE -mconsole)
# The tests' own fixture files, read from the source tree through Wine's
# drive Z:, which is the Linux root.
target_compile_definitions(layer_tests PRIVATE
  STANDIN_FIXTURES_DIR="Z:${CMAKE_SOURCE_DIR}/tests/standin/fixtures")
add_dependencies(layer_tests toolkit_imports toolkit_dlls)

add_test(NAME windows.layer_tests
  COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-run layer_tests.exe --gtest_filter=-*Cp932*)
add_test(NAME windows.layer_tests_cp932
  COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-run --lang ja_JP.UTF-8 --env KYR_LAYER_ACP=932
          layer_tests.exe --gtest_filter=*Cp932*)
set_tests_properties(windows.layer_tests windows.layer_tests_cp932 PROPERTIES
  TIMEOUT 900 ENVIRONMENT "KYR_WINDOWS_BUILD=${CMAKE_BINARY_DIR}")
