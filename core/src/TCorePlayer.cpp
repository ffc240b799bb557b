#include "core/src/TCorePlayer.h"

#include "core/include/VokradNotifications.h"
#include "core/src/TCoreErrorTexts.h"
#include "core/src/TCoreMessageBuilder.h"
#include "core/src/TEventTime.h"
#include "core/src/TSteadyClockSource.h"
#include "core/src/framework/TCoreLogFile.h"
#include "platform/text/CodePage.h"

#include <algorithm>
#include <limits>

namespace win = plat::win;

TCorePlayer::TCorePlayer(TCoreObject* owner, std::shared_ptr<TClockSource> clocks)
    : TCoreWindow(owner), clocks_(std::move(clocks)) {
    SetStyle(win::WS_POPUP);
    SetExStyle(win::WS_EX_TOOLWINDOW);
    CreateDefault("PlayerControl", "", 0);
}

TCorePlayer::~TCorePlayer() {
    Close();
}

std::shared_ptr<TClockSource> TCorePlayer::DefaultClocks() {
    return TSteadyClockSource::Shared();
}

// The engine with its three callbacks, the subtitle screen and the video window join the start-up
// with their own parts, between creating the clock and starting its thread.
void TCorePlayer::PlayStart() {
    if (clock_ != nullptr) {
        return; // the start-up runs once
    }
    TCoreLogFile& log = TCoreLogFile::Instance();
    log.WriteNarrow("PLAYSTART: Create Player Object");
    clock_ = std::make_unique<TSubTimer>(this, subtitleLock_, clocks_,
                                         [this](std::int32_t time) { ClockReport(time); });
    clock_->Resume();
    log.WriteNarrow("PLAYSTART: Start Timer thread");
}

// The clock stops counting, then its thread ends before it is deleted; a thread that does not end
// keeps its clock (TSubTimer::Dispose). Releasing the engine and closing the subtitle screen follow
// with those parts.
void TCorePlayer::Close() {
    closing_ = true;
    if (clock_ != nullptr) {
        SetClockCounting(false);
        TSubTimer::Dispose(std::move(clock_));
    }
}

int TCorePlayer::SendOrder(std::uint32_t order, void* record, void** out) {
    return dispatcher_.Dispatch(order, record, out);
}

void TCorePlayer::SetLogFile(std::string_view name) {
    TCoreLogFile& log = TCoreLogFile::Instance();
    log.SetPath(plat::text::AnsiToWide(name).c_str());
    log.SetEnabled(true);
    log.WriteNarrow(nullptr);
}

// Asking the engine to announce its configuration again (status kinds 11 and 15) joins with the
// engine.
int TCorePlayer::RegisterClient(HWND handle, HWND window, std::uint32_t mask) {
    return clients_.Register(handle, window, mask);
}

template <class Record> void TCorePlayer::SendRecord(const Record& record) {
    if (closing_) {
        return;
    }
    const std::uint32_t flag = record.head.kind == kCoreMessageText ? kClientMessageTexts : kClientStatus;
    clients_.SendRecord(flag, std::as_bytes(std::span(&record, 1)));
}

void TCorePlayer::Post(UINT msg, std::uint32_t wParam, std::uint32_t lParam) {
    if (!closing_) {
        clients_.Post(msg, wParam, lParam);
    }
}

bool TCorePlayer::EngineError(std::uint32_t kind, std::uint32_t subCode, std::uint32_t result) {
    const TCoreErrorReport report = TCoreErrorTexts::For(kind, subCode, result);
    for (const TCoreErrorText& text : report.texts) {
        SendRecord(TCoreMessageBuilder::Text(text.text, text.severity));
    }
    if (report.stops) {
        Stop();
    }
    return report.answer;
}

// Re-laying out the video and subtitle windows on kind 14 joins with those windows.
void TCorePlayer::EngineState(std::uint32_t kind, std::uint32_t value1, std::uint32_t value2) {
    if (closing_) {
        return;
    }
    if (kind == kStatusConfiguration) {
        ApplyConfiguration(value1);
    } else if (kind == kStatusPlayState) {
        value1 = PlayState();
        if (value1 == kPlayStateNoEngine || value1 == kPlayStateStopped) {
            ForgetClockTime();
        }
    }
    SendRecord(TCoreMessageBuilder::Status(kind, value1, value2));
}

// Without the overlay mixer a video window shows the video through the subtitle screen. Setting the
// subtitle screen's mode and placing the engine window (parent, size, style, bottom of the z-order)
// join with those windows.
void TCorePlayer::ApplyConfiguration(std::uint32_t configuration) {
    if ((configuration & kConfigVideoWindow) != 0 && (configuration & kConfigOverlayMixer) == 0) {
        overlayUsed_ = false;
        windowless_ = (configuration & kConfigWindowless) != 0;
    } else {
        overlayUsed_ = true;
    }
}

void TCorePlayer::EngineEvent(std::uint32_t code, std::uint32_t value1, std::uint32_t value2) {
    if (closing_) {
        return;
    }
    switch (code) {
    case kEngineEventTitle:
    case kEngineEventChapter:
        TitleOrChapter(code, value1);
        break;
    case kEngineEventTime: {
        const TEventTime time = TEventTime::FromEngine(value1, value2);
        SetClockTime(time.ms);
        Post(kMsgCoreTime, time.ms, time.frameRate);
        break;
    }
    case kEngineEventDuration:
        Post(kMsgCoreDuration, value1, value2);
        break;
    case kEngineEventRegister:
        Post(kMsgCoreRegister, value1, value2);
        break;
    case kEngineEventNewMedia:
        Post(kMsgCoreNewMedia, value1, value2);
        break;
    default: // 5, 6, 7 and every code above 8 post nothing
        break;
    }
}

// Each client that receives events gets the message, then the page of the current title is selected
// for it: on every title change, and on a chapter change when pages are keyed by chapter too.
void TCorePlayer::TitleOrChapter(std::uint32_t code, std::uint32_t number) {
    const win::WPARAM which = code == kEngineEventTitle ? kTitleChapterTitle : kTitleChapterChapter;
    clients_.ForEachWith(kClientEvents, [&](const TClientList::TClient& client) {
        client.Post(kMsgCoreTitleChapter, which, number);
        if (code == kEngineEventTitle || profileFlag_) {
            SelectPageForCurrentTitle();
        }
    });
}

// Page selection starts from the engine's current location (title and chapter); without an engine
// the location cannot be told, which ends it before the page model or the stream information is
// asked.
void TCorePlayer::SelectPageForCurrentTitle() {}

// Asking the engine for its current audio and subpicture streams and angle afterwards (status kinds
// 6, 7 and 8) joins with the engine.
void TCorePlayer::SendStreamInformation(const TDvdTitleAttributes& title) {
    SendRecord(TCoreMessageBuilder::Streams(title));
}

void TCorePlayer::SetClockCounting(bool counting) {
    if (clock_ != nullptr) {
        clock_->SetCounting(counting);
    }
}

void TCorePlayer::SetClockTime(std::uint32_t ms) {
    if (clock_ != nullptr) {
        const std::lock_guard lock(SubtitleLock());
        clock_->Step(
            static_cast<std::int32_t>(std::min<std::uint32_t>(ms, std::numeric_limits<std::int32_t>::max())));
    }
}

void TCorePlayer::ForgetClockTime() {
    const std::lock_guard lock(SubtitleLock());
    lastClockTime_ = -1;
}

std::int32_t TCorePlayer::LastClockTime() {
    const std::lock_guard lock(SubtitleLock());
    return lastClockTime_;
}

std::int32_t TCorePlayer::ShiftedTime(std::int32_t time, std::int32_t offset) {
    const std::int64_t shifted = static_cast<std::int64_t>(time) + offset;
    return offset < 0 && shifted < 0 ? 0
                                     : static_cast<std::int32_t>(std::min<std::int64_t>(
                                           shifted, std::numeric_limits<std::int32_t>::max()));
}

bool TCorePlayer::ClockReport(std::int32_t time) {
    const std::lock_guard lock(SubtitleLock());
    if (closing_) {
        return false;
    }
    if (time < 0) {
        if (lastClockTime_ < 0) {
            return false;
        }
        time = lastClockTime_;
    }
    lastClockTime_ = time;
    if (!PageChangesAt(ShiftedTime(time, subtitleOffset_))) {
        return false;
    }
    UpdateSubScreen(false);
    return true;
}

// The page model selects its page for the time and tells whether it changed; without a page model no
// page changes.
bool TCorePlayer::PageChangesAt(std::int32_t time) {
    return false;
}

// Drawing starts from the engine's native video size; without an engine nothing is drawn. The lock is
// held for the whole redraw.
bool TCorePlayer::UpdateSubScreen(bool clear) {
    const std::lock_guard lock(SubtitleLock());
    return false;
}

std::uint32_t TCorePlayer::UpdatePlayState(std::uint32_t state, bool menuShown) {
    if (!menuShown && (state == kPlayStateFirstPlay || state == kPlayStatePlaying)) {
        SetClockCounting(true);
        menuCleared_ = false;
        return state;
    }
    SetClockCounting(false);
    if (!menuCleared_ && menuShown) {
        UpdateSubScreen(true);
        menuCleared_ = true;
    }
    return state;
}

// Without an engine the state is 0 and no DVD menu is shown.
std::uint32_t TCorePlayer::PlayState() {
    return UpdatePlayState(kPlayStateNoEngine, false);
}

// The rectangle is that of the last video layout; the play state is asked first for its effects on
// the clock. Without the video layout there is no rectangle to answer.
bool TCorePlayer::VideoRectangle(TOrderVideoRectangle& rectangle) {
    PlayState();
    return false;
}

// The engine stops after the clock; without an engine the order fails.
bool TCorePlayer::Stop() {
    SetClockCounting(false);
    return false;
}

void TCorePlayer::SetSubtitlesOn(bool on) {
    const std::lock_guard lock(SubtitleLock());
    subtitlesOn_ = on;
    if (on) {
        ClockReport(kLastClockTime);
    } else {
        UpdateSubScreen(false);
    }
}

void TCorePlayer::UnfreezeMessages() {
    messagesFrozen_ = false;
    UpdateSubScreen(false);
}
