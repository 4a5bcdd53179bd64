# Cross-compiling the 32-bit Windows DLLs and the Windows runner with MinGW-w64
# (Debian package g++-mingw-w64-i686).
#
# libgcc and libstdc++ are linked statically into every DLL and program, so
# that nothing needs the MinGW runtime DLLs at run time: a machine has only
# the system's own DLLs, the toolkit DLLs and the module.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(KYR_MINGW_PREFIX i686-w64-mingw32)
# The win32 thread model: the runtime needs no winpthread DLL.
find_program(CMAKE_C_COMPILER NAMES ${KYR_MINGW_PREFIX}-gcc-win32 ${KYR_MINGW_PREFIX}-gcc REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${KYR_MINGW_PREFIX}-g++-win32 ${KYR_MINGW_PREFIX}-g++
             REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${KYR_MINGW_PREFIX}-windres REQUIRED)
find_program(KYR_OBJDUMP NAMES ${KYR_MINGW_PREFIX}-objdump objdump)
find_program(KYR_OBJCOPY NAMES ${KYR_MINGW_PREFIX}-objcopy REQUIRED)
find_program(KYR_DLLTOOL NAMES ${KYR_MINGW_PREFIX}-dlltool REQUIRED)

set(CMAKE_FIND_ROOT_PATH /usr/${KYR_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++ -static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++ -static")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++ -static")
