# Reads the #include lines of every source file (.h, .cpp) of the tree and
# fails when a file reaches up a layer. The layers, lowest first; a file
# may include its own layer and the layers below it:
#
#   platform < config < document < report < gif < gif/render < resources
#            < ui/widgets < ui/side < ui/browser < ui/main < ui/startup < cli
#            < tools, bench, fuzz, tests (one layer, above all the rest)
#
# A file belongs to the longest folder of the list that holds it, so
# gif/render/ is above the rest of gif/. An include belongs to the folder
# its path starts with; the tests' helpers, included as "support/..." and
# "fakes/...", belong to tests. An include that starts with none of them
# (the standard library, Qt, a header beside the includer) is no layer of
# ours. Besides the order:
#   - every folder that holds sources has a layer (a new folder is placed
#     in the list before it is used),
#   - no include climbs out of its folder with "../",
#   - the GIF core (gif/ without gif/render/) and the unit's document
#     (document/) name no Qt header, and the renderer no Qt Widgets header.
#
# Build trees inside the source tree are left out: build/, and any other
# top folder that holds a CMakeCache.txt.
#
#   cmake -DROOT=<source root> -P CheckIncludes.cmake
#
# Prints one line per offending file or include and exits non-zero when any.
if(NOT ROOT)
  message(FATAL_ERROR "CheckIncludes: pass -DROOT=<source root>")
endif()

# Lowest first; folders in one entry share a layer.
set(layers
  "platform"
  "config"
  "document"
  "report"
  "gif"
  "gif/render"
  "resources"
  "ui/widgets"
  "ui/side"
  "ui/browser"
  "ui/main"
  "ui/startup"
  "cli"
  "tools bench fuzz tests")
# Include prefixes that name a folder of another name.
set(aliases "support=tests" "fakes=tests")

set(qt_header "^(Q[A-Za-z0-9_]*|Qt[A-Za-z0-9_]*/.*|q[a-z0-9_]+\\.h)$")

set(rank 0)
set(folders "")
foreach(layer IN LISTS layers)
  string(REPLACE " " ";" members "${layer}")
  foreach(folder IN LISTS members)
    set("rank_${folder}" ${rank})
    list(APPEND folders ${folder})
  endforeach()
  math(EXPR rank "${rank} + 1")
endforeach()
foreach(alias IN LISTS aliases)
  string(REPLACE "=" ";" pair "${alias}")
  list(GET pair 0 prefix)
  list(GET pair 1 folder)
  set("rank_${prefix}" ${rank_${folder}})
  list(APPEND folders ${prefix})
endforeach()

# The longest listed folder that begins <path>, in <out> (empty when none).
function(layer_of path out)
  set(best "")
  foreach(folder IN LISTS folders)
    string(LENGTH "${folder}" length)
    string(LENGTH "${best}" best_length)
    if(path MATCHES "^${folder}/" AND length GREATER best_length)
      set(best ${folder})
    endif()
  endforeach()
  set(${out} "${best}" PARENT_SCOPE)
endfunction()

file(GLOB tops RELATIVE ${ROOT} ${ROOT}/*)
set(files "")
foreach(top IN LISTS tops)
  if(top MATCHES "^\\." OR top STREQUAL "build" OR EXISTS ${ROOT}/${top}/CMakeCache.txt)
    continue()
  endif()
  if(IS_DIRECTORY ${ROOT}/${top})
    file(GLOB_RECURSE found RELATIVE ${ROOT} ${ROOT}/${top}/*.h ${ROOT}/${top}/*.cpp)
    list(APPEND files ${found})
  elseif(top MATCHES "\\.(h|cpp)$")
    list(APPEND files ${top})
  endif()
endforeach()
list(SORT files)

set(violations 0)
macro(report file number included says)
  message("layering: ${file}:${number}: ${included}: ${says}")
  math(EXPR violations "${violations} + 1")
endmacro()

foreach(file IN LISTS files)
  # tests/ holds folders named as the ones it tests; they are all tests.
  if(file MATCHES "^tests/")
    set(home tests)
  else()
    layer_of("${file}" home)
  endif()
  if(home STREQUAL "" OR home STREQUAL "support" OR home STREQUAL "fakes")
    report("${file}" 0 "-" "its folder has no layer; place it in the list of CheckIncludes.cmake")
    continue()
  endif()
  set(home_rank ${rank_${home}})

  file(STRINGS ${ROOT}/${file} lines)
  set(number 0)
  foreach(line IN LISTS lines)
    math(EXPR number "${number} + 1")
    if(NOT line MATCHES "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]+)[>\"]")
      continue()
    endif()
    set(included "${CMAKE_MATCH_1}")
    if(included MATCHES "(^|/)\\.\\./")
      report("${file}" ${number} "${included}" "an include names its folder from the top, never with ../")
      continue()
    endif()
    if(home STREQUAL "gif" AND included MATCHES "${qt_header}")
      report("${file}" ${number} "${included}" "the GIF core names no Qt header")
      continue()
    endif()
    if(home STREQUAL "document" AND included MATCHES "${qt_header}")
      report("${file}" ${number} "${included}" "the unit's document names no Qt header")
      continue()
    endif()
    if(home STREQUAL "gif/render" AND included MATCHES "^QtWidgets/")
      report("${file}" ${number} "${included}" "the renderer uses QtGui only")
      continue()
    endif()
    layer_of("${included}" target)
    if(target STREQUAL "")
      continue()
    endif()
    if(rank_${target} GREATER home_rank)
      report("${file}" ${number} "${included}" "${home}/ is below ${target}/ and may not include it")
    endif()
  endforeach()
endforeach()

if(violations GREATER 0)
  message(FATAL_ERROR "layering: ${violations} include(s) or file(s) out of their layer")
endif()
list(LENGTH files count)
message("layering: every include of ${count} files keeps to its layer")
