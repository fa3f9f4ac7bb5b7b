# The version of a build, from the source tree's git history: X.Y.Z on a
# commit tagged vX.Y.Z, X.Y.Z-N-g<commit> N commits past it, 0.0.0-<commit>
# where no such tag precedes the commit, 0.0.0-unknown outside a git
# checkout. A non-empty environment variable RADAR_VERSION overrides it.
#
#   cmake -DRADAR_SOURCE_DIR=<tree> -P radar_version.cmake
#       prints the version
#   cmake -DRADAR_SOURCE_DIR=<tree> -DRADAR_VERSION_HEADER=<file> -P radar_version.cmake
#       writes it as macros for a version resource (RADAR_VERSION_STRING and
#       RADAR_VERSION_NUMBERS, "X,Y,Z,0"), and leaves the file untouched
#       when they did not change
#
# The build runs it at every build, so a build folder follows the commit.
cmake_minimum_required(VERSION 3.25)

if(NOT RADAR_SOURCE_DIR)
  message(FATAL_ERROR "radar_version.cmake: RADAR_SOURCE_DIR is not set")
endif()

if(NOT "$ENV{RADAR_VERSION}" STREQUAL "")
  set(version "$ENV{RADAR_VERSION}")
else()
  set(version "0.0.0-unknown")
  find_program(RADAR_GIT git)
  if(RADAR_GIT)
    # A fixed abbreviation: git's own default grows with the number of
    # objects, and two clones of one commit may differ in that.
    execute_process(
      COMMAND ${RADAR_GIT} describe --tags --match "v[0-9]*.[0-9]*.[0-9]*" --abbrev=10
      WORKING_DIRECTORY ${RADAR_SOURCE_DIR}
      RESULT_VARIABLE described OUTPUT_VARIABLE tag ERROR_QUIET OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(described EQUAL 0)
      string(REGEX REPLACE "^v" "" version "${tag}")
    else()
      execute_process(
        COMMAND ${RADAR_GIT} rev-parse --short=10 HEAD
        WORKING_DIRECTORY ${RADAR_SOURCE_DIR}
        RESULT_VARIABLE parsed OUTPUT_VARIABLE commit ERROR_QUIET OUTPUT_STRIP_TRAILING_WHITESPACE)
      if(parsed EQUAL 0)
        set(version "0.0.0-${commit}")
      endif()
    endif()
  endif()
endif()

# The version goes into a file name and into quoted resource strings.
if(NOT version MATCHES "^[0-9A-Za-z][0-9A-Za-z.+_-]*$")
  message(FATAL_ERROR "radar_version.cmake: '${version}' is not a version (letters, digits, '.', '+', '_', '-')")
endif()

if(NOT RADAR_VERSION_HEADER)
  execute_process(COMMAND ${CMAKE_COMMAND} -E echo "${version}")
  return()
endif()

set(numbers "0,0,0,0")
if(version MATCHES "^([0-9]+)\\.([0-9]+)\\.([0-9]+)")
  foreach(part ${CMAKE_MATCH_1} ${CMAKE_MATCH_2} ${CMAKE_MATCH_3})
    if(part GREATER 65535)
      message(FATAL_ERROR "radar_version.cmake: ${version}: a version resource holds numbers up to 65535")
    endif()
  endforeach()
  set(numbers "${CMAKE_MATCH_1},${CMAKE_MATCH_2},${CMAKE_MATCH_3},0")
endif()

set(content "// Written by cmake/radar_version.cmake at every build.
#define RADAR_VERSION_STRING \"${version}\"
#define RADAR_VERSION_NUMBERS ${numbers}
")
if(EXISTS ${RADAR_VERSION_HEADER})
  file(READ ${RADAR_VERSION_HEADER} previous)
  if(previous STREQUAL content)
    return()
  endif()
endif()
file(WRITE ${RADAR_VERSION_HEADER} "${content}")
