# Checks that tool ids are spelt only in the command tables: a string literal of the form
# "Act…" may stand only in a file whose name ends in Tools.h or Tools.cpp (one table per
# window); every other file names a command by its typed constant. Comments are not looked at.
#
#   cmake -DSOURCE_DIR=<src folder> -P CheckToolIds.cmake
#
# Prints every literal found outside a table and fails when there is one.

cmake_minimum_required(VERSION 3.25)

if(NOT SOURCE_DIR)
  message(FATAL_ERROR "CheckToolIds: SOURCE_DIR is needed")
endif()
get_filename_component(SOURCE_DIR "${SOURCE_DIR}" ABSOLUTE)

set(problems "")
file(GLOB_RECURSE files RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/*.h" "${SOURCE_DIR}/*.cpp")
list(SORT files)
foreach(file IN LISTS files)
  if(file MATCHES "Tools\\.(h|cpp)$")
    continue()
  endif()
  # One list entry per line; the characters a CMake list treats specially are neutralised first.
  file(READ "${SOURCE_DIR}/${file}" content)
  string(REGEX REPLACE "[][;\\]" "_" content "${content}")
  string(REPLACE "\n" ";" lines "${content}")
  set(number 0)
  foreach(line IN LISTS lines)
    math(EXPR number "${number} + 1")
    string(REGEX REPLACE "//.*$" "" code "${line}")
    string(REGEX MATCHALL "\"Act[A-Z][A-Za-z0-9]*\"" found "${code}")
    foreach(literal IN LISTS found)
      list(APPEND problems "${file}:${number}: ${literal}")
    endforeach()
  endforeach()
endforeach()

if(problems)
  list(JOIN problems "\n  " text)
  message(FATAL_ERROR "Tool ids spelt outside the command tables:\n  ${text}")
endif()
message(STATUS "Tool ids only in the command tables")
