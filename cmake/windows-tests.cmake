# Tests of the Windows build (ctest --preset windows):
#   windows.exports           KYRSETUP.DLL exports kyrInstall undecorated and
#                             imports the toolkit's functions from the toolkit DLLs
#   windows.win95_module      KYRSETUP.DLL loads on Windows 95 and runs on an 80386
#                             (scripts/check-win95-module)
#   windows.win95_check_refusals
#                             the check refuses a DLL with MinGW's run time, a wide
#                             import, another system version
#   windows.wine_refuses_other_dirs
#                             setuphost-wine refuses a machine whose Windows or
#                             System directory is not Wine's own
#   windows.layer_tests, windows.layer_tests_cp932
#                             the toolkit layer's and support library's tests
#                             under Wine (windows-layer-tests.cmake)
#   scenario.wine.NAME        every scenario of tests/scenarios under Wine, through
#                             scripts/setuphost-wine (the same machines, answers and
#                             expected transcripts and files as natively)
#   scenario.wine95.NAME      the same, Wine reporting itself as Windows 95
# A Wine run takes a few seconds (a fresh Wine session per run; more under
# qemu-i386 or on a loaded machine), so the scenarios get a generous timeout.
# A scenario whose machine asks the host layer for faults (machine.ini
# section [faults]: a full disk, a failing open) cannot run under Wine, where
# the files are real; its Wine tests are listed as disabled.

add_test(NAME windows.exports
  COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${KYR_OBJDUMP} -DDLL=$<TARGET_FILE:kyrsetup>
          -P ${CMAKE_SOURCE_DIR}/cmake/check-exports.cmake)

# The shipped KYRSETUP.DLL is one that Windows 95 loads and an 80386 runs;
# and the check refuses what Windows 95 cannot load.
add_test(NAME windows.win95_module
  COMMAND ${CMAKE_SOURCE_DIR}/scripts/check-win95-module --objdump ${KYR_OBJDUMP}
          $<TARGET_FILE:kyrsetup>)
add_test(NAME windows.win95_check_refusals
  COMMAND ${CMAKE_SOURCE_DIR}/tests/scripts/check_win95_refusals.sh ${KYR_OBJDUMP}
          $<TARGET_FILE:kyrsetup> $<TARGET_FILE:mscomstf>)

add_test(NAME windows.wine_refuses_other_dirs
  COMMAND ${CMAKE_COMMAND} -DSCRIPT=${CMAKE_SOURCE_DIR}/scripts/setuphost-wine
          -DWORK=${CMAKE_BINARY_DIR}/refusal-test -P ${CMAKE_SOURCE_DIR}/cmake/check-wine-refusal.cmake)
set_tests_properties(windows.wine_refuses_other_dirs PROPERTIES TIMEOUT 600
  ENVIRONMENT "KYR_WINDOWS_BUILD=${CMAKE_BINARY_DIR}")

file(GLOB KYR_WINE_SCENARIOS CONFIGURE_DEPENDS LIST_DIRECTORIES true
  ${CMAKE_SOURCE_DIR}/tests/scenarios/*)
foreach(scenario ${KYR_WINE_SCENARIOS})
  if(IS_DIRECTORY ${scenario})
    get_filename_component(name ${scenario} NAME)
    set(host_faults FALSE)
    set(inis ${scenario}/machine/machine.ini)
    if(EXISTS ${scenario}/base)
      file(STRINGS ${scenario}/base base LIMIT_COUNT 1)
      list(APPEND inis ${CMAKE_SOURCE_DIR}/tests/machines/${base}/machine.ini)
    endif()
    foreach(ini ${inis})
      if(EXISTS ${ini})
        file(STRINGS ${ini} sections REGEX "^[ \t]*\\[[Ff][Aa][Uu][Ll][Tt][Ss]\\]")
        if(sections)
          set(host_faults TRUE)
        endif()
      endif()
    endforeach()
    # Wine as it reports itself by default, and once more as Windows 95
    # (GetVersion 4.0, build 950).
    foreach(mode "wine;" "wine95;KYR_WINE_VERSION=win95")
      list(GET mode 0 label)
      list(SUBLIST mode 1 -1 version)
      add_test(NAME scenario.${label}.${name}
        COMMAND ${CMAKE_SOURCE_DIR}/scripts/run-scenario
                --runner ${CMAKE_SOURCE_DIR}/scripts/setuphost-wine ${scenario})
      set_tests_properties(scenario.${label}.${name} PROPERTIES
        TIMEOUT 600
        ENVIRONMENT "KYR_WINDOWS_BUILD=${CMAKE_BINARY_DIR};${version}"
        DISABLED ${host_faults})
    endforeach()
  endif()
endforeach()

include(${CMAKE_CURRENT_LIST_DIR}/windows-layer-tests.cmake)

# The runner's options under Wine: answers recorded from an answers-driven
# run replay it (two Wine runs each: typed text, a list selection and the
# finish dialog; a message box), and the screenshots of a run with a message
# box (one Wine run).
foreach(name install_german_return_to_windows control_file_invalid)
  add_test(NAME record_replay.wine.${name}
    COMMAND ${CMAKE_SOURCE_DIR}/tests/runner/record-replay
            --runner ${CMAKE_SOURCE_DIR}/scripts/setuphost-wine
            ${CMAKE_SOURCE_DIR}/tests/scenarios/${name})
  set_tests_properties(record_replay.wine.${name} PROPERTIES
    TIMEOUT 600 ENVIRONMENT "KYR_WINDOWS_BUILD=${CMAKE_BINARY_DIR}")
endforeach()
add_test(NAME screenshots.wine.control_file_invalid
  COMMAND ${CMAKE_SOURCE_DIR}/tests/runner/check-screenshots
          --runner ${CMAKE_SOURCE_DIR}/scripts/setuphost-wine
          ${CMAKE_SOURCE_DIR}/tests/scenarios/control_file_invalid
          ${CMAKE_SOURCE_DIR}/tests/runner/screenshots/control_file_invalid.names)
set_tests_properties(screenshots.wine.control_file_invalid PROPERTIES
  TIMEOUT 600 ENVIRONMENT "KYR_WINDOWS_BUILD=${CMAKE_BINARY_DIR}")
include(${CMAKE_CURRENT_LIST_DIR}/windows-conformance.cmake)
