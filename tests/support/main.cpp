#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The user's own settings (the window's place) go to a folder of this run, never the
    // real one nor another test process's.
    QTemporaryDir configuracion;
    qputenv("XDG_CONFIG_HOME", configuracion.path().toLocal8Bit());
    // And what the clerk types is kept under the run's folder too (each test sets its own).
    qputenv("XDG_DATA_HOME", (configuracion.path() + QStringLiteral("/datos")).toLocal8Bit());
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
