# Every source folder is one static library whose sources are the folder's
# .cpp/.h/.ui files, so adding a file never means editing a CMake list.
function(sondrake_library name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB _src CONFIGURE_DEPENDS
    ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h ${CMAKE_CURRENT_SOURCE_DIR}/*.ui)
  add_library(${name} STATIC ${_src})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# One test executable per tests/<folder>/test_*.cpp, run offscreen by CTest.
# Files named itest_*.cpp are integration tests: they get the label
# "integration" and are run by test.sh with a private JACK server.
function(sondrake_tests)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB _tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/test_*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/itest_*.cpp)
  file(GLOB _support CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/support_*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/support_*.h)
  get_filename_component(_folder ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  foreach(_t ${_tests})
    get_filename_component(_n ${_t} NAME_WE)
    set(_target ${_folder}_${_n})
    add_executable(${_target} ${_t} ${_support})
    target_link_libraries(${_target} PRIVATE ${ARG_DEPS} Qt6::Test)
    target_include_directories(${_target} PRIVATE ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/tests ${CMAKE_CURRENT_SOURCE_DIR})
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
