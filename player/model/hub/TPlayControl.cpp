#include "player/model/hub/TPlayControl.h"

#include "core/include/VokradNotifications.h"
#include "foundation/FileIo.h"
#include "foundation/XmlText.h"
#include "platform/text/CaseFold.h"
#include "platform/text/CodePage.h"
#include "platform/win/Debug.h"
#include "platform/win/Timer.h"
#include "player/model/binding/PlayerGlobals.h"
#include "player/model/events/PlayerEvents.h"
#include "player/model/hub/TDiscPaths.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <span>
#include <string_view>

namespace win = plat::win;
namespace text = plat::text;

namespace {

// Where order 300 puts the stream tables in its record.
constexpr size_t kAudioCountOffset = 216;
constexpr size_t kAudioTracksOffset = 220;
constexpr size_t kSubsCountOffset = 2848;
constexpr size_t kSubsTracksOffset = 2852;
// The most streams a DVD title has, and so the record holds.
constexpr uint32_t kMaxAudioTracks = 8;
constexpr uint32_t kMaxSubsTracks = 32;
static_assert(kAudioTracksOffset + kMaxAudioTracks * IAudioInfo::kTrackBytes <= kSubsCountOffset);
static_assert(kSubsTracksOffset + kMaxSubsTracks * ISubsInfo::kTrackBytes <=
              offsetof(TOrderDiscInformation, audioStream));
static_assert(offsetof(TOrderDiscInformation, audioStream) == 3368 &&
              offsetof(TOrderDiscInformation, subpictureStream) == 3372 &&
              offsetof(TOrderDiscInformation, angle) == 3376);

// The core's block of order 302 holds the media name from this byte on.
constexpr size_t kMediaNameOffset = 8;
// Order 303's block: the title count, then one chapter count per title.
constexpr size_t kTitleCountOffset = 8;
constexpr size_t kChapterCountsOffset = 12;
// Longest language name shown.
constexpr size_t kMaxLanguageNameUnits = 100;
// Subpicture stream words: the index in the low half; above it, the stream is shown.
constexpr uint32_t kStreamIndexMask = 0xFFFF;
// Graph description kinds of order 200.
constexpr uint32_t kGraphUnknown = 0;
constexpr uint32_t kGraphXgr = 1;
constexpr uint32_t kGraphFile = 2;
constexpr uint32_t kGraphLegacyScript = 3;

static_assert(sizeof(TOrderCapturedFrame) - offsetof(TOrderCapturedFrame, unused) ==
              TPlayControl::kFrameInfoBytes);

const THubEnvironment& DefaultEnvironment() {
    static const THubEnvironment environment;
    return environment;
}

// A 32-bit value of the core as a listener argument (sign-extended, as the 32-bit callback had it).
intptr_t Arg(uint32_t value) {
    return static_cast<int32_t>(value);
}

uint32_t WordAt(const void* block, size_t offset) {
    uint32_t word;
    std::memcpy(&word, static_cast<const uint8_t*>(block) + offset, sizeof(word));
    return word;
}

// The message level of a core severity: 0, 1, 2 and anything else give 4, 5, 1 and 2.
int8_t LevelOfSeverity(uint8_t severity) {
    switch (severity) {
    case kSeverityFatal:
        return 4;
    case kSeverityError:
        return 5;
    case kSeverityWarning:
        return 1;
    default:
        return 2;
    }
}

uint32_t GraphKindOfExtension(std::u16string_view extension) {
    struct TKind {
        std::u16string_view extension;
        uint32_t kind;
    };
    static constexpr TKind kKinds[] = {
        {u".dvdgraph", kGraphLegacyScript},
        {u".mediagraph", kGraphLegacyScript},
        {u".xgr", kGraphXgr},
        {u".exgr", kGraphXgr},
        {u".defexgr", kGraphXgr},
        {u".grf", kGraphFile},
    };
    for (const TKind& row : kKinds) {
        if (text::EqualsNoCase(extension, row.extension)) {
            return row.kind;
        }
    }
    return kGraphUnknown;
}

// Copies text into a fixed field, cut so that its terminator fits (the field is zero already).
void CopyToField(std::span<char16_t> field, const char16_t* value) {
    const std::u16string_view text = value != nullptr ? value : u"";
    const size_t units = std::min(text.size(), field.size() - 1);
    std::copy_n(text.data(), units, field.data());
}

// The record of the kind when the block is exactly one such record: delivered size, header word and
// length field must all agree, so a short, long or forged block is never read.
template <class Record> std::optional<Record> ReadRecord(const win::COPYDATASTRUCT& data) {
    if (data.cbData != sizeof(Record)) {
        return std::nullopt;
    }
    Record record;
    std::memcpy(&record, data.lpData, sizeof(Record));
    if (record.head.length != sizeof(Record) - kCoreMessageHeaderSize) {
        return std::nullopt;
    }
    return record;
}

void Trace(const std::string& line) {
    win::OutputDebugString(line);
}

// Asks the core for a block, gives it to `use` when the order succeeded and returns it to the core.
template <class Use> void FetchBlock(TPlayerObjects& objects, uint32_t order, Use use) {
    void* block = nullptr;
    if (objects.SendOrder(order, nullptr, &block) == 0 && block != nullptr) {
        use(static_cast<const uint8_t*>(block));
    }
    if (block != nullptr) {
        objects.FreeData(&block);
    }
}

} // namespace

TPlayControl::TPlayControl(IPlayerControllerFactory* factory)
    : TPlayerObjects(nullptr), factory_(factory), environment_(&DefaultEnvironment()),
      dvdInfo_(factory != nullptr ? factory->CreateDVDInfo() : nullptr),
      window_(
          std::make_unique<TCallbackWindow>(kClassName, u"::PCL::CONS::", static_cast<THandler&>(*this))) {}

TPlayControl::~TPlayControl() {
    DestroyPlayer();
    window_.reset();
}

int32_t TPlayControl::CreatePlayer() {
    if (factory_ != nullptr) {
        controllers_.Create(*factory_, *this);
    }
    return CreateInstance(Window());
}

void TPlayControl::DestroyPlayer() {
    controllers_.Destroy();
    FreeInstance();
}

int32_t TPlayControl::AddListener(void* userData, uint32_t tag, TPlayerEventCallback callback) {
    return TCallbackFunction::Register(&listeners_, userData, tag, callback);
}

void TPlayControl::Notify(uint32_t event, intptr_t a, intptr_t b, intptr_t c) {
    TCallbackFunction::Broadcast(&listeners_, event, a, b, c);
}

void TPlayControl::SetEnvironment(const THubEnvironment* environment) {
    environment_ = environment != nullptr ? environment : &DefaultEnvironment();
}

bool TPlayControl::CheckInstance() const {
    if (HasInstance()) {
        return true;
    }
    ReportError(0, u"::PC::INST:: No Player2 Object Instance Created");
    return false;
}

bool TPlayControl::ShowCommand(const char16_t* name) {
    return controllers_.OSD && controllers_.OSD->ShowCommand(name);
}

void TPlayControl::SetOsdVariable(const char16_t* name, const char16_t* value) {
    if (controllers_.OSD) {
        controllers_.OSD->SetVariable(name, value);
    }
}

// --- Playback operations -------------------------------------------------------------------------

int32_t TPlayControl::Play() {
    if (!CheckInstance()) {
        return -1;
    }
    if (GetPlayState() == kPlayStatePaused) {
        return Pause();
    }
    if (SendOrder(kOrderPlay, nullptr, nullptr) != 0) {
        ReportError(0, u"::PCL::PLAY:: Unable to start playback");
        return -1;
    }
    scanSpeeds_.ResetIndex();
    if (controllers_.Video) {
        controllers_.Video->Refresh(false);
    }
    ShowCommand(u"Osd_Play");
    return 0;
}

int32_t TPlayControl::Pause() {
    if (!CheckInstance()) {
        return -1;
    }
    if (SendOrder(kOrderPauseToggle, nullptr, nullptr) != 0) {
        return -1;
    }
    const uint32_t state = GetPlayState();
    if (state == kPlayStatePaused) {
        ShowCommand(u"Osd_Pause");
    } else if (state == kPlayStatePlaying) {
        ShowCommand(u"Osd_Play");
    }
    return 0;
}

int32_t TPlayControl::Stop() {
    if (!CheckInstance()) {
        return -1;
    }
    TPlayerControllers& c = controllers_;
    if (c.ProfileSubtitles) {
        c.ProfileSubtitles->SelectVolumeForDisc(0, 0, true);
    }
    if (c.Audio) {
        c.Audio->Clear(false);
    }
    if (c.Subs) {
        c.Subs->Clear(false);
    }
    if (c.Bookmarks) {
        c.Bookmarks->Clear(false);
        c.Bookmarks->SetStorageFile(nullptr);
    }
    if (c.Angles) {
        c.Angles->Clear(false);
    }
    if (c.Titles) {
        c.Titles->Clear();
    }
    if (c.Filters) {
        c.Filters->Clear(false);
    }
    info_.Reset();
    if (c.UserOperations) {
        c.UserOperations->Set(-1);
    }
    Notify(kEventUserOperations, -1, 0, 0);
    resumePending_ = false;
    if (SendOrder(kOrderStop, nullptr, nullptr) != 0) {
        return -1;
    }
    ShowCommand(u"Osd_Stop");
    return 0;
}

int32_t TPlayControl::NextChapter() {
    if (!controllers_.Titles) {
        return -1;
    }
    const int32_t result = controllers_.Titles->NextChapter();
    ShowCommand(u"Osd_NextChapter");
    return result;
}

int32_t TPlayControl::PrevChapter() {
    if (!controllers_.Titles) {
        return -1;
    }
    const int32_t result = controllers_.Titles->PrevChapter();
    if (result == 0) {
        ShowCommand(u"Osd_PrevChapter");
    }
    return result;
}

int32_t TPlayControl::ScanSpeed(int32_t step, double* rate) {
    if (!CheckInstance()) {
        return -1;
    }
    const std::optional<double> signedRate = scanSpeeds_.Step(step);
    if (!signedRate) {
        return -1;
    }
    const double absolute = std::fabs(*signedRate);
    if (rate != nullptr) {
        *rate = absolute;
    }
    SetOsdVariable(u"ScanSpeed", text::Format(u"%2.1f", absolute).c_str());
    ShowCommand(*signedRate >= 0 ? u"Osd_FF" : u"Osd_FB");
    TOrderRate record{};
    record.rateX1000 = static_cast<int32_t>(std::lround(*signedRate * 1000));
    return SendRecord(kOrderRate, record);
}

int32_t TPlayControl::Step(int32_t frames) {
    ShowCommand(u"Osd_Step");
    TOrderFrameStep record{};
    record.count = frames;
    return SendRecord(kOrderFrameStep, record);
}

int32_t TPlayControl::SeekTo(uint32_t milliseconds) {
    TOrderPlayAtTime record{};
    record.milliseconds = milliseconds;
    return SendRecord(kOrderPlayAtTime, record);
}

int32_t TPlayControl::Jump(int32_t milliseconds) {
    TOrderRelativeSeek record{};
    record.milliseconds = milliseconds;
    return SendRecord(kOrderRelativeSeek, record);
}

int32_t TPlayControl::ShowMenu(uint8_t menu) {
    TOrderDvdMenu record{};
    record.menu = menu;
    return SendRecord(kOrderDvdMenu, record);
}

int32_t TPlayControl::MenuButton(uint8_t button) {
    if (!CheckInstance()) {
        return -1;
    }
    TOrderDvdButton record{};
    record.button = button;
    return SendRecord(kOrderDvdButton, record);
}

uint32_t TPlayControl::GetPlayState() {
    TOrderPlayState record{};
    return SendRecord(kOrderPlayState, record) == 0 ? record.state : 0;
}

int32_t TPlayControl::GetTimeCode() {
    const int32_t time = SendOrder(kOrderClockTime, nullptr, nullptr);
    return time == -1 ? 0 : time;
}

int32_t TPlayControl::SaveGraph(const char16_t* path) {
    if (path == nullptr || *path == 0) {
        return -1;
    }
    TOrderSaveGraph record{};
    record.fileName = path;
    return SendRecord(kOrderSaveGraph, record);
}

int32_t TPlayControl::LoadGraphScript(const char16_t* path) {
    if (path == nullptr || *path == 0) {
        return -1;
    }
    const std::u16string_view pathView(path);
    const size_t dot = pathView.rfind(u'.');
    if (dot == std::u16string_view::npos) {
        return 0;
    }
    TOrderGraphDescription record{};
    record.kind = GraphKindOfExtension(pathView.substr(dot));
    std::optional<std::u16string> graphText;
    if (record.kind == kGraphFile) {
        record.text = path;
    } else {
        graphText = ReadGraphText(path);
        if (!graphText) {
            ReportError(0, u"::PC::LXGR:: Unable to load the DS Graph Script file (%hs)",
                        text::WideToAnsi(pathView));
            return -1;
        }
        SetOsdVariable(u"XGRScript", path);
        record.text = graphText->c_str();
    }
    return SendRecord(kOrderGraphDescription, record);
}

std::optional<std::u16string> TPlayControl::ReadGraphText(const char16_t* path) const {
    // A UTF-16 file (byte-order mark FF FE) is read as UTF-16, any other as 8-bit text.
    std::u16string graphText;
    if (!ReadTextFileW(path, graphText)) {
        return std::nullopt;
    }
    return graphText;
}

int32_t TPlayControl::SetGraphVariable(const char16_t* name, const char16_t* value) {
    TOrderGraphVariable record{};
    CopyToField(record.name, name);
    CopyToField(record.value, value);
    return SendRecord(kOrderGraphVariable, record);
}

int32_t TPlayControl::SetLogFile(const char* path) {
    // The core only reads the name; the order protocol passes every request as writable.
    return SendOrder(kOrderLogFile, const_cast<char*>(path), nullptr);
}

int32_t TPlayControl::SetProfileTitle(int32_t title) {
    TOrderProfileTitle record{};
    record.title = title;
    return SendRecord(kOrderProfileTitle, record);
}

int32_t TPlayControl::SetSubtitleOffset(int32_t milliseconds) {
    SetOsdVariable(u"SubOffset", text::Format(u"%2.2f [s]", milliseconds / 1000.0).c_str());
    ShowCommand(u"Osd_SubOffset");
    return controllers_.ProfileSubtitles ? controllers_.ProfileSubtitles->SetSubtitleOffset(milliseconds)
                                         : -1;
}

int32_t TPlayControl::SetStyleOverride(int32_t shadowDepth, int32_t outlineStyle, int32_t outlineWidth) {
    TOrderStyleOverride record{};
    record.shadowDepth = shadowDepth;
    record.outlineStyle = outlineStyle;
    record.outlineWidth = outlineWidth;
    return SendRecord(kOrderStyleOverride, record);
}

bool TPlayControl::GetCurrentImage(void** image) {
    return image != nullptr && SendOrder(kOrderCurrentPicture, nullptr, image) == 0;
}

int32_t TPlayControl::RefreshStreams(int32_t title) {
    TOrderDiscInformation record{};
    record.title = static_cast<uint32_t>(title);
    if (SendRecord(kOrderDiscInformation, record) != 0) {
        return -1;
    }
    StoreDiscInformationStreams(record);
    return 0;
}

void TPlayControl::StoreDiscInformationStreams(const TOrderDiscInformation& information) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(&information);
    if (IAudioInfo* audio = controllers_.Audio.get()) {
        audio->Clear(true);
        const uint32_t count = std::min(WordAt(bytes, kAudioCountOffset), kMaxAudioTracks);
        for (uint32_t i = 0; i < count; ++i) {
            audio->AddTrack(std::span<const uint8_t, IAudioInfo::kTrackBytes>(
                bytes + kAudioTracksOffset + i * IAudioInfo::kTrackBytes, IAudioInfo::kTrackBytes));
        }
        audio->SetCurrent(static_cast<int32_t>(information.audioStream));
        audio->NotifyAll();
    }
    if (ISubsInfo* subs = controllers_.Subs.get()) {
        subs->Clear(true);
        const uint32_t count = std::min(WordAt(bytes, kSubsCountOffset), kMaxSubsTracks);
        for (uint32_t i = 0; i < count; ++i) {
            subs->AddTrack(std::span<const uint8_t, ISubsInfo::kTrackBytes>(
                bytes + kSubsTracksOffset + i * ISubsInfo::kTrackBytes, ISubsInfo::kTrackBytes));
        }
        subs->SetCurrent(static_cast<int32_t>(information.subpictureStream & kStreamIndexMask),
                         information.subpictureStream > kStreamIndexMask);
        subs->NotifyAll();
    }
    if (controllers_.Angles) {
        controllers_.Angles->SetCurrent(static_cast<int32_t>(information.angle) - 1);
    }
}

int32_t TPlayControl::RefreshTitles() {
    IMyTitles* titles = controllers_.Titles.get();
    if (titles == nullptr) {
        return -1;
    }
    void* block = nullptr;
    if (SendOrder(kOrderTitlesChapters, nullptr, &block) != 0 || block == nullptr) {
        return -1;
    }
    const auto count = static_cast<int32_t>(WordAt(block, kTitleCountOffset));
    titles->SetTitleCount(count);
    for (int32_t i = 0; i < count; ++i) {
        const auto chapters = static_cast<int32_t>(WordAt(block, kChapterCountsOffset + 4 * size_t(i)));
        titles->SetChapterCount(i + 1, chapters);
    }
    FreeData(&block);
    return 0;
}

// --- State and settings --------------------------------------------------------------------------

namespace {

std::optional<std::u16string> CopyOrNone(const char16_t* textValue) {
    return textValue != nullptr && *textValue != 0 ? std::optional<std::u16string>(textValue) : std::nullopt;
}

} // namespace

void TPlayControl::SetFileName(const char16_t* name) {
    fileName_ = CopyOrNone(name);
    if (fileName_) {
        SetOsdVariable(u"Filename", fileName_->c_str());
    }
}

void TPlayControl::SetBookmarksFolder(const char16_t* folder) {
    bookmarksFolder_ = CopyOrNone(folder);
}

void TPlayControl::SetDiscFolder(const char16_t* folder) {
    discFolder_ = CopyOrNone(folder);
}

bool TPlayControl::GetDiscFolder(TMemoryObject* buffer) const {
    if (!discFolder_ || buffer == nullptr) {
        return false;
    }
    buffer->SetUsed(0);
    buffer->AppendString(discFolder_->c_str());
    buffer->AppendNul();
    return true;
}

bool TPlayControl::GetFileName(char16_t* buffer, int32_t* length) const {
    if (!fileName_) {
        return false;
    }
    const auto size = static_cast<int32_t>(fileName_->size());
    if (buffer == nullptr) {
        if (length != nullptr) {
            *length = size;
        }
        return true;
    }
    if (length == nullptr) {
        return false;
    }
    const int32_t copied = std::clamp(*length, 0, size);
    std::copy_n(fileName_->data(), copied, buffer);
    if (copied < *length) {
        buffer[copied] = 0;
    }
    return true;
}

bool TPlayControl::GetFileName(std::u16string* copy) const {
    if (!fileName_ || copy == nullptr) {
        return false;
    }
    *copy = *fileName_;
    return true;
}

void TPlayControl::GetPosition(int32_t* title, int32_t* chapter, int32_t* timeMs, int32_t* durationMs) const {
    for (auto [out, value] : {std::pair{title, info_.Title}, std::pair{chapter, info_.Chapter},
                              std::pair{timeMs, info_.TimeMs}, std::pair{durationMs, info_.DurationMs}}) {
        if (out != nullptr) {
            *out = value;
        }
    }
}

bool TPlayControl::GetDiscId(uint32_t* idHigh, uint32_t* idLow) const {
    if (!info_.DiscOpen) {
        return false;
    }
    if (idHigh != nullptr) {
        *idHigh = info_.DiscIdHigh;
    }
    if (idLow != nullptr) {
        *idLow = info_.DiscIdLow;
    }
    return true;
}

bool TPlayControl::UsesDrive(char letter) const {
    const auto upper = static_cast<uint8_t>(letter >= 'a' && letter <= 'z' ? letter - 'a' + 'A' : letter);
    return upper != 0 && upper == info_.DriveLetter;
}

int32_t TPlayControl::GetGraphText(TMemoryObject* buffer) const {
    if (buffer == nullptr) {
        return -1;
    }
    buffer->Assign(graphText_);
    return 0;
}

void TPlayControl::SetScanSpeedCount(int32_t count) {
    scanSpeeds_.SetCount(count);
}

void TPlayControl::SetScanSpeed(int32_t index, double rate) {
    scanSpeeds_.Set(index, rate);
}

void TPlayControl::SetAutoBookmarkDelay(uint32_t milliseconds) {
    autoBookmarkDelay_ = milliseconds == 0 ? 1 : milliseconds;
}

int32_t TPlayControl::SuspendForModeSwitch() {
    const int32_t saved = controllers_.Bookmarks ? controllers_.Bookmarks->SaveResumePoint() : -1;
    Stop();
    resumePending_ = saved == 0;
    return saved;
}

int32_t TPlayControl::ResumeAfterModeSwitch(bool force) {
    return resumePending_ || force ? Play() : -1;
}

void TPlayControl::SetCaptureFrames(uint32_t frames) {
    captureFrames_ = frames;
}

int32_t TPlayControl::PlayAtTimeInTitle(int32_t title, int32_t chapter, uint32_t timeCode) {
    if (title > 100) {
        chapter = title % 255;
        title /= 255;
    }
    TOrderPlayAtTimeInTitle record{};
    record.title = static_cast<uint8_t>(title > 0 ? title : info_.Title);
    // The chapter byte follows the title; the core reads only the title.
    record.unused = static_cast<uint8_t>(chapter > 0 ? chapter : info_.Chapter);
    record.timeCode = timeCode;
    return SendRecord(kOrderPlayAtTimeInTitle, record);
}

int32_t TPlayControl::GetCapturedFrame(uint32_t frameNumber, const void** address, uint32_t* size,
                                       std::array<uint8_t, kFrameInfoBytes>* info) {
    TOrderCapturedFrame record{};
    record.frameNumber = frameNumber;
    if (SendRecord(kOrderCapturedFrame, record) != 0) {
        return -1;
    }
    if (address != nullptr) {
        *address = record.pixels;
    }
    if (size != nullptr) {
        *size = record.byteSize;
    }
    if (info != nullptr) {
        std::memcpy(info->data(),
                    reinterpret_cast<const uint8_t*>(&record) + offsetof(TOrderCapturedFrame, unused),
                    kFrameInfoBytes);
    }
    return 0;
}

// --- What the core reports -----------------------------------------------------------------------

win::LRESULT TPlayControl::HandleMessage(win::HWND hwnd, win::UINT msg, win::WPARAM wParam,
                                         win::LPARAM lParam) {
    // The core's values are 32-bit words.
    const auto first = static_cast<uint32_t>(wParam);
    const auto second = static_cast<uint32_t>(lParam);
    switch (msg) {
    case kMsgCoreTime:
        OnTime(first, second);
        break;
    case kMsgCoreNewMedia:
        OnNewMedia(first, second);
        break;
    case kMsgCoreDuration:
        info_.DurationMs = static_cast<int32_t>(first);
        Notify(kEventDuration, Arg(first), Arg(second), 0);
        break;
    case kMsgCoreRegister:
        info_.RegisterValue = static_cast<uint8_t>(first);
        Notify(kEventRegister, Arg(first), -1, 0);
        break;
    case kMsgCoreRegisterIndexed:
        OnIndexedRegister(wParam, second);
        break;
    case kMsgCoreTitleChapter:
        OnTitleChapter(wParam, second);
        break;
    case win::WM_TIMER:
        OnTimer(wParam);
        break;
    case win::WM_COPYDATA:
        return OnCopyData(reinterpret_cast<const win::COPYDATASTRUCT*>(lParam));
    default:
        break;
    }
    return TCallbackWindow::DefaultAnswer(hwnd, msg, wParam, lParam);
}

void TPlayControl::OnIndexedRegister(win::WPARAM index, uint32_t value) {
    if (index < TPlaybackInfo::kRegisterCount) {
        info_.Registers[index] = value;
        Notify(kEventRegister, -1, Arg(value), 0);
    }
}

void TPlayControl::OnTime(uint32_t milliseconds, uint32_t frameRate) {
    info_.TimeMs = static_cast<int32_t>(milliseconds);
    info_.FrameRate = static_cast<int32_t>(frameRate);
    Notify(kEventTime, Arg(milliseconds), Arg(frameRate), 0);
}

void TPlayControl::OnTitleChapter(win::WPARAM which, uint32_t number) {
    if (which == kTitleChapterTitle) {
        info_.Title = static_cast<int32_t>(number);
        RefreshStreams(info_.Title);
        Notify(kEventTitleChapter, 1, Arg(number), 0);
    } else if (which == kTitleChapterChapter) {
        info_.Chapter = static_cast<int32_t>(number);
        Notify(kEventTitleChapter, 2, Arg(number), 0);
    } else {
        return;
    }
    if (controllers_.Titles) {
        controllers_.Titles->SetCurrent(info_.Title, info_.Chapter);
    }
}

void TPlayControl::OnTimer(win::UINT_PTR id) {
    if (id != kStartupBookmarkTimer && id != kResumeTimer) {
        return;
    }
    win::KillTimer(Window(), id);
    if (IBookmarkControl* bookmarks = controllers_.Bookmarks.get()) {
        if (id == kStartupBookmarkTimer) {
            bookmarks->GoToStartupBookmark();
        } else {
            bookmarks->RestoreResumePoint();
        }
    }
}

void TPlayControl::OnNewMedia(uint32_t idHigh, uint32_t idLow) {
    info_.DiscIdHigh = idHigh;
    info_.DiscIdLow = idLow;
    if (controllers_.Video) {
        controllers_.Video->SetAspectRatioFile(nullptr);
    }
    if (dvdInfo_) {
        dvdInfo_->Clear();
    }
    info_.DiscOpen = idHigh != 0 || idLow != 0;

    std::u16string discFolder;
    std::u16string storage;
    DerivePaths(idHigh, idLow, discFolder, storage);
    const char16_t* storageFile = storage.empty() ? nullptr : storage.c_str();
    if (controllers_.Bookmarks) {
        controllers_.Bookmarks->SetStorageFile(storageFile);
    }
    if (controllers_.Titles) {
        controllers_.Titles->Load(storageFile);
    }
    RefreshTitles();
    if (controllers_.Titles) {
        controllers_.Titles->NotifyChanged();
    }
    SetDiscFolder(discFolder.c_str());
    if (!discFolder.empty()) {
        LoadDiscFolder(discFolder);
    } else if (!storage.empty() && dvdInfo_) {
        dvdInfo_->Load(TDiscPaths::MediaInfoFile(storage).c_str());
    }
    if (controllers_.ProfileSubtitles) {
        controllers_.ProfileSubtitles->SelectVolumeForDisc(idHigh, idLow, false);
    }
    StartBookmarkTimer();
    Notify(kEventDiscDataLoaded, 1, 0, 0);
    Notify(kEventDiscOpened, Arg(idHigh), Arg(idLow), 0);
}

void TPlayControl::DerivePaths(uint32_t idHigh, uint32_t idLow, std::u16string& discFolder,
                               std::u16string& storage) const {
    const std::u16string_view root = bookmarksFolder_ ? std::u16string_view(*bookmarksFolder_) : u"";
    if (info_.DiscOpen) {
        discFolder = TDiscPaths::DiscFolder(root, idHigh, idLow, environment_->VolumeLabel(driveLetter_));
        storage = TDiscPaths::DiscStorageFile(discFolder, idHigh, idLow);
    } else if (fileName_) {
        storage = TDiscPaths::MediaStorageFile(root, *fileName_);
    }
}

void TPlayControl::LoadDiscFolder(const std::u16string& discFolder) {
    if (IVideoControl* video = controllers_.Video.get()) {
        const std::u16string aspectFile = discFolder + u"AspectRatio.xml";
        if (video->ApplyAspectRatioFile(aspectFile.c_str())) {
            Notify(kEventAspectLoaded, 1, 0, 0);
        }
        video->SetAspectRatioFile(aspectFile.c_str());
    }
    if (dvdInfo_) {
        dvdInfo_->Load((discFolder + u"Info.xml").c_str());
    }
}

void TPlayControl::StartBookmarkTimer() {
    if (environment_->IsShiftDown()) {
        return;
    }
    if (resumePending_) {
        win::SetTimer(Window(), kResumeTimer, autoBookmarkDelay_);
        resumePending_ = false;
    } else {
        win::SetTimer(Window(), kStartupBookmarkTimer, autoBookmarkDelay_);
    }
}

win::LRESULT TPlayControl::OnCopyData(const win::COPYDATASTRUCT* data) {
    if (data == nullptr || data->lpData == nullptr || data->cbData < sizeof(TCoreMessage)) {
        return 0;
    }
    TCoreMessage head;
    std::memcpy(&head, data->lpData, sizeof(head));
    if (head.headerSize != kCoreMessageHeaderSize) {
        return 0;
    }
    if (head.kind == kCoreMessageText) {
        if (const auto record = ReadRecord<TCoreMessageText>(*data)) {
            Trace(">>> ENTER CO_MESSAGETEXT\n");
            const size_t length = strnlen(record->text, sizeof(record->text));
            OnErrorText(record->severity, text::AnsiToWide(std::string_view(record->text, length)).c_str());
            Trace(">>> LEAVE CO_MESSAGETEXT\n");
        }
        return 0;
    }
    if (head.kind == kCoreMessageStatus) {
        const auto record = ReadRecord<TCoreMessageStatus>(*data);
        if (!record) {
            return 0;
        }
        Trace(text::FormatA(">>> ENTER CO_STATUS %d \n", record->status));
        OnStatus(record->status, record->value1, record->value2);
        Trace(text::FormatA(">>> LEAVE CO_STATUS %d \n", record->status));
        return 1;
    }
    return 0;
}

void TPlayControl::OnErrorText(uint8_t severity, const char16_t* errorText) {
    ReportError(LevelOfSeverity(severity), u"%s", errorText);
}

void TPlayControl::OnStatus(uint32_t status, uint32_t value1, uint32_t value2) {
    switch (status) {
    case kStatusUserOperations:
        if (controllers_.UserOperations) {
            controllers_.UserOperations->Set(static_cast<int32_t>(value1));
        }
        Notify(kEventUserOperations, Arg(value1), 0, 0);
        break;
    case kStatusDrive:
        driveLetter_ = static_cast<uint8_t>('A' + (value1 & 0xFF));
        info_.DriveLetter = driveLetter_;
        break;
    case kStatusAudioStream:
        OnAudioStream(value2);
        break;
    case kStatusSubpicture:
        OnSubpictureStream(value2);
        break;
    case kStatusAngle:
        OnAngle(value2);
        break;
    case kStatusStopped:
        Stop();
        break;
    case kStatusConfiguration:
        Notify(kEventGraphConfiguration, Arg(value1), 0, 0);
        break;
    case kStatusEndOfMedia:
        Notify(kEventEndOfMedia, 0, 0, 0);
        break;
    case kStatusGraphBuilt:
        OnGraphBuilt();
        break;
    case kStatusPlayState:
        OnPlayState();
        break;
    default:
        break;
    }
}

void TPlayControl::OnAudioStream(uint32_t value2) {
    IAudioInfo* audio = controllers_.Audio.get();
    const auto index = static_cast<int32_t>(value2 & kStreamIndexMask);
    if (audio == nullptr || !audio->SetCurrent(index)) {
        return;
    }
    const std::u16string name = LanguageName(audio->GetTrackLanguage(index));
    if (!name.empty()) {
        SetOsdVariable(u"AudLanguage", name.c_str());
        ShowCommand(u"Osd_Audio");
    }
}

void TPlayControl::OnSubpictureStream(uint32_t value2) {
    ISubsInfo* subs = controllers_.Subs.get();
    const auto index = static_cast<int32_t>(value2 & kStreamIndexMask);
    const bool shown = value2 > kStreamIndexMask;
    if (subs == nullptr || !subs->SetCurrent(index, shown)) {
        return;
    }
    if (!shown) {
        SetOsdVariable(u"SubLanguage", u"");
        ShowCommand(u"Osd_SubOff");
        return;
    }
    SetOsdVariable(u"SubLanguage", LanguageName(subs->GetTrackLanguage(index)).c_str());
    ShowCommand(u"Osd_SubOn");
}

std::u16string TPlayControl::LanguageName(std::optional<uint32_t> lcid) const {
    return lcid ? environment_->LanguageName(*lcid).substr(0, kMaxLanguageNameUnits) : std::u16string();
}

void TPlayControl::OnAngle(uint32_t value2) {
    IAngleInfo* angles = controllers_.Angles.get();
    if (angles == nullptr) {
        return;
    }
    angles->SetCount(static_cast<int32_t>(value2 >> 16));
    const auto index = static_cast<int32_t>(value2 & kStreamIndexMask);
    if (angles->SetCurrent(index - 1)) {
        SetOsdVariable(u"Angle", text::Format(u"%d", index).c_str());
        ShowCommand(u"Osd_Angle");
    }
}

void TPlayControl::OnPlayState() {
    const uint32_t state = GetPlayState();
    Notify(kEventPlayState, Arg(state), 0, 0);
    if (state != kPlayStateStopped) {
        return;
    }
    if (controllers_.Video) {
        controllers_.Video->SetAspectRatioFile(nullptr);
    }
    if (dvdInfo_) {
        dvdInfo_->Clear();
    }
}

void TPlayControl::OnGraphBuilt() {
    Trace(">>> GRAPH BUILT: media name\n");
    FetchMediaName();
    Trace(">>> GRAPH BUILT: filters\n");
    FetchFilters();
    Trace(">>> GRAPH BUILT: graph log\n");
    FetchGraphLog();
    TOrderCaptureRing record{};
    record.frames = captureFrames_;
    SendRecord(kOrderCaptureRing, record);
    Trace(">>> GRAPH BUILT: done\n");
    Notify(kEventGraphBuilt, 0, 0, 0);
}

void TPlayControl::FetchMediaName() {
    FetchBlock(*this, kOrderMediaName, [this](const uint8_t* block) {
        SetFileName(reinterpret_cast<const char16_t*>(block + kMediaNameOffset));
    });
}

void TPlayControl::FetchFilters() {
    FetchBlock(*this, kOrderFilterList, [this](const uint8_t* block) {
        if (controllers_.Filters) {
            controllers_.Filters->ParseFiltersXml(reinterpret_cast<const char16_t*>(block));
        }
    });
}

void TPlayControl::FetchGraphLog() {
    FetchBlock(*this, kOrderGraphLog, [this](const uint8_t* block) {
        graphText_.Reset();
        graphText_.AppendString(reinterpret_cast<const char16_t*>(block));
        graphText_.AppendData(nullptr, 4);
    });
}
