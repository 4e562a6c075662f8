cmake_minimum_required(VERSION 3.25)
# The folders depend one way: each may include its own headers and those of
# the folders before it in this list, never one after it. The core folders
# (everything before ui) also never include Qt, so a window class cannot
# slip into the core unnoticed. Configuration fails on the first breach.
set(TAVEL_FOLDER_ORDER platform menu design project tools ui app)
set(TAVEL_CORE_FOLDERS platform menu design project tools)

function(tavel_check_include_directions root)
  list(LENGTH TAVEL_FOLDER_ORDER count)
  foreach(folder IN LISTS TAVEL_FOLDER_ORDER)
    list(FIND TAVEL_FOLDER_ORDER ${folder} rank)
    file(GLOB files ${root}/${folder}/*.h ${root}/${folder}/*.cpp)
    foreach(file IN LISTS files)
      file(STRINGS ${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
      foreach(line IN LISTS includes)
        if(line MATCHES "#[ \t]*include[ \t]*\"([A-Za-z_]+)/")
          list(FIND TAVEL_FOLDER_ORDER ${CMAKE_MATCH_1} target_rank)
          if(target_rank GREATER rank)
            message(FATAL_ERROR "${file} includes ${CMAKE_MATCH_1}/, which sits above ${folder}/: folders depend one way (${TAVEL_FOLDER_ORDER})")
          endif()
        endif()
        if(folder IN_LIST TAVEL_CORE_FOLDERS AND line MATCHES "#[ \t]*include[ \t]*<Q")
          message(FATAL_ERROR "${file} includes Qt, but ${folder}/ is part of the Qt-free core")
        endif()
      endforeach()
    endforeach()
  endforeach()
endfunction()

# Run as a script (the test suite does) the check reads the files as they are
# now, not as they were when the build was configured.
if(CMAKE_SCRIPT_MODE_FILE)
  tavel_check_include_directions(${ROOT})
endif()
