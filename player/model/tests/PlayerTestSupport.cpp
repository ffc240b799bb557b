#include "player/model/tests/PlayerTestSupport.h"

#include "core/include/VokradNotifications.h"
#include "platform/win/Message.h"
#include "platform/win/Window.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace win = plat::win;

TPlayerGlobalsScope::TPlayerGlobalsScope(std::unique_ptr<TSendToCore> binding) {
    CreatePlayerGlobals(std::move(binding));
    ErrorControl()->SetMessageBox(&box);
}

TPlayerGlobalsScope::~TPlayerGlobalsScope() {
    DestroyPlayerGlobals();
}

TProgramFolderScope::TProgramFolderScope(const std::string& folder) {
    if (const char* old = std::getenv("TOVRIN_PROGRAM_FOLDER")) {
        old_ = old;
    }
    ::setenv("TOVRIN_PROGRAM_FOLDER", folder.c_str(), 1);
}

TProgramFolderScope::~TProgramFolderScope() {
    if (old_) {
        ::setenv("TOVRIN_PROGRAM_FOLDER", old_->c_str(), 1);
    } else {
        ::unsetenv("TOVRIN_PROGRAM_FOLDER");
    }
}

std::string DistFolder() {
    const char* dist = std::getenv("TOVRIN_DIST_DIR");
    EXPECT_NE(dist, nullptr) << "the tests run with TOVRIN_DIST_DIR set";
    return dist != nullptr ? dist : "";
}

namespace {

constexpr win::UINT kMarker = win::WM_USER + 1;
QEventLoop* runningLoop = nullptr;

win::LRESULT MarkerProcedure(win::HWND hwnd, win::UINT msg, win::WPARAM wParam, win::LPARAM lParam) {
    if (msg == kMarker && runningLoop != nullptr) {
        runningLoop->quit();
    }
    return win::DefWindowProc(hwnd, msg, wParam, lParam);
}

} // namespace

void DeliverPosted() {
    static const bool registered =
        win::RegisterClass({0, &MarkerProcedure, nullptr, "PlayerModelTestMarker"});
    ASSERT_TRUE(registered || win::GetClassInfo("PlayerModelTestMarker", nullptr));
    const win::HWND marker = win::CreateWindowEx(0, "PlayerModelTestMarker", "", 0, 0, 0, 0, 0, 0, nullptr);
    ASSERT_TRUE(win::PostMessage(marker, kMarker, 0, 0));
    QEventLoop loop;
    runningLoop = &loop;
    loop.exec();
    runningLoop = nullptr;
    win::DestroyWindow(marker);
}

bool PumpUntil(const std::function<bool()>& done) {
    const QDeadlineTimer deadline(10000);
    QTimer wake;
    wake.start(50);
    while (!done()) {
        if (deadline.hasExpired()) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

void PostAndDeliver(win::HWND window, win::UINT msg, win::WPARAM wParam, win::LPARAM lParam) {
    ASSERT_TRUE(win::PostMessage(window, msg, wParam, lParam));
    DeliverPosted();
}

namespace {

template <class Record> std::vector<uint8_t> Bytes(Record& record, uint32_t kind) {
    record.head = {kCoreMessageHeaderSize, 0, kind,
                   static_cast<uint32_t>(sizeof(Record) - kCoreMessageHeaderSize)};
    const auto* p = reinterpret_cast<const uint8_t*>(&record);
    return {p, p + sizeof(Record)};
}

} // namespace

std::vector<uint8_t> StatusRecord(uint32_t status, uint32_t value1, uint32_t value2) {
    TCoreMessageStatus record{};
    record.status = status;
    record.value1 = value1;
    record.value2 = value2;
    return Bytes(record, kCoreMessageStatus);
}

std::vector<uint8_t> TextRecord(uint8_t severity, std::string_view text) {
    TCoreMessageText record{};
    record.severity = severity;
    std::memcpy(record.text, text.data(), std::min(text.size(), sizeof(record.text)));
    return Bytes(record, kCoreMessageText);
}

std::vector<uint8_t> StreamsRecord() {
    TCoreMessageStreams record{};
    record.audioCount = 1;
    return Bytes(record, kCoreMessageStreams);
}

win::LRESULT DeliverRecord(win::HWND window, const std::vector<uint8_t>& block) {
    // An exact-size heap copy, so that nothing lies past the delivered bytes.
    const auto copy = std::make_unique<uint8_t[]>(block.size());
    std::copy(block.begin(), block.end(), copy.get());
    const win::COPYDATASTRUCT data{0, static_cast<uint32_t>(block.size()), copy.get()};
    return win::SendMessage(window, win::WM_COPYDATA, 0, reinterpret_cast<win::LPARAM>(&data));
}
