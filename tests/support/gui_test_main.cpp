#include <QApplication>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // On Windows (under Wine at least) changing the environment before the application
    // exists leaves Qt without a single font; the test runs there set what they need.
#ifndef Q_OS_WIN
    // Test discovery runs the binary at build time, without the test's environment.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // A home of its own: the class registry and anything else written under
    // the user's folders starts empty for each run of the tests.
    QTemporaryDir maison;
    if (maison.isValid()) {
        qputenv("HOME", maison.path().toLocal8Bit());
        qunsetenv("XDG_CONFIG_HOME");
        qunsetenv("XDG_DATA_HOME");
    }
#endif
    QApplication app(argc, argv);
    // Class registry and settings of the tests stay apart from the user's.
    QStandardPaths::setTestModeEnabled(true);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
