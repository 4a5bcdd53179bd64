# setuphost.exe: the Windows runner, run under Wine by scripts/setuphost-wine.
# It sits beside the stand-in toolkit DLLs in the build directory, so that the
# module's imports resolve from the program's own directory.
file(GLOB_RECURSE RUNNER_WIN32_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.cpp)
if(RUNNER_WIN32_SOURCES)
  add_executable(setuphost ${RUNNER_WIN32_SOURCES})
  set_target_properties(setuphost PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
  # Its folders: answering/ (the thread that answers what is shown), imports/
  # (the module's imports patched to record what it tells the system) and the
  # rest (the transcript's hooks, screenshots, phases, the parent window).
  target_include_directories(setuphost PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_CURRENT_LIST_DIR}
    ${CMAKE_SOURCE_DIR}/standin/win32 ${CMAKE_SOURCE_DIR}/standin)
  target_link_libraries(setuphost PRIVATE runner_shared profile_text transcript user32 gdi32 kernel32)
  # A console program: its messages go to the caller's standard error.
  target_link_options(setuphost PRIVATE -mconsole)
  add_dependencies(setuphost kyrsetup toolkit_dlls)
endif()
