#pragma once
// A DelayTimer on a single-shot QTimer of the calling thread.
#include "player/ui/skin/buttons/DelayTimer.h"

#include <QTimer>

class QtDelayTimer : public DelayTimer {
public:
    explicit QtDelayTimer(std::function<void()> expired);

    void Start(int intervalMs) override;
    void Stop() override;
    bool IsActive() const override;

private:
    QTimer timer_;
};
