# ostra_add_gtest(<name> SOURCES <files...> LIBS <targets...> [QT])
#
# Builds one GoogleTest executable and registers each of its tests with
# CTest, on the offscreen platform. QT marks a test that needs a
# QApplication: it links the shared Qt test main. Besides the headers of
# the libraries in LIBS, the test sees the headers of its own folder under
# that folder's name below tests/ ("gif/GifBytes.h" for tests/gif).
find_package(GTest REQUIRED)
include(GoogleTest)

function(ostra_add_gtest name)
  cmake_parse_arguments(ARG "QT" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gmock)
  file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR}/tests ${CMAKE_CURRENT_SOURCE_DIR})
  ostra_include_folder(${name} PRIVATE tests/${folder} AS ${folder} FLAT)
  target_link_libraries(${name} PRIVATE ostra_leak_suppressions)
  if(ARG_QT)
    target_link_libraries(${name} PRIVATE ostra_qt_test_main)
  else()
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
