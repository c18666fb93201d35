// Widget tests run on Qt's offscreen platform unless the caller chose one.
#include "platform/widgets/Accessibility.h"

#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    platform::installControlAccessibility(); // as the program's application object does
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
