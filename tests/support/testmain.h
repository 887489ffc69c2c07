#pragma once
// The test files of one folder share one executable (tests/CMakeLists.txt).
// Each file registers its test class under the file's name in place of
// defining main(); the executable's first argument picks the file:
//   tests_panel test_startup -functions

#include <QTest>

namespace zamtest {
using Run = int (*)(int argc, char *argv[]);
// Registers the tests of `file` (a path; its base name is the test's name).
bool add(const char *file, Run run);
} // namespace zamtest

// As QTEST_MAIN, QTEST_GUILESS_MAIN and QTEST_APPLESS_MAIN, without main().
#define ZAM_TEST_RUN(TestObject, ...)                                                              \
    namespace {                                                                                    \
    int zamTestRun(int argc, char *argv[])                                                         \
    {                                                                                              \
        QTest::Internal::callInitMain<TestObject>();                                               \
        __VA_ARGS__                                                                                \
        TestObject tc;                                                                             \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&tc, argc, argv);                                                      \
    }                                                                                              \
    const bool zamTestAdded = zamtest::add(__FILE__, zamTestRun);                                  \
    }
#define ZAM_TEST_MAIN(TestObject) ZAM_TEST_RUN(TestObject, QTEST_MAIN_SETUP())
#define ZAM_TEST_GUILESS_MAIN(TestObject)                                                          \
    ZAM_TEST_RUN(TestObject, QTEST_QAPP_SETUP(QCoreApplication))
#define ZAM_TEST_APPLESS_MAIN(TestObject) ZAM_TEST_RUN(TestObject)
