# Runs lupdate over the program's sources into OUTPUT, written afresh so the
# result depends on the sources alone. With COMMITTED, compares it with that
# file and fails when they differ in anything but the source locations, which
# move with every edit: a text added, changed or removed in the sources and
# not in the committed template is caught.
#   cmake -DLUPDATE=... -DSOURCE_DIR=... -DOUTPUT=... [-DCOMMITTED=...] -P Translations.cmake
foreach(_v LUPDATE SOURCE_DIR OUTPUT)
  if(NOT ${_v})
    message(FATAL_ERROR "Translations.cmake needs -D${_v}=")
  endif()
endforeach()

get_filename_component(_dir ${OUTPUT} DIRECTORY)
file(MAKE_DIRECTORY ${_dir})
file(REMOVE ${OUTPUT})
# The folders that hold the program's own texts; tests, tools and the
# benchmarks show nothing a user reads.
execute_process(
  COMMAND ${LUPDATE} -silent -no-obsolete -locations relative -extensions cpp,h,ui
    src emulator resources -ts ${OUTPUT}
  WORKING_DIRECTORY ${SOURCE_DIR}
  RESULT_VARIABLE _rc OUTPUT_VARIABLE _out ERROR_VARIABLE _err)
if(NOT _rc EQUAL 0 OR NOT EXISTS ${OUTPUT})
  message(FATAL_ERROR "lupdate failed (${_rc}):\n${_out}${_err}")
endif()
if(_err)
  # lupdate warns about a tr() it cannot read (a text built at run time, a
  # missing Q_OBJECT): such a text would reach no translator.
  message(FATAL_ERROR "lupdate warned:\n${_err}")
endif()

if(NOT COMMITTED)
  return()
endif()

function(_texts file outvar)
  file(READ ${file} _content)
  string(REGEX REPLACE "[ \t]*<location [^>]*/>\n" "" _content "${_content}")
  set(${outvar} "${_content}" PARENT_SCOPE)
endfunction()
_texts(${OUTPUT} _fresh)
_texts(${COMMITTED} _kept)
if(NOT _fresh STREQUAL _kept)
  message(FATAL_ERROR "The translation template ${COMMITTED} does not hold the texts of the sources as they "
    "are now; run \"cmake --build <build> --target sondrake_lupdate\" and commit it. lupdate's output: ${OUTPUT}")
endif()
message(STATUS "The translation template holds every text of the sources.")
