#include "player/ui/skin/buttons/ManualDelayClock.h"

#include <limits>

class ManualDelayClock::Timer : public DelayTimer {
public:
    Timer(ManualDelayClock& clock, std::function<void()> expired)
        : clock_(clock), expired_(std::move(expired)) {
        clock_.timers_.insert(this);
    }
    ~Timer() override { clock_.timers_.erase(this); }

    void Start(int intervalMs) override {
        dueMs_ = clock_.nowMs_ + intervalMs;
        active_ = true;
    }
    void Stop() override { active_ = false; }
    bool IsActive() const override { return active_; }

    int64_t DueMs() const { return dueMs_; }
    void Fire() {
        active_ = false;
        expired_();
    }

private:
    ManualDelayClock& clock_;
    std::function<void()> expired_;
    int64_t dueMs_ = 0;
    bool active_ = false;
};

ManualDelayClock::ManualDelayClock() {
    DelayTimer::InstallFactory([this](std::function<void()> expired) -> std::unique_ptr<DelayTimer> {
        return std::make_unique<Timer>(*this, std::move(expired));
    });
}

ManualDelayClock::~ManualDelayClock() {
    DelayTimer::InstallFactory({});
}

void ManualDelayClock::Advance(int64_t ms) {
    const int64_t target = nowMs_ + ms;
    for (;;) {
        // A callback may start, stop or destroy timers, so the earliest one is looked up each time.
        Timer* next = nullptr;
        int64_t due = std::numeric_limits<int64_t>::max();
        for (Timer* timer : timers_) {
            if (timer->IsActive() && timer->DueMs() <= target && timer->DueMs() < due) {
                next = timer;
                due = timer->DueMs();
            }
        }
        if (next == nullptr) {
            break;
        }
        nowMs_ = due;
        next->Fire();
    }
    nowMs_ = target;
}

int ManualDelayClock::ActiveCount() const {
    int count = 0;
    for (const Timer* timer : timers_) {
        count += timer->IsActive() ? 1 : 0;
    }
    return count;
}
