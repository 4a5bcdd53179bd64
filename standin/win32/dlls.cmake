# The stand-in setup toolkit as the six Windows DLLs the module and the
# toolkit itself load by name:
#   msshlstf.dll  the frame and its modes   (frame.cpp, frame_modes.cpp, win32/frame_ui.cpp)
#   msuilstf.dll  the pages and their stack (pages.cpp, win32/page_ui.cpp)
#   mscomstf.dll  symbols, lists, the INF file and messages
#                 (symbols.cpp, lists.cpp, inf.cpp, the INF reader of inf/), paths
#                 (path_checks.cpp), the error handler
#                 (error_handler.cpp)
#   msinsstf.dll  installation: directories, INI entries, files, the
#                 Program Manager, the copy list, billboards and progress,
#                 the log file and restart (install.cpp, ini_entries.cpp,
#                 files.cpp, progman.cpp, copy_list.cpp, billboards.cpp,
#                 log_restart.cpp, batch_path.cpp, file_ops.cpp,
#                 the INF reader; it reads the INF file mscomstf.dll has open)
#   msdetstf.dll  detection                 (detect*.cpp, machine_settings.cpp)
#   mscuistf.dll  the custom-dialog library: page templates, bitmap, icon and
#                 the page procedures       (win32/page_procs.cpp, win32/mscuistf.rc)
# and a seventh of our own:
#   standin.dll   the one record of calls, failure and result rules, the
#                 frame's result and quiet mode (call_record.cpp), imported by
#                 the six and by the tests; each DLL registers with it at load
#                 how to forget and show its own state
# Each DLL links its side of the record (calls.cpp), the text hand-back
# (copy_out.cpp), the transcript and the machine.ini reader (machine_ini/).
#
# Every DLL exports the toolkit's undecorated names (a .def file per DLL and
# --kill-at). The import libraries are made from the same .def files by
# dlltool -k, so that the decorated names the compiler emits for stdcall
# calls (InitializeFrame@4) bind to the undecorated exports (InitializeFrame);
# the linker's own import libraries would keep the decoration out of reach.
# KYR_TOOLKIT_IMPORT_LIBS (a cache entry, for the module's link) lists them.

set(STANDIN_WIN32_DIR ${CMAKE_CURRENT_SOURCE_DIR}/win32)
set(STANDIN_IMPORT_DIR ${CMAKE_BINARY_DIR}/toolkit-imports)
file(MAKE_DIRECTORY ${STANDIN_IMPORT_DIR})

# A plain C interface (undecorated cdecl names): the linker's own import
# library serves.
add_library(standin_record SHARED ${CMAKE_CURRENT_SOURCE_DIR}/call_record.cpp
                                  ${STANDIN_WIN32_DIR}/standin.def)
set_target_properties(standin_record PROPERTIES PREFIX "" OUTPUT_NAME standin SUFFIX ".dll"
                      RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
target_include_directories(standin_record PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_options(standin_record PRIVATE -Wl,--no-undefined)
target_link_libraries(standin_record PRIVATE machine_ini)

add_library(standin_calls STATIC ${CMAKE_CURRENT_SOURCE_DIR}/calls.cpp
                                ${CMAKE_CURRENT_SOURCE_DIR}/copy_out.cpp)
target_include_directories(standin_calls PUBLIC ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_SOURCE_DIR}
                                                ${KYR_PLATFORM_INCLUDE})
target_link_libraries(standin_calls PUBLIC standin_record transcript machine_ini)

# The test's view of the stand-in (standin.h), for the test programs.
add_library(standin_view STATIC ${CMAKE_CURRENT_SOURCE_DIR}/test_view.cpp)
target_include_directories(standin_view PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(standin_view PUBLIC standin_record)

set(import_libs "")
set(import_targets "")
# toolkit_dll(NAME SOURCES... [IMPORTS other toolkit DLLs...])
function(toolkit_dll name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "SOURCES;IMPORTS")
  set(def ${STANDIN_WIN32_DIR}/${name}.def)
  set(implib ${STANDIN_IMPORT_DIR}/lib${name}.a)
  add_custom_command(
    OUTPUT ${implib}
    COMMAND ${KYR_DLLTOOL} -k -d ${def} -D ${name}.dll -l ${implib}
    DEPENDS ${def}
    COMMENT "Import library of ${name}.dll"
    VERBATIM)
  add_custom_target(${name}_imports DEPENDS ${implib})

  add_library(${name} SHARED ${arg_SOURCES} ${def})
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

toolkit_dll(msshlstf SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/frame.cpp
            ${CMAKE_CURRENT_SOURCE_DIR}/frame_modes.cpp ${STANDIN_WIN32_DIR}/frame_ui.cpp)
toolkit_dll(mscomstf SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/symbols.cpp
            ${CMAKE_CURRENT_SOURCE_DIR}/lists.cpp ${CMAKE_CURRENT_SOURCE_DIR}/inf.cpp
            ${CMAKE_CURRENT_SOURCE_DIR}/path_checks.cpp
            ${CMAKE_CURRENT_SOURCE_DIR}/error_handler.cpp IMPORTS msshlstf)
toolkit_dll(msuilstf SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/pages.cpp ${STANDIN_WIN32_DIR}/page_ui.cpp
            IMPORTS mscomstf msshlstf)
toolkit_dll(msinsstf SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/install.cpp
            ${CMAKE_CURRENT_SOURCE_DIR}/ini_entries.cpp ${CMAKE_CURRENT_SOURCE_DIR}/files.cpp
            ${CMAKE_CURRENT_SOURCE_DIR}/progman.cpp ${CMAKE_CURRENT_SOURCE_DIR}/copy_list.cpp
            ${CMAKE_CURRENT_SOURCE_DIR}/billboards.cpp ${CMAKE_CURRENT_SOURCE_DIR}/log_restart.cpp
            ${CMAKE_CURRENT_SOURCE_DIR}/batch_path.cpp ${CMAKE_CURRENT_SOURCE_DIR}/file_ops.cpp
            IMPORTS mscomstf)
target_link_libraries(msinsstf PRIVATE profile_text inf_text)
target_link_libraries(mscomstf PRIVATE inf_text)
toolkit_dll(msdetstf SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/detect.cpp
            ${CMAKE_CURRENT_SOURCE_DIR}/detect_drives.cpp ${CMAKE_CURRENT_SOURCE_DIR}/detect_hardware.cpp
            ${CMAKE_CURRENT_SOURCE_DIR}/detect_files.cpp ${CMAKE_CURRENT_SOURCE_DIR}/detect_search.cpp
            ${CMAKE_CURRENT_SOURCE_DIR}/detect_config.cpp ${CMAKE_CURRENT_SOURCE_DIR}/detect_support.cpp
            ${CMAKE_CURRENT_SOURCE_DIR}/machine_settings.cpp IMPORTS mscomstf)
# The version resources of files, from the system's version.dll.
target_link_libraries(msdetstf PRIVATE version)
toolkit_dll(mscuistf SOURCES ${STANDIN_WIN32_DIR}/page_procs.cpp)
target_include_directories(mscuistf PRIVATE ${STANDIN_WIN32_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
# The pages, compiled by the rule the native build compiles them by.
kyr_resource_object(mscuistf ${STANDIN_WIN32_DIR}/mscuistf.rc
  DEPENDS ${STANDIN_WIN32_DIR}/toolkit.bmp ${STANDIN_WIN32_DIR}/toolkit.ico)

set(KYR_TOOLKIT_IMPORT_LIBS ${import_libs} CACHE INTERNAL "The stand-in toolkit's import libraries")
add_custom_target(toolkit_imports DEPENDS ${import_targets})
add_custom_target(toolkit_dlls DEPENDS msshlstf msuilstf mscomstf msinsstf msdetstf mscuistf
                                       standin_record)
