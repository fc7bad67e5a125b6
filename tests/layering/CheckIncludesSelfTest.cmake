# The include check itself: a small tree with one offending include per
# rule, and allowed ones beside them, must fail with exactly those lines.
#
#   cmake -DCHECK=<CheckIncludes.cmake> -DWORK=<scratch folder> -P CheckIncludesSelfTest.cmake
set(tree ${WORK}/layering-fixture)
file(REMOVE_RECURSE ${tree})
file(WRITE ${tree}/gif/Core.h [=[
#include "gif/Stream.h"
#include "platform/Exception.h"
#include <vector>
#include <QImage>
#include "ui/Unit1.h"
  #  include "gif/render/Drawing.h"
#include <QtCore/QString>
]=])
file(WRITE ${tree}/gif/render/Renderer.cpp [=[
#include <QImage>
#include "ui/LogoImage.h"
#include "gif/GIFImage.h"
#include <QtWidgets/QWidget>
]=])
file(WRITE ${tree}/platform/File.cpp [=[
#include "config/ConfigLayout.h"
#include "platform/FileApi.h"
]=])
file(WRITE ${tree}/config/Record.cpp [=[
#include "platform/Exception.h"
#include "gif/GIFImage.h"
// #include "ui/Unit1.h" is only a comment here
]=])

execute_process(COMMAND ${CMAKE_COMMAND} -DROOT=${tree} -P ${CHECK}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(status EQUAL 0)
  message(FATAL_ERROR "the check passed a tree that crosses its layers:\n${out}")
endif()
string(REGEX MATCHALL "layering: [^:]+:[0-9]+" found "${out}")
set(expected
  "layering: gif/Core.h:4" "layering: gif/Core.h:7" "layering: gif/Core.h:5" "layering: gif/Core.h:6"
  "layering: gif/render/Renderer.cpp:2" "layering: gif/render/Renderer.cpp:4"
  "layering: platform/File.cpp:1" "layering: config/Record.cpp:2")
list(SORT found)
list(SORT expected)
if(NOT found STREQUAL expected)
  message(FATAL_ERROR "expected: ${expected}\nfound: ${found}\n${out}")
endif()
message("the check finds every crossing of the fixture and nothing else")
