#pragma once
// One HTTP GET on a short worker thread of its own: after a short delay (the start of the program
// goes first) it fetches the page with a read time-out and posts a message to the owner's window.
// The response is empty after any failure (no connection, time-out, HTTP error). Destroying the
// request cuts a fetch in flight short and waits for the thread; nothing is posted then.
#include "platform/win/Types.h"

#include <QByteArray>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

class QEventLoop;

class TAssyncHttpRequest {
public:
    static constexpr std::chrono::milliseconds kDefaultDelay{250};
    // A read that brings no byte for this long fails.
    static constexpr int kReadTimeoutMs = 20000;
    // Only the start of a page is kept: the answers read are one short line.
    static constexpr qint64 kMaxResponse = 64 * 1024;

    // Starts the thread at once.
    TAssyncHttpRequest(plat::win::HWND owner, plat::win::WPARAM wParam, plat::win::UINT message,
                       std::string url, std::chrono::milliseconds delay = kDefaultDelay);
    ~TAssyncHttpRequest();
    TAssyncHttpRequest(const TAssyncHttpRequest&) = delete;
    TAssyncHttpRequest& operator=(const TAssyncHttpRequest&) = delete;

    // The page's bytes; read only once the message has arrived.
    const QByteArray& Response() const { return response_; }

private:
    void Execute();
    // Waits out the delay; false when the request is being destroyed meanwhile.
    bool AwaitDelay();
    void Fetch();

    const plat::win::HWND owner_;
    const plat::win::WPARAM wParam_;
    const plat::win::UINT message_;
    const std::string url_;
    const std::chrono::milliseconds delay_;
    QByteArray response_;

    std::mutex mutex_;
    std::condition_variable stopRequested_;
    bool stopping_ = false;
    QEventLoop* loop_ = nullptr; // the worker's loop while a fetch runs
    std::thread thread_;
};
