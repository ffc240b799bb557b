#pragma once
// A window of the test's thread that records the messages posted to it.
#include "platform/win/Types.h"

#include <functional>
#include <utility>
#include <vector>

class MessageRecorder {
public:
    using Message = std::pair<plat::win::UINT, plat::win::WPARAM>;

    MessageRecorder();
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    plat::win::HWND Handle() const { return hwnd_; }
    // Delivers what is waiting and answers every message received since the last call.
    std::vector<Message> Take();
    // Delivers messages as they come until one satisfies `done` (which sees each in turn).
    void WaitUntil(const std::function<bool(const Message&)>& done);

private:
    static plat::win::LRESULT Procedure(plat::win::HWND hwnd, plat::win::UINT msg, plat::win::WPARAM wParam,
                                        plat::win::LPARAM lParam);
    plat::win::HWND hwnd_ = 0;
    std::vector<Message> received_;
};
