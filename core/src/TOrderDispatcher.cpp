#include "core/src/TOrderDispatcher.h"

#include "core/src/TCorePlayer.h"
#include "platform/text/WideString.h"

#include <cstring>
#include <mutex>
#include <span>

namespace {

using TAction = int (*)(TCorePlayer& player, void* record, void** out);

struct TOrderAction {
    std::uint32_t order;
    TAction run;
};

template <class R> R& As(void* record) {
    return *static_cast<R*>(record);
}

const std::byte* At(const void* record, std::size_t offset) {
    return static_cast<const std::byte*>(record) + offset;
}

int Answer(bool ok) {
    return ok ? 0 : -1;
}

std::uint32_t SizeWord(const void* record) {
    std::uint32_t size;
    std::memcpy(&size, At(record, offsetof(TOrderRecord, size)), sizeof(size));
    return size;
}

// The shapes most orders share: no record, an out block, or the whole record handed over.
template <bool (TCorePlayer::*Op)()> int Bare(TCorePlayer& p, void*, void**) {
    return Answer((p.*Op)());
}

template <bool (TCorePlayer::*Op)(void**)> int OutBlock(TCorePlayer& p, void*, void** out) {
    return Answer((p.*Op)(out));
}

template <void (TCorePlayer::*Op)()> int Always(TCorePlayer& p, void*, void**) {
    (p.*Op)();
    return 0;
}

template <class R, bool (TCorePlayer::*Op)(R&)> int WholeRecord(TCorePlayer& p, void* r, void**) {
    return Answer((p.*Op)(As<R>(r)));
}

int Ping(TCorePlayer&, void*, void**) {
    return 0;
}

int Rate(TCorePlayer& p, void* r, void**) {
    return Answer(p.SetRate(As<TOrderRate>(r).rateX1000 * 0.001));
}

int FrameStep(TCorePlayer& p, void* r, void**) {
    return Answer(p.StepFrames(As<TOrderFrameStep>(r).count));
}

int PlayAtTime(TCorePlayer& p, void* r, void**) {
    return Answer(p.PlayAtTime(As<TOrderPlayAtTime>(r).milliseconds));
}

int PlayAtTimeInTitle(TCorePlayer& p, void* r, void**) {
    const auto& rec = As<TOrderPlayAtTimeInTitle>(r);
    return Answer(p.PlayAtTimeInTitle(rec.title, rec.timeCode));
}

int RelativeSeek(TCorePlayer& p, void* r, void**) {
    return Answer(p.SeekRelative(As<TOrderRelativeSeek>(r).milliseconds));
}

int DvdMenu(TCorePlayer& p, void* r, void**) {
    return Answer(p.ShowDvdMenu(As<TOrderDvdMenu>(r).menu));
}

int DvdButton(TCorePlayer& p, void* r, void**) {
    return Answer(p.SelectDvdButton(As<TOrderDvdButton>(r).button));
}

int TitleChapter(TCorePlayer& p, void* r, void**) {
    const auto& rec = As<TOrderTitleChapter>(r);
    return Answer(p.PlayTitleChapter(rec.title, rec.chapter));
}

int Volume(TCorePlayer& p, void* r, void**) {
    auto& rec = As<TOrderVolume>(r);
    rec.volume = p.Volume(rec.set != 0, rec.volume);
    return 0;
}

int Cursor(TCorePlayer& p, void* r, void**) {
    return Answer(p.ShowCursor(As<TOrderCursor>(r).visible != 0));
}

// The one order that answers 1 for success.
int AudioStream(TCorePlayer& p, void* r, void**) {
    return p.SelectAudioStream(As<TOrderStreams>(r).audio) ? 1 : 0;
}

int SubpictureStream(TCorePlayer& p, void* r, void**) {
    const auto& rec = As<TOrderStreams>(r);
    return Answer(p.SelectSubpictureStream(rec.subpicture, rec.subpictureShown));
}

int Angle(TCorePlayer& p, void* r, void**) {
    return Answer(p.SelectAngle(As<TOrderStreams>(r).angle));
}

int GraphDescription(TCorePlayer& p, void* r, void**) {
    const auto& rec = As<TOrderGraphDescription>(r);
    p.SetGraphDescription(rec.kind, rec.text);
    return 0;
}

int SaveGraph(TCorePlayer& p, void* r, void**) {
    return Answer(p.SaveGraph(As<TOrderSaveGraph>(r).fileName));
}

int ParentWindows(TCorePlayer& p, void* r, void**) {
    const auto& rec = As<TOrderParentWindows>(r);
    p.SetParentWindows(rec.videoPanel, rec.fullScreenWindow);
    return 0;
}

int ColourKey(TCorePlayer& p, void* r, void**) {
    return Answer(p.SetColourKey(As<TOrderColourKey>(r).colour));
}

int GraphVariable(TCorePlayer& p, void* r, void**) {
    const auto name =
        TOrderDispatcher::FixedText(At(r, offsetof(TOrderGraphVariable, name)), kGraphVariableNameUnits);
    const auto value =
        TOrderDispatcher::FixedText(At(r, offsetof(TOrderGraphVariable, value)), kGraphVariableValueUnits);
    return Answer(name && value && p.SetGraphVariable(*name, *value));
}

// Mode 0 asks for the current mode, which is written back.
int DisplayMode(TCorePlayer& p, void* r, void**) {
    auto& rec = As<TOrderDisplayMode>(r);
    if (rec.mode == kDisplayModeAsk) {
        rec.mode = p.DisplayMode();
    } else {
        p.SetDisplayMode(rec.mode);
    }
    return 0;
}

int FilterProperties(TCorePlayer& p, void* r, void**) {
    const auto& rec = As<TOrderFilterProperties>(r);
    p.ShowFilterProperties(rec.ownerWindow, rec.filterNumber);
    return 0;
}

int LogFile(TCorePlayer& p, void* r, void**) {
    p.SetLogFile(static_cast<const char*>(r));
    return 0;
}

int CaptureRing(TCorePlayer& p, void* r, void**) {
    return Answer(p.SetCaptureRing(As<TOrderCaptureRing>(r).frames));
}

// 250, 251 and 252 share their two names, each terminated inside its field.
template <class Run> int WithDvdStateNames(void* r, Run run) {
    const auto file =
        TOrderDispatcher::FixedText(At(r, offsetof(TOrderDvdState, storageFile)), kDvdStateNameUnits);
    const auto stream =
        TOrderDispatcher::FixedText(At(r, offsetof(TOrderDvdState, streamName)), kDvdStateNameUnits);
    return Answer(file && stream && run(*file, *stream));
}

int SaveDvdState(TCorePlayer& p, void* r, void**) {
    const bool flag = As<TOrderDvdState>(r).flag != 0;
    return WithDvdStateNames(
        r, [&](const auto& file, const auto& stream) { return p.SaveDvdState(file, stream, flag); });
}

int RestoreDvdState(TCorePlayer& p, void* r, void**) {
    return WithDvdStateNames(
        r, [&](const auto& file, const auto& stream) { return p.RestoreDvdState(file, stream); });
}

int DeleteDvdState(TCorePlayer& p, void* r, void**) {
    return WithDvdStateNames(
        r, [&](const auto& file, const auto& stream) { return p.DeleteDvdState(file, stream); });
}

int PlayState(TCorePlayer& p, void* r, void**) {
    As<TOrderPlayState>(r).state = p.PlayState();
    return 0;
}

// The answer is the clock time itself.
int ClockTime(TCorePlayer& p, void*, void**) {
    return p.ClockTime();
}

int SubtitlesOn(TCorePlayer& p, void* r, void**) {
    p.SetSubtitlesOn(As<TOrderSubtitlesOn>(r).on != 0);
    return 0;
}

// The page block starts with its head at +12 and runs to the record's length.
int SubtitlePages(TCorePlayer& p, void* r, void**) {
    const auto& rec = As<TOrderSubtitlePages>(r);
    constexpr std::size_t kBlock = offsetof(TOrderSubtitlePages, pageHeadSize);
    return Answer(p.LoadSubtitlePages(rec.title, std::span(At(r, kBlock), rec.length - kBlock)));
}

int Styles(TCorePlayer& p, void* r, void**) {
    const auto& rec = As<TOrderStyles>(r);
    return Answer(p.SetStyles(rec.step, rec.style));
}

int ProfileFlag(TCorePlayer& p, void* r, void**) {
    p.SetProfileFlag(As<TOrderProfileFlag>(r).flag != 0);
    return 0;
}

int ProfileTitle(TCorePlayer& p, void* r, void**) {
    return Answer(p.SelectProfileTitle(As<TOrderProfileTitle>(r).title));
}

int SubtitleOffset(TCorePlayer& p, void* r, void**) {
    p.SetSubtitleOffset(As<TOrderSubtitleOffset>(r).milliseconds);
    return 0;
}

int StyleOverride(TCorePlayer& p, void* r, void**) {
    const auto& rec = As<TOrderStyleOverride>(r);
    p.SetStyleOverride({rec.shadowDepth, rec.outlineStyle, rec.outlineWidth});
    return 0;
}

int OsdItem(TCorePlayer& p, void* r, void**) {
    const auto& rec = As<TOrderOsdItem>(r);
    return Answer(p.AddOsdItem(rec.type, rec.duration, rec.layer, rec.data, rec.dataBytes));
}

int OsdStyle(TCorePlayer& p, void* r, void**) {
    const auto& rec = As<TOrderOsdStyle>(r);
    return Answer(p.SetOsdStyle(rec.style, rec.defaultDuration, rec.enabled != 0));
}

int OsdVariable(TCorePlayer& p, void* r, void**) {
    const auto& rec = As<TOrderOsdVariable>(r);
    return Answer(p.SetOsdVariable(rec.name, rec.value));
}

using Player = TCorePlayer;

// One action per row of kOrderTable, in the same order.
constexpr std::array kActions{
    TOrderAction{kOrderPlay, Bare<&Player::Play>},
    TOrderAction{kOrderPauseToggle, Bare<&Player::PauseToggle>},
    TOrderAction{kOrderStop, Bare<&Player::Stop>},
    TOrderAction{kOrderRate, Rate},
    TOrderAction{kOrderFrameStep, FrameStep},
    TOrderAction{kOrderPlayAtTime, PlayAtTime},
    TOrderAction{kOrderPlayAtTimeInTitle, PlayAtTimeInTitle},
    TOrderAction{kOrderRelativeSeek, RelativeSeek},
    TOrderAction{kOrderDvdMenu, DvdMenu},
    TOrderAction{kOrderDvdButton, DvdButton},
    TOrderAction{kOrderTitleChapter, TitleChapter},
    TOrderAction{kOrderVolume, Volume},
    TOrderAction{kOrderCursor, Cursor},
    TOrderAction{kOrderNextChapter, Bare<&Player::NextChapter>},
    TOrderAction{kOrderPreviousChapter, Bare<&Player::PreviousChapter>},
    TOrderAction{kOrderAudioStream, AudioStream},
    TOrderAction{kOrderSubpictureStream, SubpictureStream},
    TOrderAction{kOrderAngle, Angle},
    TOrderAction{kOrderRefreshPosition, Always<&Player::RefreshPosition>},
    TOrderAction{kOrderShowVideo, Bare<&Player::ShowVideo>},
    TOrderAction{kOrderHideVideo, Bare<&Player::HideVideo>},
    TOrderAction{kOrderGraphDescription, GraphDescription},
    TOrderAction{kOrderSaveGraph, SaveGraph},
    TOrderAction{kOrderParentWindows, ParentWindows},
    TOrderAction{kOrderColourKey, ColourKey},
    TOrderAction{kOrderGraphVariable, GraphVariable},
    TOrderAction{kOrderDisplayMode, DisplayMode},
    TOrderAction{kOrderFilterProperties, FilterProperties},
    TOrderAction{kOrderLogFile, LogFile},
    TOrderAction{kOrderCaptureRing, CaptureRing},
    TOrderAction{kOrderVideoLayout, WholeRecord<const TOrderVideoLayout, &Player::SetVideoLayout>},
    TOrderAction{kOrderSaveDvdState, SaveDvdState},
    TOrderAction{kOrderRestoreDvdState, RestoreDvdState},
    TOrderAction{kOrderDeleteDvdState, DeleteDvdState},
    TOrderAction{kOrderCurrentPicture, OutBlock<&Player::CurrentPicture>},
    TOrderAction{kOrderDiscInformation, WholeRecord<TOrderDiscInformation, &Player::ReadDiscInformation>},
    TOrderAction{kOrderPlayState, PlayState},
    TOrderAction{kOrderMediaName, OutBlock<&Player::MediaName>},
    TOrderAction{kOrderTitlesChapters, OutBlock<&Player::TitlesAndChapters>},
    TOrderAction{kOrderFilterList, OutBlock<&Player::FilterList>},
    TOrderAction{kOrderMediaContent, OutBlock<&Player::MediaContent>},
    TOrderAction{kOrderGraphLog, OutBlock<&Player::GraphLog>},
    TOrderAction{kOrderClockTime, ClockTime},
    TOrderAction{kOrderVideoRectangle, WholeRecord<TOrderVideoRectangle, &Player::VideoRectangle>},
    TOrderAction{kOrderCapturedFrame, WholeRecord<TOrderCapturedFrame, &Player::ReadCapturedFrame>},
    TOrderAction{kOrderClearSubtitles, Bare<&Player::ClearSubtitles>},
    TOrderAction{kOrderSubtitlesOn, SubtitlesOn},
    TOrderAction{kOrderSubtitlePages, SubtitlePages},
    TOrderAction{kOrderStyles, Styles},
    TOrderAction{kOrderProfileFlag, ProfileFlag},
    TOrderAction{kOrderProfileTitle, ProfileTitle},
    TOrderAction{kOrderSubtitleOffset, SubtitleOffset},
    TOrderAction{kOrderStyleOverride, StyleOverride},
    TOrderAction{kOrderFreezeMessages, Always<&Player::FreezeMessages>},
    TOrderAction{kOrderUnfreezeMessages, Always<&Player::UnfreezeMessages>},
    TOrderAction{kOrderOsdItem, OsdItem},
    TOrderAction{kOrderClearOsdItems, Bare<&Player::ClearOsdItems>},
    TOrderAction{kOrderOsdStyle, OsdStyle},
    TOrderAction{kOrderOsdVariable, OsdVariable},
    TOrderAction{kOrderClearOsdVariables, Bare<&Player::ClearOsdVariables>},
    TOrderAction{kOrderPing, Ping},
};

constexpr bool ActionsFollowTable() {
    if (kActions.size() != kOrderTable.size()) {
        return false;
    }
    for (std::size_t i = 0; i < kActions.size(); ++i) {
        if (kActions[i].order != kOrderTable[i].order) {
            return false;
        }
    }
    return true;
}
static_assert(ActionsFollowTable(), "one action per row of kOrderTable, in its order");

} // namespace

TOrderDispatcher::TOrderDispatcher(TCorePlayer& player) : player_(player) {}

int TOrderDispatcher::Dispatch(std::uint32_t order, void* record, void** out) const {
    if (player_.IsClosing()) {
        return -1;
    }
    if (out != nullptr) {
        *out = nullptr;
    }
    const TOrderInfo* info = FindOrder(order);
    if (info == nullptr) {
        return -1;
    }
    // Orders that touch subtitle state hold the lock from before their record is checked.
    std::unique_lock lock(player_.SubtitleLock(), std::defer_lock);
    if (info->locked) {
        lock.lock();
    }
    if (!RecordFits(*info, record) || (info->needsOut && out == nullptr)) {
        return -1;
    }
    return kActions[static_cast<std::size_t>(info - kOrderTable.data())].run(player_, record, out);
}

bool TOrderDispatcher::RecordFits(const TOrderInfo& info, const void* record) {
    switch (info.record) {
    case TOrderRecordKind::None:
        return true;
    case TOrderRecordKind::BareName:
        return record != nullptr;
    case TOrderRecordKind::Fixed:
        return record != nullptr && SizeWord(record) == info.size;
    case TOrderRecordKind::Pages: {
        if (record == nullptr || SizeWord(record) < info.size) {
            return false;
        }
        std::uint32_t length;
        std::memcpy(&length, At(record, offsetof(TOrderSubtitlePages, length)), sizeof(length));
        return length == SizeWord(record);
    }
    }
    return false;
}

std::optional<std::u16string> TOrderDispatcher::FixedText(const void* field, std::size_t units) {
    std::u16string text(units, u'\0');
    std::memcpy(text.data(), field, units * sizeof(char16_t));
    const std::size_t length = plat::text::WLenBounded(text.data(), units);
    if (length == units) {
        return std::nullopt;
    }
    text.resize(length);
    return text;
}
