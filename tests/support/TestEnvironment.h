#pragma once

#include <QString>
#include <QtTest>

// Gives a test process its own HOME, XDG folders and settings path, so that no test
// reads or writes the user's files, and sets up Qt for headless runs.
namespace TestEnvironment {
// Call before the QApplication exists.
void prepare();
// The private folder of this test process.
QString home();
} // namespace TestEnvironment

// main() of a widget test: a private, headless environment around QTest::qExec.
#define KV_TEST_MAIN(TestObject)                                                                   \
    int main(int argc, char** argv)                                                                \
    {                                                                                              \
        TestEnvironment::prepare();                                                                \
        QApplication app(argc, argv);                                                              \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                   \
        TestObject tc;                                                                             \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&tc, argc, argv);                                                      \
    }
