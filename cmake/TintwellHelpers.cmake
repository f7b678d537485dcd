# tintwell_add_test(<name> SOURCES <files...> LIBS <targets...>)
# One Qt Test executable per test class, registered with CTest and run offscreen.
function(tintwell_add_test name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE Qt6::Test tintwell_testsupport ${ARG_LIBS})
  # Tests that switch language need the compiled catalogues beside them, and the
  # exports start from the workbook template.
  add_dependencies(${name} tintwell_translations tintwell_template)
  add_test(NAME ${name} COMMAND ${name})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 120)
  endif()
  # Each test its own user settings (remembered folders, the journal's
  # pruning), never those of whoever runs the tests.
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_LOGGING_RULES=*.debug=false;XDG_CONFIG_HOME=${CMAKE_BINARY_DIR}/test-config/${name}"
    WORKING_DIRECTORY ${TINTWELL_BIN_DIR}
    TIMEOUT ${ARG_TIMEOUT})
endfunction()
