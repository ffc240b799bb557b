#include "platform/display/CurrentModeOnly.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace plat::display {

std::optional<DisplayMode> CurrentModeOnly::PrimaryScreenMode() {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
        return std::nullopt;
    }
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return std::nullopt;
    }
    const QSize size = screen->size() * screen->devicePixelRatio();
    return DisplayMode{size.width(), size.height(), screen->depth(),
                       static_cast<std::int32_t>(std::lround(screen->refreshRate()))};
}

CurrentModeOnly::CurrentModeOnly(std::optional<DisplayMode> current) : current_(current) {}

std::optional<DisplayMode> CurrentModeOnly::ModeAt(std::int32_t index) {
    return index == 0 ? current_ : std::nullopt;
}

bool CurrentModeOnly::Test(const DisplayMode& mode) {
    return current_ && *current_ == mode;
}

bool CurrentModeOnly::Apply(const DisplayMode& mode) {
    return Test(mode);
}

} // namespace plat::display
