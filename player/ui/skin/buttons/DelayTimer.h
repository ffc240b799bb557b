#pragma once
// A one-shot timer that runs a callback once its interval has passed since the last start. Widgets
// make theirs through DelayTimer::Create, which uses Qt's timers unless a test installed a factory
// on a manual clock.
#include <functional>
#include <memory>

class DelayTimer {
public:
    using Factory = std::function<std::unique_ptr<DelayTimer>(std::function<void()> expired)>;

    virtual ~DelayTimer() = default;
    // (Re)starts the wait.
    virtual void Start(int intervalMs) = 0;
    virtual void Stop() = 0;
    virtual bool IsActive() const = 0;

    static std::unique_ptr<DelayTimer> Create(std::function<void()> expired);
    // Installs the factory every later Create uses; an empty one restores Qt's timers.
    static void InstallFactory(Factory factory);
};
