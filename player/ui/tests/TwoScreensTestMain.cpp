// GoogleTest entry point for tests of the player's windows on two monitors: Qt's offscreen platform
// with two screens side by side, the second one larger and with another height, so that a window put
// on the wrong monitor shows in its geometry.
#include "tests/TwoScreens.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    QTemporaryDir folder;
    const QString config = folder.filePath("screens.json");
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly)) {
        return 1;
    }
    file.write(TwoScreens::ConfigJson());
    file.close();
    // Test discovery runs the program too: the platform is always ours.
    qputenv("QT_QPA_PLATFORM", QByteArray("offscreen:configfile=") + QFile::encodeName(config));
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
