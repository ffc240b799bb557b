#include "player/ui/skin/buttons/QtDelayTimer.h"

namespace {
DelayTimer::Factory& InstalledFactory() {
    static DelayTimer::Factory factory;
    return factory;
}
} // namespace

QtDelayTimer::QtDelayTimer(std::function<void()> expired) {
    timer_.setSingleShot(true);
    QObject::connect(&timer_, &QTimer::timeout, std::move(expired));
}

void QtDelayTimer::Start(int intervalMs) {
    timer_.start(intervalMs);
}

void QtDelayTimer::Stop() {
    timer_.stop();
}

bool QtDelayTimer::IsActive() const {
    return timer_.isActive();
}

std::unique_ptr<DelayTimer> DelayTimer::Create(std::function<void()> expired) {
    if (InstalledFactory()) {
        return InstalledFactory()(std::move(expired));
    }
    return std::make_unique<QtDelayTimer>(std::move(expired));
}

void DelayTimer::InstallFactory(Factory factory) {
    InstalledFactory() = std::move(factory);
}
