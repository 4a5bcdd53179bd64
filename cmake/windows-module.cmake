# The setup module as a real 32-bit Windows DLL, KYRSETUP.DLL (the module's
# file name is 12 characters long, and the installation relies on it).
#
# Included by the root CMakeLists.txt for the Windows build. The module's
# objects are the same as natively; here they are linked with:
#   installer/kyrsetup.def   the one export, kyrInstall (stdcall, 4 arguments),
#                            under its undecorated name
#   installer/version.rc     the version resource (internal name "SETUP.dll")
#   installer/setup.rc       the dialog templates and the icon, when present
# and the import libraries of the stand-in toolkit DLLs (standin/win32/),
# whose undecorated exports they bind the compiler's decorated references to.

set(KYR_MODULE_RESOURCES ${CMAKE_SOURCE_DIR}/installer/version.rc)
if(EXISTS ${CMAKE_SOURCE_DIR}/installer/setup.rc)
  list(APPEND KYR_MODULE_RESOURCES ${CMAKE_SOURCE_DIR}/installer/setup.rc)
endif()

add_library(kyrsetup SHARED $<TARGET_OBJECTS:kyrsetup_objects> ${KYR_MODULE_RESOURCES}
                            ${CMAKE_SOURCE_DIR}/installer/kyrsetup.def)
set_target_properties(kyrsetup PROPERTIES PREFIX "" OUTPUT_NAME KYRSETUP SUFFIX ".DLL")
# The resource scripts find their icon beside them.
target_include_directories(kyrsetup PRIVATE ${CMAKE_SOURCE_DIR}/installer)
# --kill-at: the export is "kyrInstall", not "kyrInstall@16".
target_link_options(kyrsetup PRIVATE -Wl,--kill-at -Wl,--no-undefined)
target_link_libraries(kyrsetup PRIVATE ${KYR_TOOLKIT_IMPORT_LIBS} user32 gdi32 advapi32 lz32
                                       version kernel32)
add_dependencies(kyrsetup toolkit_imports toolkit_dlls)
