# quarpel_add_test(<name> SOURCES <files...> LIBS <targets...> [TIMEOUT <seconds>])
# One test executable per test file, run by CTest on the offscreen platform so that widget tests
# need no display.
function(quarpel_add_test name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 120)
  endif()
  qt_add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE Qt6::Test ${ARG_LIBS})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/tests")
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    TIMEOUT ${ARG_TIMEOUT}
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QUARPEL_ARTEFATOS=${CMAKE_BINARY_DIR}/artefatos")
endfunction()
