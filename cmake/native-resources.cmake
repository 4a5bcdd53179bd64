# Compiled resources embedded for the native build.
#
# On Windows a module's compiled resource script is the DLL's resources.
# Natively the build compiles the same script by the same rule
# (cmake/compiled-resources.cmake) and embeds the resource file's bytes into
# the module as a generated source:
#
#   extern "C" const unsigned char SYMBOL[];      the resource file's bytes
#   extern "C" const unsigned long SYMBOLSize;    their count
#
# The host layer reads the dialogs from those bytes
# (host/src/resources/module_resources.h), so both builds make their dialogs and pages
# from the same compiled bytes.
#
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

include(${CMAKE_CURRENT_LIST_DIR}/compiled-resources.cmake)
set(KYR_NATIVE_RESOURCES_SCRIPT ${CMAKE_CURRENT_LIST_FILE})

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
