# Checks the layer order of the source areas: a file of src/<area>/ (its ui/ and qt/ code
# included) may include headers of its own area and of the areas below it, never of an area
# above it. Every folder of src/ must be one of the areas, so a new area gets its place.
#
#   cmake -DSOURCE_DIR=<src folder> -DAREAS=core,geo,... -P CheckLayers.cmake
#
# AREAS lists the areas from the lowest to the highest, separated by commas. An area without a
# folder is skipped. Prints every include that breaks the order and fails when there is one.

cmake_minimum_required(VERSION 3.25)

if(NOT SOURCE_DIR OR NOT AREAS)
  message(FATAL_ERROR "CheckLayers: SOURCE_DIR and AREAS are needed")
endif()
string(REPLACE "," ";" areas "${AREAS}")

set(problems "")

file(GLOB entries LIST_DIRECTORIES true RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/*")
list(SORT entries)
foreach(entry IN LISTS entries)
  if(IS_DIRECTORY "${SOURCE_DIR}/${entry}" AND NOT entry IN_LIST areas)
    list(APPEND problems "${entry}/ has no place in the layer order")
  endif()
endforeach()

set(include_line "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\"")
foreach(area IN LISTS areas)
  list(FIND areas "${area}" rank)
  file(GLOB_RECURSE files RELATIVE "${SOURCE_DIR}"
       "${SOURCE_DIR}/${area}/*.h" "${SOURCE_DIR}/${area}/*.cpp")
  list(SORT files)
  foreach(file IN LISTS files)
    file(STRINGS "${SOURCE_DIR}/${file}" includes REGEX "${include_line}")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "${include_line}.*" "\\1" header "${line}")
      if(NOT header MATCHES "^([A-Za-z0-9_]+)/")
        continue()
      endif()
      set(target "${CMAKE_MATCH_1}")
      list(FIND areas "${target}" target_rank)
      if(target_rank EQUAL -1)
        if(IS_DIRECTORY "${SOURCE_DIR}/${target}")
          continue()  # reported above as a folder without a place
        endif()
        list(APPEND problems "${file} includes \"${header}\" of no area")
      elseif(target_rank GREATER rank)
        list(APPEND problems "${file} includes \"${header}\": ${target} lies above ${area}")
      endif()
    endforeach()
  endforeach()
endforeach()

if(problems)
  list(JOIN problems "\n  " text)
  message(FATAL_ERROR "Includes against the layer order (${AREAS}):\n  ${text}")
endif()
message(STATUS "Layer order kept: ${AREAS}")
