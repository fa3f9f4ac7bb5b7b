# The Windows files we ship: a version resource, and the same bytes from the
# same commit whatever the folder and the time of the build. Outside Windows
# both functions do nothing.
#
#   radar_add_version_resource(<target> "<file description>" "<original file name>")
#
# gives a Windows module or program the version resource of the build
# (product name, file description, original and internal file name, the
# version of cmake/radar_version.cmake as text and as X,Y,Z,0), links it
# without a time stamp and compiles its own sources as
# radar_reproducible_objects() does. The version is taken from the source
# tree at every build, never kept from the configure step. The description
# and the file name are plain text without double quotes.
#
#   radar_reproducible_objects(<target>)
#
# compiles the C and C++ sources of a target (an object library, say)
# without the absolute path of the source or build folder (__FILE__, debug
# information) and refuses __DATE__, __TIME__ and __TIMESTAMP__.

function(radar_reproducible_objects target)
  if(NOT WIN32)
    return()
  endif()
  get_filename_component(tree ${CMAKE_CURRENT_FUNCTION_LIST_DIR} DIRECTORY)
  # GCC takes the last map that matches: the build folder may lie inside
  # the source tree.
  target_compile_options(${target} PRIVATE
    $<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${tree}=.>
    $<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${CMAKE_BINARY_DIR}=build>
    $<$<COMPILE_LANGUAGE:C,CXX>:-Werror=date-time>)
endfunction()

function(radar_add_version_resource target description original_filename)
  if(NOT WIN32)
    return()
  endif()
  get_filename_component(tree ${CMAKE_CURRENT_FUNCTION_LIST_DIR} DIRECTORY)
  set(RADAR_VERSION_HEADER ${CMAKE_BINARY_DIR}/version/radar_version.h)
  if(NOT TARGET radar_version)
    # Runs at every build; Ninja rebuilds the resources only when the
    # header changed.
    add_custom_target(radar_version
      COMMAND ${CMAKE_COMMAND} -DRADAR_SOURCE_DIR=${tree} -DRADAR_VERSION_HEADER=${RADAR_VERSION_HEADER}
              -P ${tree}/cmake/radar_version.cmake
      BYPRODUCTS ${RADAR_VERSION_HEADER}
      COMMENT "Version of the build"
      VERBATIM)
  endif()

  set(RADAR_PRODUCT_NAME "Radar Gauge")
  set(RADAR_FILE_DESCRIPTION "${description}")
  set(RADAR_ORIGINAL_FILENAME "${original_filename}")
  get_filename_component(RADAR_INTERNAL_NAME "${original_filename}" NAME_WLE)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "EXECUTABLE")
    set(RADAR_FILE_TYPE VFT_APP)
  else()
    set(RADAR_FILE_TYPE VFT_DLL)
  endif()
  set(resource ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc)
  configure_file(${tree}/cmake/version.rc.in ${resource} @ONLY)

  target_sources(${target} PRIVATE ${resource})
  set_source_files_properties(${resource} PROPERTIES OBJECT_DEPENDS ${RADAR_VERSION_HEADER})
  add_dependencies(${target} radar_version)
  radar_reproducible_objects(${target})
  target_link_options(${target} PRIVATE LINKER:--no-insert-timestamp)
endfunction()
