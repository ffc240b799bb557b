#pragma once
// The object behind one player instance: its hidden window "PlayerControl", the subtitle lock, the
// closing flag, the values the orders store, and one operation per order, which the dispatcher
// calls with the values of the order's record.
//
// The playback engine, the subtitle screen, the subtitle clock, the video layout, the page model and
// the on-screen message queue are not part of this player yet. An operation that needs the engine or
// the subtitle screen answers as the order protocol does without one; one that needs a part that
// every finished player has answers false.
#include "core/include/VokradOrders.h"
#include "core/src/TOrderDispatcher.h"
#include "core/src/framework/TCoreWindow.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <span>
#include <string>
#include <string_view>

class TCorePlayer : public TCoreWindow {
public:
    // The drawing overrides of order 507 (-1: none for the depth and the width).
    struct TStyleOverride {
        std::int32_t shadowDepth = -1;
        std::int32_t outlineStyle = 0;
        std::int32_t outlineWidth = -1;
    };

    // Creates the hidden window; owner is the module record.
    explicit TCorePlayer(TCoreObject* owner);
    ~TCorePlayer() override;

    // Runs one order (see TOrderDispatcher).
    int SendOrder(std::uint32_t order, void* record, void** out);

    // From now on every order answers -1.
    void SetClosing() { closing_ = true; }
    bool IsClosing() const { return closing_; }

    // Guards subtitle and on-screen state against the clock thread; re-entrant.
    std::recursive_mutex& SubtitleLock() { return subtitleLock_; }

    bool SubtitlesOn() const { return subtitlesOn_; }
    bool ProfileFlag() const { return profileFlag_; }
    bool MessagesFrozen() const { return messagesFrozen_; }
    std::int32_t SubtitleOffset() const { return subtitleOffset_; }
    TStyleOverride StyleOverride() const { return styleOverride_; }

    // The library's log file: the 8-bit name becomes the path, writing is enabled and the file starts
    // empty.
    void SetLogFile(std::string_view name);

    // Values the orders store. Switching subtitles on or off and unfreezing messages also redraw the
    // subtitle picture and select the page for the last clock time; both need the engine and the
    // clock, so storing is all there is to do without them.
    void SetSubtitlesOn(bool on) { subtitlesOn_ = on; }
    void SetProfileFlag(bool flag) { profileFlag_ = flag; }
    void SetSubtitleOffset(std::int32_t milliseconds) { subtitleOffset_ = milliseconds; }
    void SetStyleOverride(const TStyleOverride& styleOverride) { styleOverride_ = styleOverride; }
    void FreezeMessages() { messagesFrozen_ = true; }
    void UnfreezeMessages() { messagesFrozen_ = false; }

    // Operations on the playback engine, answered as without an engine: they fail, the volume and the
    // play state read 0, the audio stream is not selected and the clock time is unknown (-1). The
    // graph description and the property pages change nothing and their orders still succeed. The
    // out-block operations store a block of the core's heap through `out` when they succeed.
    bool Play() { return false; }
    bool PauseToggle() { return false; }
    bool Stop() { return false; }
    bool SetRate(double rate) { return false; }
    bool StepFrames(std::int32_t count) { return false; }
    bool PlayAtTime(std::uint32_t milliseconds) { return false; }
    bool PlayAtTimeInTitle(std::uint8_t title, std::uint32_t timeCode) { return false; }
    bool SeekRelative(std::int32_t milliseconds) { return false; }
    bool ShowDvdMenu(std::uint8_t menu) { return false; }
    bool SelectDvdButton(std::uint8_t button) { return false; }
    bool PlayTitleChapter(std::uint32_t title, std::uint32_t chapter) { return false; }
    std::int32_t Volume(bool set, std::int32_t volume) { return 0; }
    bool ShowCursor(bool visible) { return false; }
    bool NextChapter() { return false; }
    bool PreviousChapter() { return false; }
    bool SelectAudioStream(std::uint32_t stream) { return false; }
    bool SelectSubpictureStream(std::uint32_t stream, bool shown) { return false; }
    bool SelectAngle(std::uint32_t angle) { return false; }
    void SetGraphDescription(std::uint32_t kind, const char16_t* text) {}
    bool SaveGraph(const char16_t* fileName) { return false; }
    bool SetGraphVariable(const std::u16string& name, const std::u16string& value) { return false; }
    void ShowFilterProperties(HWND ownerWindow, std::uint32_t filterNumber) {}
    bool SetCaptureRing(std::uint32_t frames) { return false; }
    bool SaveDvdState(const std::u16string& storageFile, const std::u16string& streamName, bool flag) {
        return false;
    }
    bool RestoreDvdState(const std::u16string& storageFile, const std::u16string& streamName) {
        return false;
    }
    bool DeleteDvdState(const std::u16string& storageFile, const std::u16string& streamName) { return false; }
    bool CurrentPicture(void** out) { return false; }
    bool ReadDiscInformation(TOrderDiscInformation& information) { return false; }
    std::uint32_t PlayState() { return kPlayStateNoEngine; }
    bool MediaName(void** out) { return false; }
    bool TitlesAndChapters(void** out) { return false; }
    bool FilterList(void** out) { return false; }
    bool MediaContent(void** out) { return false; }
    bool GraphLog(void** out) { return false; }
    std::int32_t ClockTime() { return -1; }
    bool VideoRectangle(TOrderVideoRectangle& rectangle) { return false; } // play state 0: no picture
    bool ReadCapturedFrame(TOrderCapturedFrame& frame) { return false; }

    // Operations on the subtitle screen, answered as without one: showing, hiding and the colour key
    // fail, the position and the parent windows have nothing to act on, and the display mode reads 0.
    void RefreshPosition() {}
    bool ShowVideo() { return false; }
    bool HideVideo() { return false; }
    void SetParentWindows(HWND videoPanel, HWND fullScreenWindow) {}
    bool SetColourKey(std::uint32_t colour) { return false; }
    std::uint32_t DisplayMode() { return 0; }
    void SetDisplayMode(std::uint32_t mode) {}

    // Operations on the video layout, the subtitle page model and the on-screen message queue, which
    // every finished player has and this one has not yet: they fail.
    bool SetVideoLayout(const TOrderVideoLayout& layout) { return false; }
    bool ClearSubtitles() { return false; }
    bool LoadSubtitlePages(std::uint32_t title, std::span<const std::byte> block) { return false; }
    bool SetStyles(std::uint32_t step, std::span<const std::uint8_t, kStyleRecordBytes> style) {
        return false;
    }
    bool SelectProfileTitle(std::int32_t title) { return false; }
    bool AddOsdItem(std::uint8_t type, std::int32_t duration, std::int32_t layer, const void* data,
                    std::uint32_t dataBytes) {
        return false;
    }
    bool ClearOsdItems() { return false; }
    bool SetOsdStyle(std::span<const std::uint8_t, kStyleRecordBytes> style, std::uint32_t defaultDuration,
                     bool enabled) {
        return false;
    }
    bool SetOsdVariable(const char16_t* name, const char16_t* value) { return false; }
    bool ClearOsdVariables() { return false; }

private:
    std::atomic<bool> closing_{false};
    std::recursive_mutex subtitleLock_;
    TOrderDispatcher dispatcher_{*this};
    bool subtitlesOn_ = false;
    bool profileFlag_ = false;
    bool messagesFrozen_ = false;
    std::int32_t subtitleOffset_ = 0;
    TStyleOverride styleOverride_;
};
