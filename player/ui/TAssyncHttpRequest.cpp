#include "player/ui/TAssyncHttpRequest.h"

#include "platform/win/Message.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

#include <memory>

TAssyncHttpRequest::TAssyncHttpRequest(plat::win::HWND owner, plat::win::WPARAM wParam,
                                       plat::win::UINT message, std::string url,
                                       std::chrono::milliseconds delay)
    : owner_(owner), wParam_(wParam), message_(message), url_(std::move(url)), delay_(delay),
      thread_([this] { Execute(); }) {}

TAssyncHttpRequest::~TAssyncHttpRequest() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
        if (loop_ != nullptr) {
            QEventLoop* loop = loop_;
            QMetaObject::invokeMethod(
                loop, [loop] { loop->quit(); }, Qt::QueuedConnection);
        }
    }
    stopRequested_.notify_all();
    thread_.join();
}

void TAssyncHttpRequest::Execute() {
    if (!AwaitDelay()) {
        return;
    }
    Fetch();
    const std::lock_guard lock(mutex_);
    if (!stopping_) {
        plat::win::PostMessage(owner_, message_, wParam_, 0);
    }
}

bool TAssyncHttpRequest::AwaitDelay() {
    std::unique_lock lock(mutex_);
    return !stopRequested_.wait_for(lock, delay_, [this] { return stopping_; });
}

void TAssyncHttpRequest::Fetch() {
    QNetworkAccessManager manager;
    manager.setTransferTimeout(kReadTimeoutMs);
    QEventLoop loop;
    const std::unique_ptr<QNetworkReply> reply(
        manager.get(QNetworkRequest(QUrl(QString::fromStdString(url_)))));
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    {
        const std::lock_guard lock(mutex_);
        if (stopping_) {
            return;
        }
        loop_ = &loop;
    }
    if (!reply->isFinished()) {
        loop.exec();
    }
    {
        const std::lock_guard lock(mutex_);
        loop_ = nullptr;
    }
    if (reply->isFinished() && reply->error() == QNetworkReply::NoError) {
        response_ = reply->read(kMaxResponse);
    } else {
        reply->abort();
    }
}
