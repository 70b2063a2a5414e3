# Checks that the folders of src/ and emulator/ include one another only as
# the "may use" table of the design allows, and that Qt, RtMidi and JACK stay
# out of the folders that must do without them. The include roots of the
# build already refuse a header of a library that is not linked; this keeps
# the link lists themselves honest.
#
#   cmake -DSOURCE_DIR=<source tree> -DSCRATCH_DIR=<empty folder> -P cmake/CheckLayers.cmake
#
# Before it trusts a clean result it plants violations in SCRATCH_DIR and
# fails unless it reports each of them.

cmake_minimum_required(VERSION 3.25)

# folder -> the folders it may include. "sondrake/" (the generated version
# header) is open to all. A folder missing here is a violation: a new folder
# gets its row first.
set(may_use_store "")
# Bank files are read and written here, into the store's records.
set(may_use_platform store)
set(may_use_parametermap store)
# The painted controls take the note names and the storable form of a sound
# name from the store, which is plain standard C++.
set(may_use_controls store)
set(may_use_midi store platform)
set(may_use_library store platform parametermap)
# The library's window lives in the librarian; it names parameters as the
# parameter map does.
set(may_use_librarian store platform midi controls library parametermap)
set(may_use_editor store platform midi controls parametermap)
set(may_use_emulator store platform parametermap)
# main() puts the program together.
set(may_use_app store platform parametermap midi controls library librarian editor)

# Standard C++ only: no Qt, no MIDI system.
set(standard_only store parametermap)
# The MIDI systems are reached through the platform alone.
set(midi_system_folders platform)

# Appends one line per violation in the files of one folder to out.
function(check_folder dir folder out)
  set(_found ${${out}})
  if(NOT DEFINED may_use_${folder})
    list(APPEND _found "${dir}: folder \"${folder}\" has no row in the may-use table")
    set(${out} ${_found} PARENT_SCOPE)
    return()
  endif()
  file(GLOB_RECURSE _files ${dir}/*.h ${dir}/*.cpp)
  list(SORT _files)
  foreach(_file ${_files})
    file(RELATIVE_PATH _rel ${ROOT} ${_file})
    file(STRINGS ${_file} _lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
    foreach(_line IN LISTS _lines)
      if(_line MATCHES "include[ \t]*\"([^\"]+)\"")
        set(_path ${CMAKE_MATCH_1})
        if(_path MATCHES "^\\.\\./|/\\.\\./")
          list(APPEND _found "${_rel}: \"${_path}\" reaches out of its folder by a relative path")
        elseif(_path MATCHES "^([^/]+)/")
          set(_used ${CMAKE_MATCH_1})
          if(NOT _used STREQUAL folder AND NOT _used STREQUAL "sondrake" AND NOT _used IN_LIST may_use_${folder})
            list(APPEND _found "${_rel}: ${folder} may not use ${_used} (\"${_path}\")")
          endif()
        endif()
      elseif(_line MATCHES "include[ \t]*<([^>]+)>")
        set(_path ${CMAKE_MATCH_1})
        if(folder IN_LIST standard_only AND _path MATCHES "^(Q|rtmidi/|RtMidi|jack/)")
          list(APPEND _found "${_rel}: ${folder} uses the standard library only (<${_path}>)")
        elseif(NOT folder IN_LIST midi_system_folders AND _path MATCHES "^(rtmidi/|RtMidi|jack/)")
          list(APPEND _found "${_rel}: only the platform uses the MIDI system (<${_path}>)")
        endif()
      endif()
    endforeach()
  endforeach()
  set(${out} ${_found} PARENT_SCOPE)
endfunction()

# Every violation under root (its src/*/ folders and emulator/).
function(check_tree root out)
  set(ROOT ${root})
  set(_found "")
  file(GLOB _dirs LIST_DIRECTORIES true ${root}/src/*)
  list(SORT _dirs)
  foreach(_dir ${_dirs})
    if(IS_DIRECTORY ${_dir})
      get_filename_component(_folder ${_dir} NAME)
      check_folder(${_dir} ${_folder} _found)
    endif()
  endforeach()
  if(IS_DIRECTORY ${root}/emulator)
    check_folder(${root}/emulator emulator _found)
  endif()
  set(${out} ${_found} PARENT_SCOPE)
endfunction()

if(NOT SOURCE_DIR OR NOT SCRATCH_DIR)
  message(FATAL_ERROR "usage: cmake -DSOURCE_DIR=<tree> -DSCRATCH_DIR=<folder> -P CheckLayers.cmake")
endif()

# The planted tree: one file per rule, and one clean file that must pass.
set(_planted ${SCRATCH_DIR}/planted)
file(REMOVE_RECURSE ${_planted})
file(WRITE ${_planted}/src/midi/Up.h "#include \"midi/Own.h\"\n#include \"store/SoundDump.h\"\n  #  include \"librarian/MainWindow.h\"\n")
file(WRITE ${_planted}/src/midi/Clean.cpp "#include \"midi/Up.h\"\n#include \"platform/Messages.h\"\n#include <QString>\n")
file(WRITE ${_planted}/src/store/Qt.cpp "#include <QByteArray>\n#include <vector>\n")
file(WRITE ${_planted}/src/editor/Jack.cpp "#include <jack/jack.h>\n")
file(WRITE ${_planted}/src/platform/Sideways.cpp "#include \"../librarian/Settings.h\"\n")
file(WRITE ${_planted}/src/newfolder/New.h "\n")
file(WRITE ${_planted}/emulator/Window.cpp "#include \"editor/SoundEditor.h\"\n")
set(_expected
  "src/editor/Jack.cpp: only the platform uses the MIDI system (<jack/jack.h>)"
  "src/midi/Up.h: midi may not use librarian (\"librarian/MainWindow.h\")"
  "src/newfolder: folder \"newfolder\" has no row in the may-use table"
  "src/platform/Sideways.cpp: \"../librarian/Settings.h\" reaches out of its folder by a relative path"
  "src/store/Qt.cpp: store uses the standard library only (<QByteArray>)"
  "emulator/Window.cpp: emulator may not use editor (\"editor/SoundEditor.h\")")
check_tree(${_planted} _seen)
file(REMOVE_RECURSE ${_planted})
string(REPLACE "${_planted}/" "" _seen "${_seen}")
if(NOT _seen STREQUAL _expected)
  list(JOIN _expected "\n  " _e)
  list(JOIN _seen "\n  " _s)
  message(FATAL_ERROR "the check itself is broken: on the planted tree it should report\n  ${_e}\nbut reported\n  ${_s}")
endif()

check_tree(${SOURCE_DIR} _violations)
if(_violations)
  list(LENGTH _violations _n)
  list(JOIN _violations "\n  " _text)
  message(FATAL_ERROR "${_n} include(s) against the layering:\n  ${_text}")
endif()
message(STATUS "the includes of src/ and emulator/ follow the may-use table")
