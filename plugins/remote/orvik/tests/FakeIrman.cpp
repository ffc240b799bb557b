#include "plugins/remote/orvik/tests/FakeIrman.h"

#include <chrono>

namespace orvik::testing {

namespace {

constexpr auto FailureLimit = std::chrono::seconds(5);

} // namespace

void ManualClock::Sleep(std::uint32_t milliseconds) {
    Now += milliseconds;
    if (AfterSleep) {
        AfterSleep();
    }
}

FakeIrman::FakeIrman(ManualClock& clock, bool alwaysPowered) : Clock(clock), AlwaysPowered(alwaysPowered) {
    Clock.AfterSleep = [this] { Service(); };
}

void FakeIrman::SetLine(plat::serial::ModemLine line, bool on) {
    (line == plat::serial::ModemLine::Dtr ? Dtr : Rts) = on;
    Log.push_back(std::string(line == plat::serial::ModemLine::Dtr ? "DTR" : "RTS") +
                  (on ? " on@" : " off@") + std::to_string(Clock.Now));
}

void FakeIrman::Service() {
    for (const std::uint8_t byte : Terminal.ReceiveAvailable()) {
        Log.push_back(std::string(1, static_cast<char>(byte)) + "@" + std::to_string(Clock.Now));
        if (!AlwaysPowered && !(Dtr && Rts)) {
            continue;
        }
        Heard += static_cast<char>(byte);
        if (Heard.ends_with("IR")) {
            Heard.clear();
            Terminal.Send(std::vector<std::uint8_t>(Answer.begin(), Answer.end()));
        }
    }
}

bool FakeIrman::Press(const std::vector<std::uint8_t>& code) {
    return Terminal.Send(code);
}

int FakeModemLines::Set(plat::serial::ModemLine line, bool on) {
    Device.SetLine(line, on);
    return 0;
}

RecordingMessages::~RecordingMessages() {
    if (OnDestroyed) {
        OnDestroyed();
    }
}

void RecordingMessages::ShowMessage(const std::string& text) {
    const std::lock_guard lock(Mutex);
    Texts.push_back(text);
    Changed.notify_all();
}

std::vector<std::string> RecordingMessages::Shown() const {
    const std::lock_guard lock(Mutex);
    return Texts;
}

bool RecordingMessages::AwaitCount(std::size_t count) const {
    std::unique_lock lock(Mutex);
    return Changed.wait_for(lock, FailureLimit, [&] { return Texts.size() >= count; });
}

} // namespace orvik::testing
