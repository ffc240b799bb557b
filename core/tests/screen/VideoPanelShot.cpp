// Shows the video panel scene in a window for a while, so that the screen can be photographed:
//   video_panel_shot [milliseconds [width height]]
// (under Xvfb: start it in the background, take the screenshot, let it end).
#include "core/tests/screen/VideoPanelScene.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    qputenv("TOVRIN_AUDIO_SINK", "fake");
    QApplication application(argc, argv);
    const int milliseconds = argc > 1 ? std::atoi(argv[1]) : 5000;
    const QSize size = argc > 3 ? QSize(std::atoi(argv[2]), std::atoi(argv[3])) : QSize(640, 480);
    VideoPanelScene scene(size);
    std::string failure;
    if (!scene.Start(failure)) {
        std::fprintf(stderr, "%s\n", failure.c_str());
        return 1;
    }
    scene.Panel().move(0, 0);
    scene.Panel().show();
    QTimer::singleShot(milliseconds, &application, &QApplication::quit);
    return QApplication::exec();
}
