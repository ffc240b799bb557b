#pragma once
// The thread on which an audio output delivers its done notices, in the order they were posted.
// Notices are posted from GStreamer's threads (and from a thread that flushes the pipeline), where
// the handler must not run: it takes the caller's lock, which a flushing thread may hold.
#include "platform/audio/WaveOut.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <utility>

namespace plat::audio {

class DoneNotifier {
public:
    explicit DoneNotifier(WaveOut::DoneHandler handler);
    // Delivers what is still waiting, then ends the thread.
    ~DoneNotifier();
    DoneNotifier(const DoneNotifier&) = delete;
    DoneNotifier& operator=(const DoneNotifier&) = delete;

    void Post(std::uintptr_t user, std::uint64_t serial);

private:
    void Run();

    WaveOut::DoneHandler handler_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::pair<std::uintptr_t, std::uint64_t>> waiting_;
    bool stopping_ = false;
    std::thread thread_;
};

} // namespace plat::audio
