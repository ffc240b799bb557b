#include "platform/forms/ApplicationThread.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

#include <condition_variable>
#include <deque>
#include <mutex>

namespace plat::forms {

namespace {

struct Pending {
    explicit Pending(std::function<void()> work) : work(std::move(work)) {}

    std::function<void()> work;
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
};

std::mutex queueMutex;
std::deque<Pending*> queue;

Pending* Next() {
    std::lock_guard lock(queueMutex);
    if (queue.empty()) {
        return nullptr;
    }
    Pending* next = queue.front();
    queue.pop_front();
    return next;
}

// On the application thread: every piece of work waiting, in the order it was handed over.
void RunWaiting() {
    while (Pending* pending = Next()) {
        pending->work();
        std::lock_guard lock(pending->mutex);
        pending->done = true;
        pending->finished.notify_all();
    }
}

// Lives on the application thread; its wake event is never read, so nothing of ours crosses threads
// through Qt's own locking, which thread checkers do not see.
class Waker : public QObject {
public:
    Waker() { moveToThread(QCoreApplication::instance()->thread()); }

    static QEvent::Type EventType() {
        static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
        return type;
    }

protected:
    void customEvent(QEvent*) override { RunWaiting(); }
};

Waker& TheWaker() {
    static Waker waker;
    return waker;
}

} // namespace

void RunOnApplicationThread(std::function<void()> work) {
    Pending pending(std::move(work));
    {
        std::lock_guard lock(queueMutex);
        queue.push_back(&pending);
    }
    QCoreApplication::postEvent(&TheWaker(), new QEvent(Waker::EventType()));
    std::unique_lock lock(pending.mutex);
    pending.finished.wait(lock, [&pending] { return pending.done; });
}

} // namespace plat::forms
