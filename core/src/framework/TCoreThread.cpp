#include "core/src/framework/TCoreThread.h"

#include <system_error>

TCoreThread::TCoreThread(TCoreObject* owner) : TCoreObject(owner) {}

TCoreThread::~TCoreThread() {
    Join();
}

bool TCoreThread::Resume() {
    if (started_) {
        return true;
    }
    try {
        thread_ = std::thread([this] { exitCode_ = Run() ? 1 : 0; });
    } catch (const std::system_error&) {
        return false;
    }
    started_ = true;
    return true;
}

void TCoreThread::Join() {
    if (!thread_.joinable()) {
        return;
    }
    if (thread_.get_id() == std::this_thread::get_id()) {
        thread_.detach(); // a thread cannot wait for itself
        return;
    }
    thread_.join();
}

std::optional<bool> TCoreThread::ExitCode() const {
    const std::int8_t code = exitCode_;
    if (code == kRunning) {
        return std::nullopt;
    }
    return code == 1;
}

bool TCoreThread::Run() {
    return true;
}
