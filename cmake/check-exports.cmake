# Checks what the Windows DLL shows the system loader (run by ctest, with
# -DOBJDUMP=... -DDLL=...): the export kyrInstall under its undecorated name
# (no "@16", no leading underscore), and imports from each toolkit DLL of the
# functions the module calls, by their undecorated names.
execute_process(COMMAND ${OBJDUMP} -p ${DLL} OUTPUT_VARIABLE dump RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "objdump -p ${DLL} failed")
endif()

set(failures "")
# The export name table lists "[   0] kyrInstall".
string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table[^\n]*\n[ \t]*\\[ *[0-9]+\\] kyrInstall\n" export
       "${dump}")
if(NOT export)
  list(APPEND failures "no undecorated export kyrInstall")
endif()
if(dump MATCHES "kyrInstall@")
  list(APPEND failures "a decorated kyrInstall@ name is exported")
endif()

# Each toolkit DLL and a function the module imports from it.
foreach(pair "msshlstf.dll:InitializeFrame" "msshlstf.dll:HwndFrame" "msshlstf.dll:TerminateFrame"
             "msuilstf.dll:FDoDialogExt" "msuilstf.dll:FKillNDialogs"
             "mscomstf.dll:CbGetSymbolValue" "mscomstf.dll:FSetSymbolValue"
             "msinsstf.dll:FInitializeInstall" "msinsstf.dll:TerminateInstall"
             "msdetstf.dll:FIsDirWritable")
  string(REPLACE ":" ";" parts ${pair})
  list(GET parts 0 library)
  list(GET parts 1 function)
  # The block of one DLL's imports runs from its "DLL Name:" line to the next.
  string(FIND "${dump}" "DLL Name: ${library}" start)
  if(start EQUAL -1)
    list(APPEND failures "no imports from ${library}")
    continue()
  endif()
  string(SUBSTRING "${dump}" ${start} -1 rest)
  string(FIND "${rest}" "\n\n" end)
  string(SUBSTRING "${rest}" 0 ${end} block)
  if(NOT block MATCHES "[ \t]${function}(\n|$)")
    list(APPEND failures "${function} is not imported from ${library} by its undecorated name")
  endif()
endforeach()

if(failures)
  string(REPLACE ";" "\n  " text "${failures}")
  message(FATAL_ERROR "${DLL}:\n  ${text}")
endif()
message(STATUS "${DLL}: export kyrInstall, imports from the toolkit DLLs")
