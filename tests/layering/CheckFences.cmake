# The include folders fence the libraries: with the compiler flags of one
# of a library's own sources (from compile_commands.json), a header is
# found only when the library links the library that owns it. Each row
# asks the preprocessor whether one header can be found (__has_include, so
# nothing is read) and compares with the row.
#
#   cmake -DCOMMANDS=<compile_commands.json> -DWORK=<scratch folder> -P CheckFences.cmake

# library @ header @ found or missing
set(cases
  "ostra_exception@platform/Exception.h@found"
  "ostra_exception@platform/FileApi.h@missing"
  "ostra_platform@platform/drives/CardScan.h@found"
  "ostra_platform@platform/qt/Shell.h@missing"
  "ostra_platform@config/ConfigRecord.h@missing"
  "ostra_platform@fakes/FakeRemovableDrives.h@missing"
  "ostra_platform_qt@platform/FileApi.h@found"
  "ostra_config@platform/FileApi.h@found"
  "ostra_config@gif/GIFImage.h@missing"
  "ostra_document@config/ConfigFields.h@found"
  "ostra_document@report/UnitReport.h@missing"
  "ostra_document@ui/main/Unit1.h@missing"
  "ostra_report@config/ConfigFields.h@found"
  "ostra_report@ui/main/Unit1.h@missing"
  "ostra_report@cli/CommandLine.h@missing"
  "ostra_config@report/UnitReport.h@missing"
  "ostra_gif@platform/Exception.h@found"
  "ostra_gif@platform/FileApi.h@missing"
  "ostra_gif@config/ConfigRecord.h@missing"
  "ostra_gif@gif/render/FrameCache.h@missing"
  "ostra_gif_render@gif/GIFImage.h@found"
  "ostra_gif_render@ui/main/Unit1.h@missing"
  "ostra_resources@ui/main/Unit1.h@missing"
  "ostra_ui@gif/render/FrameCache.h@found"
  "ostra_ui@platform/qt/Shell.h@found"
  "ostra_ui@cli/CommandLine.h@missing"
  "ostra_ui@fakes/FakeShell.h@missing"
  "ostra_ui@support/TempFolder.h@missing"
  "ostra_cli@config/ConfigFields.h@found"
  "ostra_cli@report/ReportDocument.h@found"
  "ostra_cli@report/PdfReport.h@missing"
  "ostra_cli@ui/main/Unit1.h@missing"
  "ostra_cli@platform/qt/Shell.h@missing"
  "ostra_cli@fakes/FakeRemovableDrives.h@missing")

file(READ ${COMMANDS} json)
string(JSON entries LENGTH "${json}")
math(EXPR last "${entries} - 1")

# The compile command of one of <library>'s sources, as a list of
# arguments without its input and output, in <out>; its folder in <dir>.
function(flags_of library out dir)
  foreach(i RANGE ${last})
    string(JSON command GET "${json}" ${i} command)
    if(NOT command MATCHES " -o [^ ]*CMakeFiles/${library}\\.dir/")
      continue()
    endif()
    string(JSON directory GET "${json}" ${i} directory)
    separate_arguments(arguments UNIX_COMMAND "${command}")
    set(kept "")
    set(skip_next FALSE)
    foreach(argument IN LISTS arguments)
      if(skip_next)
        set(skip_next FALSE)
      elseif(argument MATCHES "^-(o|c|MT|MF)$")
        set(skip_next TRUE)
      elseif(NOT argument MATCHES "^-MM?D$")
        list(APPEND kept "${argument}")
      endif()
    endforeach()
    set(${out} "${kept}" PARENT_SCOPE)
    set(${dir} "${directory}" PARENT_SCOPE)
    return()
  endforeach()
  message(FATAL_ERROR "fences: no compile command for ${library} in ${COMMANDS}")
endfunction()

file(MAKE_DIRECTORY ${WORK})
set(wrong 0)
foreach(row IN LISTS cases)
  string(REPLACE "@" ";" fields "${row}")
  list(GET fields 0 library)
  list(GET fields 1 header)
  list(GET fields 2 expected)
  flags_of(${library} flags directory)
  set(probe ${WORK}/fence-probe.cpp)
  file(WRITE ${probe} "#if !__has_include(\"${header}\")\n#error missing\n#endif\n")
  execute_process(COMMAND ${flags} -E -o ${WORK}/fence-probe.i ${probe}
                  WORKING_DIRECTORY ${directory}
                  RESULT_VARIABLE status OUTPUT_QUIET ERROR_QUIET)
  if(status EQUAL 0)
    set(seen found)
  else()
    set(seen missing)
  endif()
  if(NOT seen STREQUAL expected)
    message("fences: ${library} and \"${header}\": ${seen}, should be ${expected}")
    math(EXPR wrong "${wrong} + 1")
  endif()
endforeach()

if(wrong GREATER 0)
  message(FATAL_ERROR "fences: ${wrong} header(s) seen wrongly")
endif()
list(LENGTH cases count)
message("fences: all ${count} headers are found exactly where linked")
