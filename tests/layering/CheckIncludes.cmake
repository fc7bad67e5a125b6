# Reads the #include lines of the source tree and fails when a layer
# reaches where it must not:
#
#   gif/ (outside gif/render/)  no Qt header; of the project's folders only
#                               gif/ and platform/, and never the renderer
#   gif/render/                 nothing of config/ or ui/, no Qt Widgets
#   platform/                   nothing of config/, gif/ or ui/
#   config/                     nothing of gif/ or ui/
#
#   cmake -DROOT=<source root> -P CheckIncludes.cmake
#
# Prints one line per offending include and exits non-zero when any.
if(NOT ROOT)
  message(FATAL_ERROR "CheckIncludes: pass -DROOT=<source root>")
endif()

set(qt_header "^(Q[A-Za-z0-9_]*|Qt[A-Za-z0-9_]*/.*|q[a-z0-9_]+\\.h)$")
set(foreign_to_gif_core "^(config|ui|resources|tools|tests|bench|fuzz)/|^\\.\\./")

# One rule per row: folder @ subfolder it leaves out (or -) @ forbidden
# include (regular expression) @ what the rule says.
set(rules
  "gif@gif/render/@${qt_header}@the GIF core names no Qt header"
  "gif@gif/render/@${foreign_to_gif_core}@the GIF core includes only gif/ and platform/"
  "gif@gif/render/@^gif/render/@the GIF core does not include its renderer"
  "gif/render@-@^(config|ui)/@the renderer includes nothing of config/ or ui/"
  "gif/render@-@^QtWidgets/@the renderer uses QtGui only"
  "platform@-@^(config|gif|ui)/@platform/ includes nothing of config/, gif/ or ui/"
  "config@-@^(gif|ui)/@config/ includes nothing of gif/ or ui/")

set(violations 0)
foreach(rule IN LISTS rules)
  string(REPLACE "@" ";" fields "${rule}")
  list(GET fields 0 folder)
  list(GET fields 1 excluded)
  list(GET fields 2 forbidden)
  list(GET fields 3 says)
  file(GLOB_RECURSE files RELATIVE ${ROOT} ${ROOT}/${folder}/*.h ${ROOT}/${folder}/*.cpp)
  list(SORT files)
  foreach(file IN LISTS files)
    if(NOT excluded STREQUAL "-" AND file MATCHES "^${excluded}")
      continue()
    endif()
    file(STRINGS ${ROOT}/${file} lines)
    set(number 0)
    foreach(line IN LISTS lines)
      math(EXPR number "${number} + 1")
      if(NOT line MATCHES "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]+)[>\"]")
        continue()
      endif()
      set(included "${CMAKE_MATCH_1}")
      if(included MATCHES "${forbidden}")
        message("layering: ${file}:${number}: ${included}: ${says}")
        math(EXPR violations "${violations} + 1")
      endif()
    endforeach()
  endforeach()
endforeach()

if(violations GREATER 0)
  message(FATAL_ERROR "layering: ${violations} include(s) cross a layer")
endif()
message("layering: every include keeps to its layer")
