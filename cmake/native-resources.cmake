# The module's resource script, carried by the native module.
#
# On Windows the resource compiler turns installer/setup.rc into the DLL's
# resources. On Linux there is no resource section, so the build embeds the
# text of the same script into a generated source of the module:
#
#   extern "C" const char HostResourceScript[];           the script, zero-ended
#   extern "C" const unsigned long HostResourceScriptSize; its length in bytes
#
# The host layer finds the symbol in the module behind an instance handle and
# builds its dialogs from the text (host/src/rc_script.h), so every template
# has one source on both platforms.
#
# Included from the root CMakeLists.txt after the module's targets, this file
# adds the generated source to kyrsetup_objects (and so to kyrsetup and
# kyrsetup_static). Run with cmake -DINPUT=... -DOUTPUT=... -P, it writes the
# generated source.
#
# Code linked with kyrsetup_static is the process image itself, as an
# executable's own resources are on Windows: its link keeps the script (no
# code of the module refers to it, so the archive member would otherwise be
# left out) and exports it, so that the host finds it with dlsym for the
# process (a NULL instance) and for instances of linked modules.

if(CMAKE_SCRIPT_MODE_FILE)
  # -DSYMBOL=NAME embeds another script under its own name (the stand-in
  # toolkit's pages), so that two scripts in one process never meet.
  if(NOT SYMBOL)
    set(SYMBOL HostResourceScript)
  endif()
  get_filename_component(input_name "${INPUT}" NAME)
  file(READ "${INPUT}" script_hex HEX)
  string(LENGTH "${script_hex}" hex_length)
  math(EXPR byte_count "${hex_length} / 2")
  # One string literal a line of 16 bytes, every byte a hexadecimal escape,
  # so that no byte of the script can end the literal or run into a digit.
  string(REPEAT "[0-9a-f]" 32 line_pattern)
  string(REGEX REPLACE "(${line_pattern})" "\\1;" hex_lines "${script_hex}")
  set(lines "")
  foreach(hex_line IN LISTS hex_lines)
    if(NOT hex_line STREQUAL "")
      string(REGEX REPLACE "([0-9a-f][0-9a-f])" "\\\\x\\1" escaped "${hex_line}")
      string(APPEND lines "\n    \"${escaped}\"")
    endif()
  endforeach()
  if(lines STREQUAL "")
    set(lines " \"\"")
  endif()
  file(WRITE "${OUTPUT}.tmp"
"// Generated from ${input_name} by cmake/native-resources.cmake; do not edit.
extern \"C\" const char ${SYMBOL}[] =${lines};
extern \"C\" const unsigned long ${SYMBOL}Size = ${byte_count};
")
  file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
  return()
endif()

set(KYR_RESOURCE_SCRIPT ${CMAKE_SOURCE_DIR}/installer/setup.rc)
set(KYR_RESOURCE_SOURCE ${CMAKE_BINARY_DIR}/generated/host_resource_script.cpp)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/generated)
add_custom_command(
  OUTPUT ${KYR_RESOURCE_SOURCE}
  COMMAND ${CMAKE_COMMAND} -DINPUT=${KYR_RESOURCE_SCRIPT} -DOUTPUT=${KYR_RESOURCE_SOURCE}
          -P ${CMAKE_CURRENT_LIST_FILE}
  DEPENDS ${KYR_RESOURCE_SCRIPT} ${CMAKE_CURRENT_LIST_FILE}
  COMMENT "Embedding the resource script installer/setup.rc"
  VERBATIM)
target_sources(kyrsetup_objects PRIVATE ${KYR_RESOURCE_SOURCE})
target_link_options(kyrsetup_static INTERFACE "LINKER:--undefined=HostResourceScript"
  "LINKER:--export-dynamic-symbol=HostResourceScript")
