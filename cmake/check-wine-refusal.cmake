# setuphost-wine refuses a machine whose Windows or System directory is not
# Wine's own (C:\windows, C:\windows\system32), compared without regard to
# case. The keys default to C:\WINDOWS and C:\WINDOWS\SYSTEM when missing: a
# missing windows key is Wine's directory, a missing system key is not. Run by ctest with -DSCRIPT=... -DWORK=...
set(cases
  "refused|windows=C:\\WINDOWS\nsystem=C:\\WINDOWS\\SYSTEM"
  "accepted|system=C:\\windows\\system32"
  "refused|windows=C:\\windows"
  "refused|windows=D:\\windows\nsystem=D:\\windows\\system32"
  "refused|windows=C:\\windows\nsystem=C:\\windows\\system"
  "accepted|windows=C:\\WINDOWS\nsystem=C:\\Windows\\System32")
set(index 0)
set(failures "")
foreach(case ${cases})
  string(FIND "${case}" "|" bar)
  string(SUBSTRING "${case}" 0 ${bar} expected)
  math(EXPR start "${bar} + 1")
  string(SUBSTRING "${case}" ${start} -1 keys)
  set(machine ${WORK}/refusal-${index})
  file(REMOVE_RECURSE ${machine})
  file(MAKE_DIRECTORY ${machine}/c/kyrdrv)
  file(WRITE ${machine}/machine.ini "[machine]\n${keys}\ncwd=C:\\KYRDRV\nmodule=C:\\KYRDRV\\KYRSETUP.DLL\n")
  # No answers: an accepted machine runs until the welcome page finds none.
  execute_process(COMMAND ${SCRIPT} --machine ${machine} --printer "Kyroth FS-600"
                  RESULT_VARIABLE status ERROR_VARIABLE errors OUTPUT_QUIET)
  string(FIND "${errors}" "a machine meant for Wine must name that" refusal)
  if(expected STREQUAL "refused" AND (NOT status EQUAL 2 OR refusal EQUAL -1))
    list(APPEND failures "not refused (status ${status}): ${keys}\n${errors}")
  elseif(expected STREQUAL "accepted" AND NOT refusal EQUAL -1)
    list(APPEND failures "refused: ${keys}\n${errors}")
  elseif(expected STREQUAL "accepted" AND NOT errors MATCHES "page 100")
    list(APPEND failures "did not reach the welcome page: ${keys}\n${errors}")
  endif()
  file(REMOVE_RECURSE ${machine})
  math(EXPR index "${index} + 1")
endforeach()
if(failures)
  string(REPLACE ";" "\n" text "${failures}")
  message(FATAL_ERROR "${text}")
endif()
