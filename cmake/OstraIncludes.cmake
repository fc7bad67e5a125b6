# ostra_include_folder(<target> <PUBLIC|PRIVATE|INTERFACE> <folder>
#                      [AS <prefix>] [FILES <header>...] [EXCEPT <path>...] [FLAT])
#
# Gives <target> an include folder of its own that holds the headers of
# <folder> (relative to the source root) and nothing else, so that they are
# included as "<prefix>/<name>.h" (<prefix> defaults to <folder>; "." puts
# them at the top). The folder lives in the build tree, at
# include/<target>, and holds one symbolic link per header: compiler
# messages and debuggers lead back to the source file, and a header added
# to <folder> is linked at the next build (the list is globbed with
# CONFIGURE_DEPENDS).
#
#   FILES   only these headers (relative to <folder>) instead of all of them
#   EXCEPT  leaves out these files or subfolders (relative to <folder>),
#           for example a subfolder that is a library of its own
#   FLAT    only the headers directly in <folder>, not in its subfolders
#
# One call per target: the call makes the target's include folder anew.
function(ostra_include_folder target scope folder)
  cmake_parse_arguments(ARG "FLAT" "AS" "FILES;EXCEPT" ${ARGN})
  get_target_property(earlier ${target} OSTRA_INCLUDE_FOLDER)
  if(earlier)
    message(FATAL_ERROR "ostra_include_folder(${target}): already given ${earlier}")
  endif()
  set_target_properties(${target} PROPERTIES OSTRA_INCLUDE_FOLDER ${folder})
  if(NOT DEFINED ARG_AS)
    set(ARG_AS ${folder})
  endif()
  set(source ${PROJECT_SOURCE_DIR}/${folder})
  set(root ${PROJECT_BINARY_DIR}/include/${target})

  if(ARG_FILES)
    set(headers ${ARG_FILES})
  elseif(ARG_FLAT)
    file(GLOB headers CONFIGURE_DEPENDS RELATIVE ${source} ${source}/*.h)
  else()
    file(GLOB_RECURSE headers CONFIGURE_DEPENDS RELATIVE ${source} ${source}/*.h)
  endif()

  # Made afresh at each configure, so that a removed or renamed header
  # does not stay includable through a stale link.
  file(REMOVE_RECURSE ${root})
  file(MAKE_DIRECTORY ${root})
  foreach(header IN LISTS headers)
    set(left_out FALSE)
    foreach(excluded IN LISTS ARG_EXCEPT)
      if(header STREQUAL excluded OR header MATCHES "^${excluded}/")
        set(left_out TRUE)
      endif()
    endforeach()
    if(left_out)
      continue()
    endif()
    if(NOT EXISTS ${source}/${header})
      message(FATAL_ERROR "ostra_include_folder(${target}): no ${folder}/${header}")
    endif()
    get_filename_component(link_folder ${root}/${ARG_AS}/${header} DIRECTORY)
    file(MAKE_DIRECTORY ${link_folder})
    file(CREATE_LINK ${source}/${header} ${root}/${ARG_AS}/${header} SYMBOLIC)
  endforeach()
  target_include_directories(${target} ${scope} ${root})
endfunction()
