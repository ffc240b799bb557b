#include "platform/testing/TestFont.h"

#include <QFontDatabase>
#include <QString>

std::string TestFontPath() {
    return "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
}

bool LoadTestFont() {
    static const bool loaded = QFontDatabase::addApplicationFont(QString::fromStdString(TestFontPath())) >= 0;
    return loaded;
}
