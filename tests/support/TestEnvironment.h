#pragma once

#include <QApplication>
#include <QTest>

// Gives the test process a private HOME and XDG_CONFIG_HOME under a temporary folder (removed at
// exit), its state, data and cache folders under that HOME, a session bus that is not there, and
// clears PRINTER and LPDEST, so no test reads or writes the user's settings, state, browser
// profile, keyring or default printer. CUPS_SERVER is left as the test script
// set it: the private print server.
void prepareTestEnvironment();

// The temporary home of this test process.
QString testHome();

// In a sanitizer build, looks for leaks at once, while the application and the libraries it has
// loaded are all still there: at exit some of those are unloaded already, and what they leaked
// can no longer be told apart from ours. Elsewhere does nothing.
void checkForLeaks();

// Like QTEST_MAIN, with the private environment prepared before the application object exists,
// and leaks looked for before it goes.
#define QUILLBRAE_TEST_MAIN(TestClass)                                                                                 \
    int main(int argc, char *argv[])                                                                                   \
    {                                                                                                                  \
        prepareTestEnvironment();                                                                                      \
        QApplication app(argc, argv);                                                                                  \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                                       \
        TestClass test;                                                                                                \
        QTEST_SET_MAIN_SOURCE_PATH                                                                                     \
        const int failures = QTest::qExec(&test, argc, argv);                                                          \
        checkForLeaks();                                                                                               \
        return failures;                                                                                               \
    }
