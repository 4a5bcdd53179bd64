# Resource scripts compiled into resource files (.res), by one rule for both
# builds, so that the Windows DLLs and the native module carry the same
# bytes: MinGW's resource compiler, i686-w64-mingw32-windres (Debian
# binutils-mingw-w64-i686).
#
# windres runs a C preprocessor over the script first. Its default is
# i686-w64-mingw32-gcc, which a native build need not have; clang, with the
# MinGW target, defines what that compiler defines, and the MinGW headers
# (Debian mingw-w64-i686-dev) give <windows.h> its constants. Told the
# target without the MinGW compiler installed, clang does not find those
# headers by itself, so their folder is named. (The MinGW compiler's
# preprocessor gives the same bytes for the tree's scripts.)
#
#   kyr_compile_resources(RC OUTPUT [DEPENDS files...])
#       writes OUTPUT, the .res of the script RC; files named in the script
#       (icons, bitmaps) are found beside it, and DEPENDS lists them
#   kyr_resource_object(TARGET RC [DEPENDS files...])
#       links the compiled script into the Windows target TARGET (the .res
#       turned into an object by the same windres)

find_program(KYR_WINDRES NAMES i686-w64-mingw32-windres REQUIRED)
find_program(KYR_RC_PREPROCESSOR NAMES clang REQUIRED)
find_path(KYR_MINGW_INCLUDE windows.h PATHS /usr/i686-w64-mingw32/include NO_DEFAULT_PATH
  NO_CMAKE_FIND_ROOT_PATH REQUIRED)

function(kyr_compile_resources rc output)
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "" "DEPENDS")
  get_filename_component(rc_dir ${rc} DIRECTORY)
  get_filename_component(rc_name ${rc} NAME)
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${KYR_WINDRES} --preprocessor=${KYR_RC_PREPROCESSOR}
            --preprocessor-arg=-E --preprocessor-arg=-xc --preprocessor-arg=-DRC_INVOKED
            --preprocessor-arg=--target=i686-w64-mingw32
            --preprocessor-arg=-isystem${KYR_MINGW_INCLUDE}
            -I ${rc_dir} -i ${rc} -O res -o ${output}
    DEPENDS ${rc} ${arg_DEPENDS}
    COMMENT "Compiling the resource script ${rc_name}"
    VERBATIM)
endfunction()

function(kyr_resource_object target rc)
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "" "DEPENDS")
  get_filename_component(rc_name ${rc} NAME_WE)
  set(dir ${CMAKE_BINARY_DIR}/resources/${target})
  file(MAKE_DIRECTORY ${dir})
  kyr_compile_resources(${rc} ${dir}/${rc_name}.res DEPENDS ${arg_DEPENDS})
  add_custom_command(
    OUTPUT ${dir}/${rc_name}.res.o
    COMMAND ${KYR_WINDRES} -J res -O coff -i ${dir}/${rc_name}.res -o ${dir}/${rc_name}.res.o
    DEPENDS ${dir}/${rc_name}.res
    COMMENT "Making an object of the resources of ${rc_name}.rc"
    VERBATIM)
  target_sources(${target} PRIVATE ${dir}/${rc_name}.res.o)
endfunction()
