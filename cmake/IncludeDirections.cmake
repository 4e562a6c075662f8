cmake_minimum_required(VERSION 3.25)
# The folders depend one way: each may include its own headers and those of
# the folders before it in this list, never one after it. The core folders
# (everything before ui) also never include Qt, so a window class cannot
# slip into the core unnoticed.
#
# Inside ui/ every window has a folder of its own, and ui/common/ holds what
# several windows share. A window folder includes itself, ui/common/ and the
# core; ui/main/ may also include the windows the main window opens; no
# other window folder includes ui/main/ or another window's folder (a window
# that calls back into the main window owns an interface that the main
# window implements). ui/common/ includes only itself and the core. No
# source lies in ui/ itself. The command line (cli/) opens no window: of ui/
# it includes ui/common/ alone. Configuration fails on the first breach.
set(TAVEL_FOLDER_ORDER platform menu design project tools ui cli app)
set(TAVEL_CORE_FOLDERS platform menu design project tools)

function(tavel_fail_include file target why)
  message(FATAL_ERROR "${file} includes ${target}: ${why}")
endfunction()

# A window folder's include of another ui/ header.
function(tavel_check_ui_include file from target)
  if(NOT target MATCHES "^ui/([A-Za-z_]+)/")
    tavel_fail_include(${file} ${target} "every ui/ header lies in a window folder or ui/common/")
  endif()
  set(to ${CMAKE_MATCH_1})
  if(to STREQUAL from OR to STREQUAL "common")
    return()
  endif()
  if(from STREQUAL "common")
    tavel_fail_include(${file} ${target} "ui/common/ is shared by the windows and includes none of them")
  endif()
  if(NOT from STREQUAL "main" OR to STREQUAL "main")
    tavel_fail_include(${file} ${target} "a window folder includes only itself, ui/common/ and the core; only ui/main/ opens other windows")
  endif()
endfunction()

function(tavel_check_file root file folder)
  list(FIND TAVEL_FOLDER_ORDER ${folder} rank)
  set(window "")
  if(file MATCHES "^${root}/ui/([A-Za-z_]+)/")
    set(window ${CMAKE_MATCH_1})
  endif()
  file(STRINGS ${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
  foreach(line IN LISTS includes)
    if(line MATCHES "#[ \t]*include[ \t]*\"(([A-Za-z_]+)/[^\"]*)\"")
      set(target ${CMAKE_MATCH_1})
      list(FIND TAVEL_FOLDER_ORDER ${CMAKE_MATCH_2} target_rank)
      if(target_rank GREATER rank)
        tavel_fail_include(${file} ${target} "it sits above ${folder}/: folders depend one way (${TAVEL_FOLDER_ORDER})")
      endif()
      if(window AND CMAKE_MATCH_2 STREQUAL "ui")
        tavel_check_ui_include(${file} ${window} ${target})
      endif()
      if(folder STREQUAL "cli" AND target MATCHES "^ui/" AND NOT target MATCHES "^ui/common/")
        tavel_fail_include(${file} ${target} "the command line opens no window: of ui/ it includes ui/common/ alone")
      endif()
    endif()
    if(folder IN_LIST TAVEL_CORE_FOLDERS AND line MATCHES "#[ \t]*include[ \t]*<Q")
      message(FATAL_ERROR "${file} includes Qt, but ${folder}/ is part of the Qt-free core")
    endif()
  endforeach()
endfunction()

function(tavel_check_include_directions root)
  file(GLOB loose ${root}/ui/*.h ${root}/ui/*.cpp)
  if(loose)
    list(GET loose 0 first)
    message(FATAL_ERROR "${first} lies in ui/ itself: every window has a folder of its own, shared pieces go to ui/common/")
  endif()
  foreach(folder IN LISTS TAVEL_FOLDER_ORDER)
    file(GLOB_RECURSE files ${root}/${folder}/*.h ${root}/${folder}/*.cpp)
    foreach(file IN LISTS files)
      tavel_check_file(${root} ${file} ${folder})
    endforeach()
  endforeach()
endfunction()

# Run as a script (the test suite does) the check reads the files as they are
# now, not as they were when the build was configured.
if(CMAKE_SCRIPT_MODE_FILE)
  tavel_check_include_directions(${ROOT})
endif()
