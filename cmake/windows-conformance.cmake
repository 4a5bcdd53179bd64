# The conformance program (tests/conformance) built for Windows, and
#   windows.conformance   its output under Wine compared, line by line, with
#                         the native build's on the host layer; the lines
#                         tests/conformance/departures.txt lists may differ
# The native program is taken from KYR_NATIVE_BUILD (build/native by
# default), so the native preset must be built first, as scripts/test-all
# does. One Wine run: about a minute.

file(GLOB KYR_CONFORMANCE_AREAS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/conformance/*_area.cpp)
add_executable(conformance ${CMAKE_SOURCE_DIR}/tests/conformance/main.cpp
  ${CMAKE_SOURCE_DIR}/tests/conformance/report.cpp
  ${CMAKE_SOURCE_DIR}/tests/conformance/start_win32.cpp ${KYR_CONFORMANCE_AREAS})
set_target_properties(conformance PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
target_include_directories(conformance PRIVATE ${KYR_PLATFORM_INCLUDE})
target_link_libraries(conformance PRIVATE user32 gdi32 advapi32 lz32 version kernel32)
target_link_options(conformance PRIVATE -mconsole)
# MinGW's GCC 12 takes "text" + std::string for an overlapping memcpy (GCC
# bug 105329) at -O2; the warning says nothing about this code.
target_compile_options(conformance PRIVATE -Wno-restrict)

set(KYR_NATIVE_BUILD ${CMAKE_SOURCE_DIR}/build/native CACHE PATH
  "The native build whose conformance program windows.conformance compares with")
add_test(NAME windows.conformance
  COMMAND ${CMAKE_SOURCE_DIR}/scripts/conformance --native ${KYR_NATIVE_BUILD}/conformance
          --wine conformance.exe)
set_tests_properties(windows.conformance PROPERTIES TIMEOUT 600
  ENVIRONMENT "KYR_WINDOWS_BUILD=${CMAKE_BINARY_DIR}")
