# The stand-in setup toolkit as the six Windows DLLs the module and the
# toolkit itself load by name, one folder each, and a seventh of our own:
#   msshlstf/  msshlstf.dll, the frame and its modes
#   msuilstf/  msuilstf.dll, the pages and their stack
#   mscomstf/  mscomstf.dll, symbols, lists, the INF file (with the INF reader
#              of inf/), paths and the error handler
#   msinsstf/  msinsstf.dll, installation: directories, INI entries, files,
#              the Program Manager, the copy list, billboards and progress,
#              the log file and restart (it reads the INF file mscomstf.dll
#              has open, with the INF reader)
#   msdetstf/  msdetstf.dll, detection and the settings it reads from the
#              machine
#   mscuistf/  mscuistf.dll, the custom-dialog library: page templates,
#              bitmap and icon (mscuistf.rc), the page controls
#   core/      standin.dll: the one record of calls, failure and result
#              rules, the frame's result and quiet mode (call_record.cpp),
#              imported by the six and by the tests; each DLL registers with
#              it at load how to forget and show its own state. Each DLL
#              links its side of the record (calls.cpp), the text hand-back
#              (copy_out.cpp), the transcript and the machine.ini
#              reader (machine_ini/).
#   win32/     the Windows user interface of the DLLs that show something:
#              the frame (frame_ui.cpp, msshlstf.dll), the pages
#              (page_ui.cpp, msuilstf.dll), the page procedures
#              (page_procs.cpp, mscuistf.dll)
# A DLL is its folder's sources, its .def file there and its part of win32/.
#
# Every DLL exports the toolkit's undecorated names (a .def file per DLL and
# --kill-at). The import libraries are made from the same .def files by
# dlltool -k, so that the decorated names the compiler emits for stdcall
# calls (InitializeFrame@4) bind to the undecorated exports (InitializeFrame);
# the linker's own import libraries would keep the decoration out of reach.
# KYR_TOOLKIT_IMPORT_LIBS (a cache entry, for the module's link) lists them.

set(STANDIN_DIR ${CMAKE_CURRENT_SOURCE_DIR})
set(STANDIN_WIN32_DIR ${STANDIN_DIR}/win32)
set(STANDIN_IMPORT_DIR ${CMAKE_BINARY_DIR}/toolkit-imports)
file(MAKE_DIRECTORY ${STANDIN_IMPORT_DIR})

# A plain C interface (undecorated cdecl names): the linker's own import
# library serves.
add_library(standin_record SHARED ${STANDIN_DIR}/core/call_record.cpp ${STANDIN_DIR}/core/standin.def)
set_target_properties(standin_record PROPERTIES PREFIX "" OUTPUT_NAME standin SUFFIX ".dll"
                      RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
target_include_directories(standin_record PUBLIC ${STANDIN_DIR})
target_link_options(standin_record PRIVATE -Wl,--no-undefined)
target_link_libraries(standin_record PRIVATE machine_ini)

add_library(standin_calls STATIC ${STANDIN_DIR}/core/calls.cpp ${STANDIN_DIR}/core/copy_out.cpp)
target_include_directories(standin_calls PUBLIC ${STANDIN_DIR} ${CMAKE_SOURCE_DIR}
                                                ${KYR_PLATFORM_INCLUDE})
target_link_libraries(standin_calls PUBLIC standin_record transcript machine_ini)

# The test's view of the stand-in (standin.h), for the test programs.
add_library(standin_view STATIC ${STANDIN_DIR}/core/test_view.cpp)
target_include_directories(standin_view PUBLIC ${STANDIN_DIR})
target_link_libraries(standin_view PUBLIC standin_record)

set(import_libs "")
set(import_targets "")
# toolkit_dll(NAME [UI win32 sources...] [IMPORTS other toolkit DLLs...]):
# the sources of the folder NAME/ and its NAME.def, with its part of win32/.
function(toolkit_dll name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "UI;IMPORTS")
  set(def ${STANDIN_DIR}/${name}/${name}.def)
  file(GLOB folder_sources CONFIGURE_DEPENDS ${STANDIN_DIR}/${name}/*.cpp)
  list(TRANSFORM arg_UI PREPEND ${STANDIN_WIN32_DIR}/)
  set(implib ${STANDIN_IMPORT_DIR}/lib${name}.a)
  add_custom_command(
    OUTPUT ${implib}
    COMMAND ${KYR_DLLTOOL} -k -d ${def} -D ${name}.dll -l ${implib}
    DEPENDS ${def}
    COMMENT "Import library of ${name}.dll"
    VERBATIM)
  add_custom_target(${name}_imports DEPENDS ${implib})

  add_library(${name} SHARED ${folder_sources} ${arg_UI} ${def})
  set_target_properties(${name} PROPERTIES PREFIX "" OUTPUT_NAME ${name} SUFFIX ".dll"
                        RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
  target_link_options(${name} PRIVATE -Wl,--kill-at -Wl,--no-undefined)
  target_link_libraries(${name} PRIVATE standin_calls)
  foreach(imported ${arg_IMPORTS})
    add_dependencies(${name} ${imported}_imports)
    target_link_libraries(${name} PRIVATE ${STANDIN_IMPORT_DIR}/lib${imported}.a)
  endforeach()
  target_link_libraries(${name} PRIVATE user32 gdi32 kernel32)

  set(import_libs ${import_libs} ${implib} PARENT_SCOPE)
  set(import_targets ${import_targets} ${name}_imports PARENT_SCOPE)
endfunction()

toolkit_dll(msshlstf UI frame_ui.cpp)
toolkit_dll(mscomstf IMPORTS msshlstf)
toolkit_dll(msuilstf UI page_ui.cpp IMPORTS mscomstf msshlstf)
toolkit_dll(msinsstf IMPORTS mscomstf)
target_link_libraries(msinsstf PRIVATE profile_text inf_text)
target_link_libraries(mscomstf PRIVATE inf_text)
toolkit_dll(msdetstf IMPORTS mscomstf)
# The version resources of files, from the system's version.dll.
target_link_libraries(msdetstf PRIVATE version)
toolkit_dll(mscuistf UI page_procs.cpp)
target_include_directories(mscuistf PRIVATE ${STANDIN_WIN32_DIR} ${STANDIN_DIR})
# The pages, compiled by the rule the native build compiles them by.
kyr_resource_object(mscuistf ${STANDIN_DIR}/mscuistf/mscuistf.rc
  DEPENDS ${STANDIN_DIR}/mscuistf/toolkit.bmp ${STANDIN_DIR}/mscuistf/toolkit.ico)

set(KYR_TOOLKIT_IMPORT_LIBS ${import_libs} CACHE INTERNAL "The stand-in toolkit's import libraries")
add_custom_target(toolkit_imports DEPENDS ${import_targets})
add_custom_target(toolkit_dlls DEPENDS msshlstf msuilstf mscomstf msinsstf msdetstf mscuistf
                                       standin_record)
