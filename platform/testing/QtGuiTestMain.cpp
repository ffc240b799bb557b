// GoogleTest entry point for tests that draw text: a QGuiApplication (fonts need one) on the offscreen
// platform, with the bundled test font loaded so that metrics do not depend on the machine's fonts.
#include "platform/testing/TestFont.h"

#include <QGuiApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    LoadTestFont();
    return RUN_ALL_TESTS();
}
