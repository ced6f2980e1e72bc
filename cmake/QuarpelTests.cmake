# quarpel_add_test(<name> SOURCES <files...> LIBS <targets...> [TIMEOUT <seconds>])
# The test files of one part of tests/ (its first folder: protocol, engine, server, client) build
# into one program, testes_<part>: a program per file made linking the suite cost more than
# compiling it. Each file stays a CTest test of its own, labelled with its part. Its QTEST_*MAIN
# is compiled under the name quarpel_<name> instead of main; the program's own main, written at
# the end of the configuration from tests/support/ProgramaTestes.cpp.in, runs the one its first
# argument names.
function(quarpel_add_test name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 120)
  endif()
  file(RELATIVE_PATH parte "${PROJECT_SOURCE_DIR}/tests" "${CMAKE_CURRENT_SOURCE_DIR}")
  string(REGEX REPLACE "/.*" "" parte "${parte}")
  set(programa testes_${parte})
  if(NOT TARGET ${programa})
    set(principal "${CMAKE_BINARY_DIR}/tests/${programa}.cpp")
    qt_add_executable(${programa} "${principal}")
    target_link_libraries(${programa} PRIVATE Qt6::Test)
    set_target_properties(${programa} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/tests")
    # Deferred calls read their arguments when they run: write them out now.
    cmake_language(EVAL CODE "cmake_language(DEFER DIRECTORY [[${PROJECT_SOURCE_DIR}]] CALL
      _quarpel_principal [[${programa}]] [[${principal}]])")
  endif()
  set_property(GLOBAL APPEND PROPERTY ${programa}_testes ${name})
  list(TRANSFORM ARG_SOURCES PREPEND "${CMAKE_CURRENT_SOURCE_DIR}/" REGEX "^[^/]")
  list(GET ARG_SOURCES 0 fonte)
  set_property(SOURCE "${fonte}" TARGET_DIRECTORY ${programa} APPEND PROPERTY
    COMPILE_DEFINITIONS "main=quarpel_${name}")
  target_sources(${programa} PRIVATE ${ARG_SOURCES})
  target_link_libraries(${programa} PRIVATE ${ARG_LIBS})
  add_test(NAME ${name} COMMAND ${programa} ${name})
  set_tests_properties(${name} PROPERTIES
    TIMEOUT ${ARG_TIMEOUT} LABELS ${parte}
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QUARPEL_ARTEFATOS=${CMAKE_BINARY_DIR}/artefatos")
endfunction()

function(_quarpel_principal programa principal)
  get_property(testes GLOBAL PROPERTY ${programa}_testes)
  set(DECLARACOES "")
  set(TESTES "")
  foreach(t IN LISTS testes)
    string(APPEND DECLARACOES "int quarpel_${t}(int, char**);\n")
    string(APPEND TESTES "    {\"${t}\", quarpel_${t}},\n")
  endforeach()
  configure_file("${PROJECT_SOURCE_DIR}/tests/support/ProgramaTestes.cpp.in" "${principal}" @ONLY)
endfunction()
