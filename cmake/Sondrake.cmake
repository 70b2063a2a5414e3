# Includes are written "folder/Header.h" everywhere, yet a target sees only
# the headers of its own folder and of the libraries it links. Each library
# gets an include root of its own in the build tree that holds one entry, a
# link named after its folder; the library exports that root and nothing
# else. So "#include "librarian/..."" from src/midi fails to compile unless
# midi links the librarian, and the layering holds by the compiler, not by
# habit. Folders in the source tree are never include roots themselves.
function(sondrake_include_root target folder)
  get_filename_component(_name ${folder} NAME)
  set(_root ${CMAKE_BINARY_DIR}/include/${target})
  file(MAKE_DIRECTORY ${_root})
  file(CREATE_LINK ${folder} ${_root}/${_name} SYMBOLIC)
  target_include_directories(${target} PUBLIC ${_root})
endfunction()

# Every source folder is one static library of the sources its
# CMakeLists.txt lists: a file nobody listed (a test double, a leftover)
# never ends up in the program.
function(sondrake_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;PRIVATE_DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  sondrake_include_root(${name} ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS} PRIVATE ${ARG_PRIVATE_DEPS})
endfunction()

# One test executable per listed tests/<folder>/<name>.cpp, run offscreen by
# CTest. Names starting with itest_ are integration tests: they get the label
# "integration" and are run by test.sh with a private JACK server. A test
# sees the headers of what it links, the shared helpers in tests/ and its
# own folder.
function(sondrake_tests)
  cmake_parse_arguments(ARG "" "" "TESTS;DEPS" ${ARGN})
  get_filename_component(_folder ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  foreach(_n ${ARG_TESTS})
    if(NOT SONDRAKE_UNIT_TESTS AND NOT _n MATCHES "^itest_")
      continue()
    endif()
    set(_target ${_folder}_${_n})
    add_executable(${_target} ${_n}.cpp)
    target_link_libraries(${_target} PRIVATE ${ARG_DEPS} Qt6::Test)
    target_include_directories(${_target} PRIVATE ${CMAKE_SOURCE_DIR}/tests ${CMAKE_CURRENT_SOURCE_DIR})
    add_test(NAME ${_target} COMMAND ${_target})
    set_tests_properties(${_target} PROPERTIES
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen;SONDRAKE_BIN_DIR=${CMAKE_BINARY_DIR}/bin")
    # A hung test fails at its timeout: the slowest take about 8 s (unit,
    # about 15 s under the sanitizers) and 16 s (integration) on a loaded
    # 2-core machine, so these leave room without letting a hang eat the CI
    # run.
    if(_n MATCHES "^itest_")
      set_tests_properties(${_target} PROPERTIES LABELS integration RUN_SERIAL TRUE TIMEOUT 90)
    else()
      set_tests_properties(${_target} PROPERTIES LABELS unit TIMEOUT 60)
    endif()
  endforeach()
endfunction()
