# The include check itself, on a small tree made from the table below: one
# file per row, holding the row's include line. The check must fail, and
# name exactly the files of the rows marked "fails".
#
#   cmake -DCHECK=<CheckIncludes.cmake> -DWORK=<scratch folder> -P CheckIncludesSelfTest.cmake
set(tree ${WORK}/layering-fixture)
file(REMOVE_RECURSE ${tree})

# folder of the file @ its line @ passes or fails
set(cases
  # Each layer against its neighbours, up and down.
  "platform@#include \"config/ConfigRecord.h\"@fails"
  "platform/drives@#include \"platform/FileApi.h\"@passes"
  "platform/qt@#include \"platform/Exception.h\"@passes"
  "config@#include \"platform/FileApi.h\"@passes"
  "config@#include \"gif/GIFImage.h\"@fails"
  "gif@#include \"platform/Exception.h\"@passes"
  "gif@#include \"config/ConfigLayout.h\"@passes"
  "gif@#include \"gif/render/Drawing.h\"@fails"
  "gif@#include \"ui/main/Unit1.h\"@fails"
  "gif/render@#include \"gif/GIFImage.h\"@passes"
  "gif/render@#include \"resources/Resources.h\"@fails"
  "resources@#include \"ui/main/Unit1.h\"@fails"
  "ui/main@#include \"resources/Resources.h\"@passes"
  "ui/main@#include \"gif/render/Drawing.h\"@passes"
  "ui/main@#include \"cli/CommandLine.h\"@fails"
  "ui/main@#include \"ui/side/ZoneOverview.h\"@passes"
  "ui/side@#include \"ui/main/Unit1.h\"@fails"
  "ui/widgets@#include \"ui/side/ZoneOverview.h\"@fails"
  "ui/browser@#include \"ui/startup/EditorWindows.h\"@fails"
  "ui@#include <vector>@fails"
  "cli@#include \"ui/main/Unit1.h\"@passes"
  "cli@#include \"config/ConfigFields.h\"@passes"
  # The top layer: tools, benchmarks, fuzz targets and tests reach every
  # layer and each other; nothing below reaches them.
  "cli@#include \"tests/support/TempFolder.h\"@fails"
  "cli@#include \"support/TempFolder.h\"@fails"
  "ui/main@#include \"fakes/FakeShell.h\"@fails"
  "ui/main@#include \"bench/Decoders.h\"@fails"
  "platform@#include \"tools/make-logo/LogoArtwork.h\"@fails"
  "gif@#include \"fuzz/Seeds.h\"@fails"
  "tools@#include \"support/gif/GifBuilder.h\"@passes"
  "tools@#include \"cli/CommandLine.h\"@passes"
  "bench@#include \"fakes/FakeRemovableDrives.h\"@passes"
  "fuzz@#include \"gif/GIFImage.h\"@passes"
  "tests@#include \"bench/Decoders.h\"@passes"
  "tests/ui@#include \"ui/main/Unit1.h\"@passes"
  "tests/cli@#include \"ui/FormFixture.h\"@passes"
  "tests/gif/render@#include \"gif/render/FrameBitmap.h\"@passes"
  # Headers of no layer: the standard library, the toolkit, a neighbour.
  "platform@#include <vector>@passes"
  "config@#include \"ConfigLayout.h\"@passes"
  "ui/main@#include <QWidget>@passes"
  # The toolkit stays out of the GIF core, and Widgets out of the renderer.
  "gif@#include <QImage>@fails"
  "gif@#include <QtCore/QString>@fails"
  "gif@#include <qglobal.h>@fails"
  "gif/render@#include <QImage>@passes"
  "gif/render@#include <QtWidgets/QWidget>@fails"
  # How lines are read.
  "ui@  #  include \"cli/Refusal.h\"@fails"
  "config@// #include \"ui/main/Unit1.h\" is only a comment@passes"
  "tests/cli@#include \"../ui/FormFixture.h\"@fails"
  # Every folder has a layer.
  "scripts@#include <vector>@fails"
  "support@#include <vector>@fails"
  ".@#include <vector>@fails"
  # Build trees are not read.
  "build/test/gif@#include \"ui/main/Unit1.h\"@passes")

set(index 0)
set(expected "")
foreach(row IN LISTS cases)
  string(REPLACE "@" ";" fields "${row}")
  list(GET fields 0 folder)
  list(GET fields 1 line)
  list(GET fields 2 verdict)
  math(EXPR index "${index} + 1")
  if(folder STREQUAL ".")
    set(file Case${index}.cpp)
  else()
    set(file ${folder}/Case${index}.cpp)
  endif()
  file(WRITE ${tree}/${file} "${line}\n")
  if(verdict STREQUAL "fails")
    list(APPEND expected ${file})
  endif()
endforeach()

execute_process(COMMAND ${CMAKE_COMMAND} -DROOT=${tree} -P ${CHECK}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(status EQUAL 0)
  message(FATAL_ERROR "the check passed a tree that crosses its layers:\n${out}")
endif()
string(REGEX MATCHALL "layering: [^:\n]+:" lines "${out}")
set(found "")
foreach(line IN LISTS lines)
  string(REGEX REPLACE "^layering: (.*):$" "\\1" file "${line}")
  list(APPEND found ${file})
endforeach()
list(SORT found)
list(SORT expected)
if(NOT found STREQUAL expected)
  message(FATAL_ERROR "expected: ${expected}\nfound: ${found}\n${out}")
endif()
list(LENGTH cases count)
message("the check judges all ${count} cases of the fixture as expected")
