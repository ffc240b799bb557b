#pragma once
// A thread object created suspended: the thread starts running Run() at the first Resume() and its
// exit code is Run()'s answer. Resume and Join are called by the thread that owns the object. A
// derived class stops its thread and calls Join() in its own destructor, before its members go away;
// the destructor here only joins a thread that is left.
#include "core/src/framework/TCoreObject.h"

#include <atomic>
#include <cstdint>
#include <optional>
#include <thread>

class TCoreThread : public TCoreObject {
public:
    explicit TCoreThread(TCoreObject* owner);
    ~TCoreThread() override;

    // Starts the thread; true when it runs or has run. Later calls start nothing.
    bool Resume();

    // Waits until a started thread has ended. Called on the thread itself it lets the thread go.
    void Join();

    // Run()'s answer once the thread has ended; nothing before.
    std::optional<bool> ExitCode() const;

    // Whether Resume() started the thread.
    bool Started() const { return started_; }

protected:
    // The thread body; the base ends at once with true.
    virtual bool Run();

private:
    static constexpr std::int8_t kRunning = -1;

    std::thread thread_;
    bool started_ = false;
    std::atomic<std::int8_t> exitCode_{kRunning};
};
