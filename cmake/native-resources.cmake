# Compiled resources for the native build.
#
# On Windows the resource compiler turns a module's resource script into the
# DLL's resources. Natively the same compiler, i686-w64-mingw32-windres
# (Debian binutils-mingw-w64-i686), compiles the same script into a resource
# file (.res), and the build embeds its bytes into the module as a generated
# source:
#
#   extern "C" const unsigned char SYMBOL[];      the resource file's bytes
#   extern "C" const unsigned long SYMBOLSize;    their count
#
# The host layer reads the dialogs from those bytes (host/src/module_resources.h),
# so both builds make their dialogs and pages from the same compiled bytes.
#
# windres runs a C preprocessor over the script first. Its default is
# i686-w64-mingw32-gcc, which a native build need not have; clang, with the
# MinGW target, defines what that compiler defines, and the MinGW headers
# (Debian mingw-w64-i686-dev) give <windows.h> its constants. Told the
# target without the MinGW compiler installed, clang does not find those
# headers by itself, so their folder is named.
#
# kyr_compile_resources(RC OUTPUT [DEPENDS files...]) writes OUTPUT, a .res;
# kyr_embed_resources(TARGET RC SYMBOL [DEPENDS files...]) adds the generated
# source to TARGET. Run with cmake -DINPUT=res -DOUTPUT=cpp -DSYMBOL=...
# -DSOURCE=script -P, this file writes the generated source.

if(CMAKE_SCRIPT_MODE_FILE)
  file(READ "${INPUT}" bytes_hex HEX)
  string(LENGTH "${bytes_hex}" hex_length)
  math(EXPR byte_count "${hex_length} / 2")
  # Sixteen bytes a line.
  string(REPEAT "[0-9a-f]" 32 line_pattern)
  string(REGEX REPLACE "(${line_pattern})" "\\1;" hex_lines "${bytes_hex}")
  set(lines "")
  foreach(hex_line IN LISTS hex_lines)
    if(NOT hex_line STREQUAL "")
      string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," line "${hex_line}")
      string(APPEND lines "\n    ${line}")
    endif()
  endforeach()
  file(WRITE "${OUTPUT}.tmp"
"// Generated from ${SOURCE}, compiled by windres, by cmake/native-resources.cmake; do not edit.
extern \"C\" const unsigned char ${SYMBOL}[] = {${lines}
};
extern \"C\" const unsigned long ${SYMBOL}Size = ${byte_count};
")
  file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
  return()
endif()

find_program(KYR_WINDRES NAMES i686-w64-mingw32-windres REQUIRED)
find_program(KYR_RC_PREPROCESSOR NAMES clang REQUIRED)
find_path(KYR_MINGW_INCLUDE windows.h PATHS /usr/i686-w64-mingw32/include NO_DEFAULT_PATH REQUIRED)
set(KYR_NATIVE_RESOURCES_SCRIPT ${CMAKE_CURRENT_LIST_FILE})

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

function(kyr_embed_resources target rc symbol)
  cmake_parse_arguments(PARSE_ARGV 3 arg "" "" "DEPENDS")
  get_filename_component(rc_name ${rc} NAME_WE)
  set(res ${CMAKE_BINARY_DIR}/generated/${symbol}.res)
  set(source ${CMAKE_BINARY_DIR}/generated/${symbol}.cpp)
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/generated)
  kyr_compile_resources(${rc} ${res} DEPENDS ${arg_DEPENDS})
  add_custom_command(
    OUTPUT ${source}
    COMMAND ${CMAKE_COMMAND} -DINPUT=${res} -DOUTPUT=${source} -DSYMBOL=${symbol}
            -DSOURCE=${rc_name}.rc -P ${KYR_NATIVE_RESOURCES_SCRIPT}
    DEPENDS ${res} ${KYR_NATIVE_RESOURCES_SCRIPT}
    COMMENT "Embedding the resources of ${rc_name}.rc as ${symbol}"
    VERBATIM)
  target_sources(${target} PRIVATE ${source})
endfunction()
