# Fails on a QtTest assertion (QVERIFY, QCOMPARE, QTRY_*, QFAIL, QSKIP,
# QEXPECT_FAIL and their variants) in any test source that is not a QtTest
# test of its own. Such a macro returns from the function it is in when
# it fails; inside a GoogleTest test, or a helper one calls, that return
# ends the test early and GoogleTest reports it passed. A file may use
# them only when it is a QtTest test (it has a QTEST_*MAIN) and holds no
# GoogleTest test.
#
#   cmake -DROOT=<source root> -P CheckTestAssertions.cmake
#
# Prints one line per offending use (file:line) and exits non-zero when any.
if(NOT ROOT)
  message(FATAL_ERROR "CheckTestAssertions: pass -DROOT=<source root>")
endif()

set(qtest_assertion "(^|[^A-Za-z0-9_])(Q(TRY_)?(VERIFY|COMPARE)[A-Z0-9_]*|QFAIL|QSKIP|QEXPECT_FAIL)[ \t]*\\(")
set(qtest_main "(^|[^A-Za-z0-9_])QTEST_[A-Z_]*MAIN[ \t]*\\(")
set(gtest_test "(^|[^A-Za-z0-9_])(TEST|TEST_F|TEST_P|TYPED_TEST|TYPED_TEST_P)[ \t]*\\(")

file(GLOB_RECURSE sources LIST_DIRECTORIES false "${ROOT}/tests/*.cpp" "${ROOT}/tests/*.h")
set(offences "")
foreach(source IN LISTS sources)
  file(READ "${source}" text)
  if(NOT text MATCHES "${qtest_assertion}")
    continue()
  endif()
  if(text MATCHES "${qtest_main}" AND NOT text MATCHES "${gtest_test}")
    continue()
  endif()
  # One list element per line: the characters CMake's lists treat
  # specially are replaced first, so line numbers stay true.
  string(REPLACE ";" "," text "${text}")
  string(REPLACE "[" "(" text "${text}")
  string(REPLACE "]" ")" text "${text}")
  string(REPLACE "\\" "/" text "${text}")
  string(REPLACE "\n" ";" lines "${text}")
  file(RELATIVE_PATH shown "${ROOT}" "${source}")
  set(number 0)
  foreach(line IN LISTS lines)
    math(EXPR number "${number} + 1")
    if(line MATCHES "${qtest_assertion}")
      string(STRIP "${line}" line)
      list(APPEND offences "${shown}:${number}: ${line}")
    endif()
  endforeach()
endforeach()

if(offences)
  foreach(offence IN LISTS offences)
    message("${offence}")
  endforeach()
  message(FATAL_ERROR "QtTest assertions outside a QtTest test: on failure they return early and the "
                      "test passes. Use GoogleTest's, e.g. ASSERT_TRUE(QTest::qWaitFor(...)).")
endif()
