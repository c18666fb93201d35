// Widget tests run on Qt's offscreen platform unless the caller chose one.
#include "platform/widgets/Accessibility.h"

#include <QApplication>
#include <QTemporaryDir>
#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // What the program keeps for the user (the text size, the words kept) goes to a folder of the run's own.
    QTemporaryDir config;
    setenv("XDG_CONFIG_HOME", config.path().toLocal8Bit().constData(), 1);
    setenv("XDG_DATA_HOME", config.path().toLocal8Bit().constData(), 1);
    QApplication app(argc, argv);
    platform::installControlAccessibility(); // as the program's application object does
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
