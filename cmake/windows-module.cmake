# The setup module as a real 32-bit Windows DLL, KYRSETUP.DLL (the module's
# file name is 12 characters long, and the installation relies on it), made
# for the machine it is shipped to: Windows 95 on an 80386 or later.
#
# Included by the root CMakeLists.txt for the Windows build. The module's
# objects are the same as natively; here they are linked with:
#   platform/win32/runtime.cpp  the C run-time services the module calls
#   installer/kyrsetup.def   the one export, kyrInstall (stdcall, 4 arguments),
#                            under its undecorated name
#   installer/version.rc     the version resource (internal name "SETUP.dll")
#   installer/setup.rc       the dialog templates and the icon
# (both compiled by the rule the native build compiles setup.rc by,
# cmake/compiled-resources.cmake)
# and the import libraries of the system DLLs and of the stand-in toolkit
# DLLs (standin/win32/dlls.cmake), whose undecorated exports they bind the compiler's
# decorated references to.
#
# No C or C++ run-time library and none of MinGW's start-up code is linked:
# Windows 95 has no MSVCRT.DLL, and the start-up code brings a TLS directory,
# which makes Windows 95's LoadLibrary refuse the DLL. The entry point is the
# module's own load-time entry, DllMain. Only the 80386's instructions are
# generated and assembled (-Wa,-march=i386 makes the assembler refuse any
# other), and nothing that needs a run time: no exceptions, no unwind tables,
# no guarded statics. scripts/check-win95-module checks the result.

set(KYR_MODULE_TARGET_OPTIONS -march=i386 -Wa,-march=i386 -Os -g -fno-asynchronous-unwind-tables
  -fno-unwind-tables -fno-threadsafe-statics -fno-stack-protector)
target_compile_options(kyrsetup_objects PRIVATE ${KYR_MODULE_TARGET_OPTIONS})

set(KYR_MODULE_RUNTIME ${CMAKE_SOURCE_DIR}/platform/win32/runtime.cpp)
add_library(kyrsetup SHARED $<TARGET_OBJECTS:kyrsetup_objects> ${KYR_MODULE_RUNTIME}
                            ${CMAKE_SOURCE_DIR}/installer/kyrsetup.def)
kyr_resource_object(kyrsetup ${CMAKE_SOURCE_DIR}/installer/version.rc)
kyr_resource_object(kyrsetup ${CMAKE_SOURCE_DIR}/installer/setup.rc
  DEPENDS ${CMAKE_SOURCE_DIR}/installer/setup.ico)
set_target_properties(kyrsetup PROPERTIES PREFIX "" OUTPUT_NAME KYRSETUP SUFFIX ".DLL")
target_include_directories(kyrsetup PRIVATE ${KYR_PLATFORM_INCLUDE})
target_compile_options(kyrsetup PRIVATE ${KYR_MODULE_TARGET_OPTIONS} -fno-exceptions -fno-rtti)
# The run-time routines must not be turned into calls of themselves.
set_source_files_properties(${KYR_MODULE_RUNTIME} PROPERTIES COMPILE_OPTIONS
  "-ffreestanding;-fno-builtin")
# --kill-at: the export is "kyrInstall", not "kyrInstall@16". Windows 95 is
# version 4.0 of the system and of the Windows (GUI) subsystem.
target_link_options(kyrsetup PRIVATE -nostdlib -Wl,--entry,_DllMain@12 -Wl,--kill-at
  -Wl,--no-undefined -Wl,--subsystem,windows:4.0 -Wl,--major-os-version,4
  -Wl,--minor-os-version,0)
target_link_libraries(kyrsetup PRIVATE ${KYR_TOOLKIT_IMPORT_LIBS} user32 gdi32 advapi32 lz32
                                       version kernel32)
add_dependencies(kyrsetup toolkit_imports toolkit_dlls)

# The file a vendor ships is the stripped one; its debug information goes
# beside it, in KYRSETUP.DLL.debug, which the DLL names (a debug link), so
# that a crash report can still be read. KYRSETUP.DLL is stripped where it was
# linked: there is no other file of that name in the build.
add_custom_command(TARGET kyrsetup POST_BUILD
  COMMAND ${KYR_OBJCOPY} --only-keep-debug $<TARGET_FILE:kyrsetup> $<TARGET_FILE:kyrsetup>.debug
  COMMAND ${KYR_OBJCOPY} --strip-all --add-gnu-debuglink=$<TARGET_FILE:kyrsetup>.debug
          $<TARGET_FILE:kyrsetup>
  WORKING_DIRECTORY $<TARGET_FILE_DIR:kyrsetup>
  COMMENT "Stripping KYRSETUP.DLL, its debug information kept in KYRSETUP.DLL.debug"
  VERBATIM)
