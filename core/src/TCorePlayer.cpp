#include "core/src/TCorePlayer.h"

#include "core/include/VokradNotifications.h"
#include "core/src/TCoreErrorTexts.h"
#include "core/src/TCoreMessageBuilder.h"
#include "core/src/TEventTime.h"
#include "core/src/TSteadyClockSource.h"
#include "core/src/framework/TCoreLogFile.h"
#include "core/src/state/TStateStorage.h"
#include "platform/gdi/ImageDc.h"
#include "platform/text/CodePage.h"
#include "platform/win/Debug.h"
#include "platform/win/Message.h"
#include "platform/win/Timer.h"
#include "platform/win/Window.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <thread>
#include <vector>

namespace win = plat::win;

namespace {

// The primary screen's size, as the host's display tells it (the size set for the subtitle mapping
// when there is no display).
TScreenSize PrimaryScreen() {
    const auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    const QScreen* screen = application != nullptr ? QGuiApplication::primaryScreen() : nullptr;
    if (screen == nullptr) {
        return TSubScreenControler::PrimaryScreenSize();
    }
    return {screen->geometry().width(), screen->geometry().height()};
}

// The rectangle as the mapping takes it: top, left, width, height.
void SetMappingArea(TSubScreenControler& mapping, const win::RECT& area, const win::RECT& frame) {
    mapping.SetAreaRect(area.top, area.left, area.right - area.left, area.bottom - area.top);
    mapping.SetFrameRect(frame.top, frame.left, frame.right - frame.left, frame.bottom - frame.top);
}

} // namespace

TCorePlayer::TCorePlayer(TCoreObject* owner, std::shared_ptr<TClockSource> clocks)
    : TCoreWindow(owner), clocks_(std::move(clocks)), screenSize_(PrimaryScreen) {
    SetStyle(win::WS_POPUP);
    SetExStyle(win::WS_EX_TOOLWINDOW);
    CreateDefault("PlayerControl", "", 0);
    subDisplay_.SetLayouter(std::make_unique<TPageRenderer>());
    SetStyleOverride(styleOverride_);
}

// The order's outline style 0 leaves the method as drawing starts it (disc pattern). The page renderer
// draws with them; a display given another layouter keeps only the stored values.
void TCorePlayer::SetStyleOverride(const TStyleOverride& styleOverride) {
    styleOverride_ = styleOverride;
    TDrawOverrides overrides;
    if (styleOverride.outlineStyle > 0 && styleOverride.outlineStyle <= 0xFF) {
        overrides.outlineMethod = static_cast<std::uint8_t>(styleOverride.outlineStyle);
    }
    overrides.outlineWidth = styleOverride.outlineWidth;
    overrides.shadowDepth = styleOverride.shadowDepth;
    const std::lock_guard lock(SubtitleLock());
    if (auto* renderer = dynamic_cast<TPageRenderer*>(subDisplay_.Layouter())) {
        renderer->SetDrawOverrides(overrides);
    }
}

TCorePlayer::~TCorePlayer() {
    Close();
}

std::shared_ptr<TClockSource> TCorePlayer::DefaultClocks() {
    return TSteadyClockSource::Shared();
}

void TCorePlayer::PlayStart() {
    if (clock_ != nullptr) {
        return; // the start-up runs once
    }
    TCoreLogFile& log = TCoreLogFile::Instance();
    log.WriteNarrow("PLAYSTART: Create Player Object");
    CreateEngine();
    screen_ = std::make_unique<TSubtitleWindow>(this);
    clock_ = std::make_unique<TSubTimer>(this, subtitleLock_, clocks_,
                                         [this](std::int32_t time) { ClockReport(time); });
    screen_->CreateScreen();
    log.WriteNarrow("PLAYSTART: Create Subtitler Window");
    engine_->CreateRenderWindow();
    log.WriteNarrow("PLAYSTART: Create Video Window");
    engine_->Show();
    Relayout();
    Reposition();
    clock_->Resume();
    log.WriteNarrow("PLAYSTART: Start Timer thread");
    screen_->SetNotification(
        [this](UINT msg, WPARAM wParam, LPARAM lParam) { OnScreenEvent(msg, wParam, lParam); });
    screen_->SetRepaintRequest([this] { UpdateSubScreen(false); });
}

// The clock stops counting, then its thread ends before it is deleted; a thread that does not end
// keeps its clock (TSubTimer::Dispose). The engine releases its graph and goes next, then the
// subtitle screen, allowed to close at last.
void TCorePlayer::Close() {
    HandSurfaceTo(0);
    if (screen_ != nullptr) {
        screen_->SetVideoWindow(0);
        screen_->SetOwnerWindow(0);
    }
    closing_ = true;
    if (clock_ != nullptr) {
        SetClockCounting(false);
        TSubTimer::Dispose(std::move(clock_));
    }
    if (engine_ != nullptr) {
        engine_->ReleaseGraph();
        engine_.reset();
    }
    if (screen_ != nullptr) {
        screen_->SetNotification({});
        screen_->SetRepaintRequest({});
        screen_->SetClosing();
        screen_.reset();
    }
    if (Handle() != 0) {
        win::KillTimer(Handle(), kMessageTimer);
        win::KillTimer(Handle(), kLayoutTimer);
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

// The engine announces its configuration again (status kinds 11 and 15) to the new client.
int TCorePlayer::RegisterClient(HWND handle, HWND window, std::uint32_t mask) {
    const int answer = clients_.Register(handle, window, mask);
    if (engine_ != nullptr) {
        engine_->ReportCapabilities();
    }
    return answer;
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

void TCorePlayer::EngineState(std::uint32_t kind, std::uint32_t value1, std::uint32_t value2) {
    if (closing_) {
        return;
    }
    if (kind == kStatusConfiguration) {
        ApplyConfiguration(value1);
    } else if (kind == kStatusDomainChanged) {
        Relayout();
    } else if (kind == kStatusPlayState) {
        value1 = PlayState();
        if (value1 == kPlayStateNoEngine || value1 == kPlayStateStopped) {
            ForgetClockTime();
        }
    }
    SendRecord(TCoreMessageBuilder::Status(kind, value1, value2));
}

// Without the overlay mixer a video window shows the video through the subtitle screen: the engine
// window becomes a pop-up inside it. With the overlay the subtitle screen keys the video in and the
// engine window stands apart as a child. Either way it goes to the bottom of the z-order.
void TCorePlayer::ApplyConfiguration(std::uint32_t configuration) {
    constexpr int kEngineWidth = 320;
    constexpr int kEngineHeight = 240;
    const bool throughScreen =
        (configuration & kConfigVideoWindow) != 0 && (configuration & kConfigOverlayMixer) == 0;
    {
        const std::lock_guard lock(SubtitleLock());
        overlayUsed_ = !throughScreen;
        if (throughScreen) {
            windowless_ = (configuration & kConfigWindowless) != 0;
        }
    }
    if (engine_ == nullptr || screen_ == nullptr) {
        return;
    }
    const HWND window = engine_->Handle();
    const auto style =
        static_cast<DWORD>(win::GetWindowLongPtr(window, win::GWL_STYLE)) & ~(win::WS_CHILD | win::WS_POPUP);
    if (throughScreen) {
        screen_->SetMode(false, configuration != 0, windowless_);
        engine_->SetParentWindow(screen_->Handle());
        engine_->TCoreWindow::Resize(kEngineWidth, kEngineHeight);
        win::SetWindowLongPtr(window, win::GWL_STYLE, style | win::WS_POPUP);
    } else {
        screen_->SetMode(true, true, false);
        engine_->SetParentWindow(0);
        win::SetWindowLongPtr(window, win::GWL_STYLE, style | win::WS_CHILD);
    }
    win::SetWindowPos(window, win::HWND_BOTTOM, 0, 0, 0, 0,
                      win::SWP_NOSIZE | win::SWP_NOMOVE | win::SWP_NOACTIVATE);
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
// the location cannot be told, which ends it before the page model is asked. The title's streams are
// reported afterwards.
void TCorePlayer::SelectPageForCurrentTitle() {
    const std::lock_guard lock(SubtitleLock());
    const std::optional<std::uint32_t> location = CurrentLocation();
    if (!location) {
        return;
    }
    subDisplay_.SelectBlock(PageKey(*location, profileTitle_, profileFlag_));
    UpdateSubScreen(true);
    SendTitleStreams(*location & 0xFFu);
}

std::uint32_t TCorePlayer::PageKey(std::uint32_t location, std::int32_t profileTitle, bool profileFlag) {
    constexpr std::uint32_t kNoLocation = 0xFFFFFFFFu;
    if (location == kNoLocation && profileTitle != -1) {
        return static_cast<std::uint32_t>(profileTitle) & 0xFFu;
    }
    return profileFlag ? (location >> 16) + ((location & 0xFFFFu) << 8) : location & 0xFFu;
}

bool TCorePlayer::ClearSubtitles() {
    const std::lock_guard lock(SubtitleLock());
    profileTitle_ = -1;
    subDisplay_.ClearBlocks();
    profileFlag_ = false;
    UpdateSubScreen(true);
    return true;
}

bool TCorePlayer::LoadSubtitlePages(std::uint32_t title, std::span<const std::byte> block) {
    const std::lock_guard lock(SubtitleLock());
    std::string error;
    if (!subDisplay_.SetBlock(title, block, &error)) {
        TCoreLogFile::Instance().WriteNarrow("SUBTITLES: page %u refused: %s\n", title, error);
        return false;
    }
    SelectPageForCurrentTitle();
    return true;
}

bool TCorePlayer::SetStyles(std::uint32_t step, std::span<const std::uint8_t, kStyleRecordBytes> style) {
    enum : std::uint32_t { kResetStyles = 1, kDisplayOff = 2, kDisplayOn = 3, kSetStyle = 4 };
    const std::lock_guard lock(SubtitleLock());
    switch (step) {
    case kResetStyles:
        subDisplay_.ResetStyles(false);
        break;
    case kDisplayOff:
        subDisplay_.SetEnabled(false, false);
        break;
    case kDisplayOn:
        subDisplay_.SetEnabled(true, false);
        break;
    case kSetStyle: {
        TSubtitleStyleRecord record;
        std::memcpy(&record, style.data(), sizeof(record));
        subDisplay_.SetStyle(record);
        break;
    }
    default:
        break;
    }
    return true;
}

// The streams of the title's low byte are reported afterwards.
bool TCorePlayer::SelectProfileTitle(std::int32_t title) {
    const std::lock_guard lock(SubtitleLock());
    const bool found = subDisplay_.SelectBlock(static_cast<std::uint32_t>(title) & 0xFFu);
    profileTitle_ = title;
    UpdateSubScreen(false);
    SendTitleStreams(static_cast<std::uint32_t>(title) & 0xFFu);
    return found;
}

std::int32_t TCorePlayer::ProfileTitle() {
    const std::lock_guard lock(SubtitleLock());
    return profileTitle_;
}

void TCorePlayer::SendStreamInformation(const TDvdTitleAttributes& title) {
    SendRecord(TCoreMessageBuilder::Streams(title));
}

// The navigator's attributes of the title's streams, as kind 1634 carries them.
static TDvdTitleAttributes StreamsOf(const plat::dvd::DvdTitleAttributes& from) {
    TDvdTitleAttributes title;
    title.audioCount = from.audioStreamCount;
    title.subpictureCount = from.subpictureStreamCount;
    for (std::size_t i = 0; i < title.audio.size(); ++i) {
        const plat::dvd::DvdAudioAttributes& audio = from.audio[i];
        title.audio[i] = {audio.language,  audio.hasMultichannelInfo != 0,
                          audio.frequency, audio.quantization,
                          audio.channels,  static_cast<std::uint8_t>(audio.format)};
    }
    for (std::size_t i = 0; i < title.subpicture.size(); ++i) {
        const plat::dvd::DvdSubpictureAttributes& subpicture = from.subpicture[i];
        title.subpicture[i] = {static_cast<std::uint8_t>(subpicture.type),
                               static_cast<std::uint8_t>(subpicture.coding), subpicture.language,
                               static_cast<std::uint8_t>(subpicture.languageExtension)};
    }
    return title;
}

// After the record (also without a client) the engine tells the current streams (status 6, 7, 8).
void TCorePlayer::SendTitleStreams(std::uint32_t title) {
    plat::dvd::DvdMenuAttributes menu{};
    plat::dvd::DvdTitleAttributes attributes{};
    if (engine_ == nullptr || !engine_->ReadTitleAttributes(title, &menu, &attributes)) {
        return;
    }
    SendStreamInformation(StreamsOf(attributes));
    engine_->RefreshStreams(nullptr, nullptr, nullptr);
}

void TCorePlayer::SetClockCounting(bool counting) {
    if (clock_ != nullptr) {
        clock_->SetCounting(counting);
    }
}

void TCorePlayer::SetClockTime(std::uint32_t ms) {
    if (clock_ != nullptr) {
        const std::lock_guard lock(SubtitleLock());
        clock_->SetPosition(
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

// The page model selects its page for the time and tells whether it changed.
bool TCorePlayer::PageChangesAt(std::int32_t time) {
    return subDisplay_.SetTime(time);
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
    if (engine_ == nullptr) {
        return UpdatePlayState(kPlayStateNoEngine, false);
    }
    return UpdatePlayState(engine_->GetPlayState(), engine_->IsInDvdMenu());
}

// The rectangle is the picture's in the last video layout; the play state is asked first for its
// effects on the clock, and without playback there is none.
bool TCorePlayer::VideoRectangle(TOrderVideoRectangle& rectangle) {
    const std::uint32_t state = PlayState();
    if (state == kPlayStateNoEngine || state == kPlayStateStopped) {
        return false;
    }
    const std::lock_guard lock(SubtitleLock());
    rectangle.left = layout_.pictureRect.left;
    rectangle.top = layout_.pictureRect.top;
    rectangle.right = layout_.pictureRect.right;
    rectangle.bottom = layout_.pictureRect.bottom;
    return true;
}

// The engine stops after the clock and releases its graph; without an engine the order fails.
bool TCorePlayer::Stop() {
    SetClockCounting(false);
    return engine_ != nullptr && engine_->StopPlayback(false);
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

// The engine with its three callbacks, which turn its reports into notifications.
void TCorePlayer::CreateEngine() {
    engine_ = std::make_unique<TGraphEngine>(this, engineSetup_);
    engine_->SetCallbacks({
        [this](std::uint32_t kind, std::uint32_t v1, std::uint32_t v2) { EngineError(kind, v1, v2); },
        [this](std::uint32_t kind, std::uint32_t v1, std::uint32_t v2) { EngineState(kind, v1, v2); },
        [this](std::uint32_t kind, std::uint32_t v1, std::uint32_t v2) { EngineEvent(kind, v1, v2); },
    });
}

std::optional<std::uint32_t> TCorePlayer::CurrentLocation() {
    std::uint32_t ms = 0;
    std::uint32_t flags = 0;
    std::uint32_t location = 0;
    if (engine_ == nullptr || !engine_->GetPosition(ms, flags, &location)) {
        return std::nullopt;
    }
    return location;
}

bool TCorePlayer::Play() {
    plat::win::OutputDebugString("::::StartPlay \n");
    const bool played = engine_ != nullptr && engine_->Play();
    Relayout();
    Reposition();
    plat::win::OutputDebugString("::::EndPlay \n");
    return played;
}

bool TCorePlayer::PauseToggle() {
    return engine_ != nullptr && engine_->TogglePause();
}

bool TCorePlayer::SetRate(double rate) {
    return engine_ != nullptr && engine_->SetPlaybackRate(rate);
}

bool TCorePlayer::StepFrames(std::int32_t count) {
    return engine_ != nullptr && engine_->StepFrames(count);
}

// The milliseconds become a time code of hours, minutes, seconds and no frames.
bool TCorePlayer::PlayAtTime(std::uint32_t milliseconds) {
    return engine_ != nullptr && engine_->SeekToTimeCode(TEngineTransport::PackTimeCode(milliseconds, false));
}

// A media file has one title: the time code applies to it.
bool TCorePlayer::PlayAtTimeInTitle(std::uint8_t title, std::uint32_t timeCode) {
    return engine_ != nullptr && engine_->SeekInTitle(title, timeCode);
}

bool TCorePlayer::ShowDvdMenu(std::uint8_t menu) {
    return engine_ != nullptr && engine_->OpenMenu(menu);
}

bool TCorePlayer::SelectDvdButton(std::uint8_t button) {
    return engine_ != nullptr && engine_->NavigateButton(button);
}

bool TCorePlayer::PlayTitleChapter(std::uint32_t title, std::uint32_t chapter) {
    return engine_ != nullptr && engine_->PlayTitleChapter(title, chapter);
}

bool TCorePlayer::NextChapter() {
    return engine_ != nullptr && engine_->PlayAdjacentChapter(1);
}

bool TCorePlayer::PreviousChapter() {
    return engine_ != nullptr && engine_->PlayAdjacentChapter(-1);
}

bool TCorePlayer::SelectAudioStream(std::uint32_t stream) {
    return engine_ != nullptr && engine_->SelectAudio(stream);
}

bool TCorePlayer::SelectSubpictureStream(std::uint32_t stream, std::uint8_t displayState) {
    return engine_ != nullptr && engine_->SelectSubpicture(stream, displayState);
}

bool TCorePlayer::SelectAngle(std::uint32_t angle) {
    return engine_ != nullptr && engine_->ChooseAngle(angle);
}

// The attribute areas take the navigator's structures byte for byte; the current streams are asked
// whether the title's attributes could be read or not.
bool TCorePlayer::ReadDiscInformation(TOrderDiscInformation& information) {
    static_assert(sizeof(information.menuAttributes) == sizeof(plat::dvd::DvdMenuAttributes));
    static_assert(sizeof(information.titleAttributes) == sizeof(plat::dvd::DvdTitleAttributes));
    if (engine_ == nullptr) {
        return false;
    }
    plat::dvd::DvdMenuAttributes menu{};
    plat::dvd::DvdTitleAttributes title{};
    const bool read = engine_->ReadTitleAttributes(information.title, &menu, &title);
    if (read) {
        std::memcpy(information.menuAttributes, &menu, sizeof(menu));
        std::memcpy(information.titleAttributes, &title, sizeof(title));
    }
    engine_->RefreshStreams(&information.audioStream, &information.subpictureStream, &information.angle);
    return read;
}

// The out record: an unset tag, the size word 12, the number of titles, then each title's chapters.
bool TCorePlayer::TitlesAndChapters(void** out) {
    if (out == nullptr || engine_ == nullptr) {
        return false;
    }
    const std::vector<std::uint32_t> chapters = engine_->GetChapterCounts();
    if (chapters.empty()) {
        return false;
    }
    const std::size_t bytes = 4 * chapters.size() + 16;
    auto* block = static_cast<std::byte*>(std::calloc(1, bytes));
    if (block == nullptr) {
        return false;
    }
    const std::uint32_t head[2] = {12, static_cast<std::uint32_t>(chapters.size())};
    std::memcpy(block + 4, head, sizeof(head));
    std::memcpy(block + 12, chapters.data(), 4 * chapters.size());
    *out = block;
    return true;
}

bool TCorePlayer::SeekRelative(std::int32_t milliseconds) {
    return engine_ != nullptr && engine_->SeekRelative(milliseconds);
}

std::int32_t TCorePlayer::Volume(bool set, std::int32_t volume) {
    if (engine_ == nullptr) {
        return 0;
    }
    if (set) {
        engine_->SetVolume(volume);
    }
    return engine_->GetVolume();
}

void TCorePlayer::SetGraphDescription(std::uint32_t kind, const char16_t* text) {
    if (engine_ != nullptr) {
        engine_->SetGraphText(kind, text);
    }
}

// A save that failed is answered as a failure.
bool TCorePlayer::SaveGraph(const char16_t* fileName) {
    return engine_ != nullptr && fileName != nullptr && engine_->SaveGraphToGrf(fileName) >= 0;
}

bool TCorePlayer::ShowFilterProperties(HWND ownerWindow, std::uint32_t filterNumber) {
    return engine_ != nullptr && engine_->ShowFilterProperties(ownerWindow, filterNumber);
}

bool TCorePlayer::SetGraphVariable(const std::u16string& name, const std::u16string& value) {
    return engine_ != nullptr && engine_->SetGraphVariable(name, value);
}

bool TCorePlayer::SetCaptureRing(std::uint32_t frames) {
    return engine_ != nullptr && engine_->StartFrameCapture(frames);
}

bool TCorePlayer::SaveDvdState(const std::u16string& storageFile, const std::u16string& name, bool flag) {
    if (engine_ == nullptr) {
        return false;
    }
    if (flag) {
        return engine_->SaveState(storageFile, name);
    }
    return TStateStorage::SaveIndexed(
        storageFile, name, [this](std::string& state, TStateIndexSlot& entry) {
            if (!engine_->CaptureState(state)) {
                return false;
            }
            // The entry tells where the state was saved; a position that cannot be read leaves it zero.
            std::uint32_t ms = 0;
            std::uint32_t flags = 0;
            std::uint32_t titleAndChapter = 0;
            if (engine_->GetPosition(ms, flags, &titleAndChapter)) {
                entry.title = static_cast<std::uint8_t>(titleAndChapter);
                entry.chapter = static_cast<std::uint8_t>(titleAndChapter >> 16);
                entry.time = ms;
            }
            return true;
        });
}

bool TCorePlayer::RestoreDvdState(const std::u16string& storageFile, const std::u16string& streamName) {
    return engine_ != nullptr && engine_->LoadState(storageFile, streamName);
}

bool TCorePlayer::DeleteDvdState(const std::u16string& storageFile, const std::u16string& streamName) {
    return TStateStorage::DeleteState(storageFile, streamName);
}

bool TCorePlayer::CurrentPicture(void** out) {
    std::vector<std::uint8_t> image;
    if (out == nullptr || engine_ == nullptr || !engine_->GetCurrentPicture(&image)) {
        return false;
    }
    void* block = std::malloc(image.size());
    if (block == nullptr) {
        return false;
    }
    std::memcpy(block, image.data(), image.size());
    *out = block;
    return true;
}

// The out record: an unset tag, the size word 12, then the name with its terminator.
bool TCorePlayer::MediaName(void** out) {
    std::u16string name;
    if (out == nullptr || engine_ == nullptr || !engine_->GetMediaName(name)) {
        return false;
    }
    const std::size_t bytes = 2 * name.size() + 14;
    auto* block = static_cast<std::byte*>(std::calloc(1, bytes));
    if (block == nullptr) {
        return false;
    }
    const std::uint32_t sizeWord = 12;
    std::memcpy(block + 4, &sizeWord, sizeof(sizeWord));
    std::memcpy(block + 8, name.data(), 2 * name.size());
    *out = block;
    return true;
}

// Hands a text block of the engine's to the caller.
static bool HandOver(char16_t* text, void** out) {
    if (out == nullptr || text == nullptr) {
        std::free(text);
        return false;
    }
    *out = text;
    return true;
}

bool TCorePlayer::FilterList(void** out) {
    return engine_ != nullptr && HandOver(engine_->FilterListText(), out);
}

bool TCorePlayer::MediaContent(void** out) {
    return engine_ != nullptr && HandOver(engine_->MediaContentText(), out);
}

bool TCorePlayer::GraphLog(void** out) {
    return engine_ != nullptr && HandOver(engine_->GraphLogText(), out);
}

std::int32_t TCorePlayer::ClockTime() {
    return engine_ != nullptr && clock_ != nullptr ? clock_->GetTime() : -1;
}

bool TCorePlayer::ReadCapturedFrame(TOrderCapturedFrame& frame) {
    TCapturedFrame captured;
    if (engine_ == nullptr || engine_->GetCapturedFrame(frame.frameNumber, &captured) != TCaptureStatus::Ok) {
        return false;
    }
    frame.pixels = captured.pixels;
    frame.byteSize = captured.byteSize;
    frame.frameNumberOut = captured.number;
    frame.timeStamp = captured.timeMs;
    frame.height = static_cast<std::uint32_t>(captured.format.height);
    frame.width = static_cast<std::uint32_t>(captured.format.width);
    frame.bitsPerPixel = static_cast<std::uint32_t>(captured.format.bitsPerPixel);
    return true;
}

TCorePlayer::LRESULT TCorePlayer::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == win::WM_TIMER && wParam == kMessageTimer) {
        OnMessageTimer();
        return 0;
    }
    if (msg == win::WM_TIMER && wParam == kLayoutTimer) {
        OnLayoutTimer();
        return 0;
    }
    if (msg == kPresentPicture) {
        PresentPicture();
        return 0;
    }
    return TCoreWindow::WindowProc(hwnd, msg, wParam, lParam);
}

// The engine window takes the subtitle screen's size; the pages are laid out again once the changes
// have settled for kLayoutDelayMs, and until then no page is drawn.
void TCorePlayer::Relayout() {
    if (closing_ || engine_ == nullptr || screen_ == nullptr) {
        return;
    }
    RECT client{};
    win::GetClientRect(screen_->Handle(), &client);
    engine_->Resize(client.right, client.bottom);
    ApplyLayout();
    win::SetTimer(Handle(), kLayoutTimer, kLayoutDelayMs);
    const std::lock_guard lock(SubtitleLock());
    layoutPending_ = true;
}

// The layout gives the pages their area and the engine the place of the picture. A layout that cannot
// be computed leaves the pages the subtitle screen's client area.
void TCorePlayer::ApplyLayout() {
    TEnginePlacement& placement = engine_->Placement();
    {
        const std::lock_guard lock(SubtitleLock());
        TVideoLayout::TInput input;
        input.sizesKnown = placement.GetVideoSizes(input.sizes);
        input.screen = screenSize_();
        input.overlayUsed = overlayUsed_;
        input.windowless = windowless_;
        textArea_ = TSubScreenControler();
        if (layout_.Compute(input, layoutSettings_)) {
            if (windowless_) {
                layout_.subtitle = {0, 0, layout_.subtitle.right - layout_.subtitle.left,
                                    layout_.subtitle.bottom - layout_.subtitle.top};
                layout_.clipped = layout_.subtitle;
            }
            SetMappingArea(textArea_, layout_.subtitle, layout_.display);
            placement.SetAspectMode(layoutSettings_.Mode());
            const RECT& place = !overlayUsed_ && !windowless_ ? layout_.pictureRect : layout_.outer;
            placement.SetVideoRect(place.left, place.top, place.right - place.left, place.bottom - place.top);
        } else {
            RECT client{};
            win::GetClientRect(screen_->Handle(), &client);
            SetMappingArea(textArea_, client, client);
            placement.SetAspectMode(layoutSettings_.Mode());
            UpdateSubScreen(false);
        }
    }
    placement.Repaint();
}

void TCorePlayer::Reposition() {
    const std::lock_guard lock(SubtitleLock());
    if (engine_ == nullptr || screen_ == nullptr) {
        return;
    }
    win::POINT origin{0, 0};
    win::ClientToScreen(screen_->Handle(), &origin);
    engine_->Move(origin.x, origin.y);
}

void TCorePlayer::OnLayoutTimer() {
    win::KillTimer(Handle(), kLayoutTimer);
    {
        const std::lock_guard lock(SubtitleLock());
        subDisplay_.RenderAll(&textArea_, false);
        layoutPending_ = false;
    }
    UpdateSubScreen(false);
}

void TCorePlayer::OnMessageTimer() {
    const std::lock_guard lock(SubtitleLock());
    ArmMessageTimer(osd_.Expire());
    UpdateSubScreen(false);
}

void TCorePlayer::ArmMessageTimer(std::int32_t ms) {
    win::KillTimer(Handle(), kMessageTimer);
    if (ms >= 0) {
        win::SetTimer(Handle(), kMessageTimer, static_cast<UINT>(ms));
    }
}

// What the subtitle screen reports: a repaint, a move, a new size, and the mouse over a DVD menu.
void TCorePlayer::OnScreenEvent(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case win::WM_PAINT:
        UpdateSubScreen(false);
        break;
    case win::WM_MOVE:
        Reposition();
        break;
    case win::WM_SIZE:
        Relayout();
        break;
    case win::WM_MOUSEMOVE:
    case win::WM_LBUTTONDOWN:
        if (engine_ != nullptr) {
            win::PostMessage(engine_->Handle(), msg, wParam, lParam);
        }
        break;
    default:
        break;
    }
}

// Held under the subtitle lock from the picture's opening to its hand-over; the engine itself is
// reached on the host thread only.
bool TCorePlayer::UpdateSubScreen(bool clear) {
    const std::lock_guard lock(SubtitleLock());
    if (closing_ || engine_ == nullptr || screen_ == nullptr) {
        return false;
    }
    TSubtitleWindow::TraceEnter("PT::UpdateSubScreen");
    RECT drawn{};
    QImage* picture = screen_->BeginPicture(drawn);
    if (picture == nullptr) {
        return false;
    }
    QRect painted;
    {
        plat::gdi::ImageDc dc(*picture);
        if (layoutSettings_.BlankingInUse()) {
            DrawBlanking(dc, windowless_ ? layout_.clipped : drawn);
        }
        if (!clear && !layoutPending_ && !engine_->IsInDvdMenu() && subtitlesOn_ &&
            subDisplay_.HasCurrentBlock()) {
            dc.SetBkMode(plat::gdi::BkMode::Transparent);
            dc.SetTextAlign(plat::gdi::TextAlign::Bottom);
            subDisplay_.Paint(&dc, false, nullptr);
        }
        if (!messagesFrozen_) {
            osd_.Draw(dc, layout_.clipped);
        }
        const plat::gdi::Rect bounds = dc.PaintedBounds();
        painted = QRect(bounds.left, bounds.top, bounds.Width(), bounds.Height());
    }
    QImage finished = screen_->EndPicture(painted);
    if (windowless_) {
        GiveToEngine(std::move(finished), layout_.clipped, painted);
    }
    TSubtitleWindow::TraceLeave("PT::UpdateSubScreen");
    return true;
}

// The four bars between the outer rectangle and the layout's blanking frame: left and right over the
// whole height, top and bottom between them.
void TCorePlayer::DrawBlanking(plat::gdi::Dc& dc, const RECT& outer) const {
    const RECT& frame = layout_.blankingFrame;
    const plat::gdi::ColourRef colour = layoutSettings_.blankingColour;
    dc.FillRect({outer.left, outer.top, frame.left, outer.bottom}, colour);
    dc.FillRect({frame.right, outer.top, outer.right, outer.bottom}, colour);
    dc.FillRect({frame.left, outer.top, frame.right, frame.top}, colour);
    dc.FillRect({frame.left, frame.bottom, frame.right, outer.bottom}, colour);
}

bool TCorePlayer::OnHostThread() const {
    return std::this_thread::get_id() == win::GetWindowThread(Handle());
}

// Callers hold the subtitle lock. A newer picture replaces one still waiting.
void TCorePlayer::GiveToEngine(QImage picture, const RECT& source, const QRect& painted) {
    if (OnHostThread()) {
        waiting_.reset();
        engine_->Placement().MixOverlayBitmap(picture, source, painted);
        return;
    }
    const bool post = !waiting_;
    waiting_ = TWaitingPicture{std::move(picture), source, painted};
    if (post) {
        win::PostMessage(Handle(), kPresentPicture, 0, 0);
    }
}

void TCorePlayer::PresentPicture() {
    const std::lock_guard lock(SubtitleLock());
    if (closing_ || engine_ == nullptr || !waiting_) {
        return;
    }
    const TWaitingPicture waiting = std::move(*waiting_);
    waiting_.reset();
    engine_->Placement().MixOverlayBitmap(waiting.picture, waiting.source, waiting.painted);
}

bool TCorePlayer::ShowCursor(bool visible) {
    if (screen_ != nullptr) {
        screen_->ShowCursor(visible);
    }
    return engine_ != nullptr && engine_->Placement().ShowVideoCursor(visible);
}

void TCorePlayer::RefreshPosition() {
    if (screen_ != nullptr) {
        screen_->RefreshPosition();
    }
}

bool TCorePlayer::ShowVideo() {
    if (engine_ == nullptr || screen_ == nullptr) {
        return false;
    }
    engine_->Show();
    screen_->ShowOnVideo(true);
    Relayout();
    return true;
}

bool TCorePlayer::HideVideo() {
    if (engine_ == nullptr || screen_ == nullptr) {
        return false;
    }
    engine_->Hide();
    screen_->ShowOnVideo(false);
    return true;
}

// The full-screen window holds the subtitle screen in full screen; the video panel in windowed mode,
// and it gets the mouse input.
void TCorePlayer::SetParentWindows(HWND videoPanel, HWND fullScreenWindow) {
    if (screen_ != nullptr) {
        screen_->SetVideoWindow(fullScreenWindow);
        screen_->SetOwnerWindow(videoPanel);
    }
    HandSurfaceTo(videoPanel);
}

// The video panel paints the engine's video surface: a new panel gets it, the one before lets go of it.
void TCorePlayer::HandSurfaceTo(HWND videoPanel) {
    if (videoPanel == surfacePanel_) {
        return;
    }
    if (surfacePanel_ != 0 && plat::win::IsWindow(surfacePanel_)) {
        plat::win::SendMessage(surfacePanel_, kMsgCoreVideoSurface, 0, 0);
    }
    surfacePanel_ = videoPanel;
    if (surfacePanel_ != 0 && engineSetup_.videoSurface != nullptr) {
        plat::win::SendMessage(surfacePanel_, kMsgCoreVideoSurface, 0,
                               reinterpret_cast<LPARAM>(&engineSetup_.videoSurface));
    }
}

bool TCorePlayer::SetColourKey(std::uint32_t colour) {
    if (screen_ == nullptr) {
        return false;
    }
    const bool applied = engine_ != nullptr && engine_->Placement().ApplyColorKey(colour, false);
    screen_->SetColorKey(colour);
    return applied;
}

std::uint32_t TCorePlayer::DisplayMode() {
    return screen_ != nullptr ? screen_->SetScreenMode(TSubtitleWindow::kAskMode) : 0;
}

void TCorePlayer::SetDisplayMode(std::uint32_t mode) {
    if (screen_ != nullptr) {
        screen_->SetScreenMode(mode);
    }
}

// The border around the picture takes the blanking colour while blanking is in use, else black.
bool TCorePlayer::SetVideoLayout(const TOrderVideoLayout& layout) {
    {
        const std::lock_guard lock(SubtitleLock());
        layoutSettings_ = TVideoLayoutSettings::FromOrder(layout);
    }
    if (engine_ != nullptr) {
        engine_->Placement().ApplyBorderColor(layoutSettings_.BlankingInUse() ? layoutSettings_.blankingColour
                                                                              : 0);
    }
    Relayout();
    return true;
}

bool TCorePlayer::AddOsdItem(std::uint8_t type, std::int32_t duration, std::int32_t layer, const void* data,
                             std::uint32_t dataBytes) {
    const std::lock_guard lock(SubtitleLock());
    const bool accepted =
        (data != nullptr || dataBytes == 0) &&
        osd_.AddItem(std::span(static_cast<const std::byte*>(data), dataBytes), type, duration, layer);
    ArmMessageTimer(osd_.Expire());
    return accepted;
}

bool TCorePlayer::ClearOsdItems() {
    const std::lock_guard lock(SubtitleLock());
    osd_.Clear();
    return true;
}

bool TCorePlayer::SetOsdStyle(std::span<const std::uint8_t, kStyleRecordBytes> style,
                              std::uint32_t defaultDuration, bool enabled) {
    TSubtitleStyleRecord record;
    std::memcpy(&record, style.data(), sizeof(record));
    const std::lock_guard lock(SubtitleLock());
    osd_.SetStyle(record, defaultDuration, enabled);
    return true;
}

// A variable without a name is not kept; the order succeeds all the same.
bool TCorePlayer::SetOsdVariable(const char16_t* name, const char16_t* value) {
    const std::lock_guard lock(SubtitleLock());
    osd_.SetVariable(name, value);
    return true;
}

bool TCorePlayer::ClearOsdVariables() {
    const std::lock_guard lock(SubtitleLock());
    osd_.ClearVariables();
    return true;
}
