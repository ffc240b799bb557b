#pragma once
// The object behind one player instance: its hidden window "PlayerControl", the subtitle lock, the
// subtitle clock, the subtitle screen, the video layout, the on-screen message queue, the client list
// with the notifications, the closing flag, the values the orders store, and one operation per order,
// which the dispatcher calls with the values of the order's record. The playback engine reports to it
// through three entry points (errors, status changes and events), which turn into the notifications of
// VokradNotifications.h. An operation that needs the engine or the subtitle screen answers as the
// order protocol does without one.
//
// The subtitle picture is rebuilt under the subtitle lock on whichever thread asks (the clock thread
// after a clock report, the host thread otherwise); only the host thread hands it to the engine, so
// a redraw never meets an engine that releases its graph.
#include "core/include/VokradOrders.h"
#include "core/src/TClientList.h"
#include "core/src/TClockSource.h"
#include "core/src/TDvdTitleAttributes.h"
#include "core/src/TOrderDispatcher.h"
#include "core/src/TSubTimer.h"
#include "core/src/engine/TEngineSetup.h"
#include "core/src/engine/TGraphEngine.h"
#include "core/src/framework/TCoreWindow.h"
#include "core/src/layout/TVideoLayout.h"
#include "core/src/osd/TOsdQueue.h"
#include "core/src/pages/TPageRenderer.h"
#include "core/src/pages/TSubDisplay.h"
#include "core/src/screen/TSubtitleWindow.h"

#include <QImage>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>

class TCorePlayer : public TCoreWindow {
public:
    using RECT = plat::win::RECT;

    // The drawing overrides of order 507 (-1: none for the depth and the width).
    struct TStyleOverride {
        std::int32_t shadowDepth = -1;
        std::int32_t outlineStyle = 0;
        std::int32_t outlineWidth = -1;
    };

    // Event codes of the engine's event entry point.
    static constexpr std::uint32_t kEngineEventTitle = 0;
    static constexpr std::uint32_t kEngineEventChapter = 1;
    static constexpr std::uint32_t kEngineEventTime = 2;
    static constexpr std::uint32_t kEngineEventDuration = 3;
    static constexpr std::uint32_t kEngineEventRegister = 4;
    static constexpr std::uint32_t kEngineEventNewMedia = 8;

    // Creates the hidden window; owner is the module record. The clock reads `clocks`.
    explicit TCorePlayer(TCoreObject* owner, std::shared_ptr<TClockSource> clocks = DefaultClocks());
    // Closes the player (again), then the client list and the window go.
    ~TCorePlayer() override;

    static std::shared_ptr<TClockSource> DefaultClocks();

    // Timers of the player window: the on-screen message expiry and the re-layout of the pages.
    static constexpr plat::win::UINT_PTR kMessageTimer = 111;
    static constexpr plat::win::UINT_PTR kLayoutTimer = 222;
    static constexpr plat::win::UINT kLayoutDelayMs = 20;
    // Posted to the player window when a picture rebuilt on the clock thread waits for the engine.
    static constexpr plat::win::UINT kPresentPicture = plat::win::WM_USER + 1;

    // Start-up, once after construction: the engine, the subtitle screen and the clock are created,
    // the video laid out and the clock's thread started.
    void PlayStart();

    // Teardown: the subtitle screen leaves its parents, the closing flag is set, the clock stops and
    // goes, the engine releases its graph and goes, then the subtitle screen.
    void Close();

    // Runs one order (see TOrderDispatcher).
    int SendOrder(std::uint32_t order, void* record, void** out);

    // From now on every order answers -1 and nothing is notified.
    void SetClosing() { closing_ = true; }
    bool IsClosing() const { return closing_; }

    // Guards subtitle and on-screen state against the clock thread; re-entrant. It exists from
    // construction and is shared with the clock.
    std::recursive_mutex& SubtitleLock() { return *subtitleLock_; }

    // The clock, null before PlayStart and after Close.
    TSubTimer* Clock() const { return clock_.get(); }

    // Appends a client that receives what its mask selects; answers 1.
    int RegisterClient(HWND handle, HWND window, std::uint32_t mask);
    const TClientList& Clients() const { return clients_; }

    // Entry points of the playback engine. An error sends its texts (kind 1225), stops playback when
    // the error ends it and answers the engine; a status change is handled, then sent as kind 1629;
    // an event becomes a posted message.
    bool EngineError(std::uint32_t kind, std::uint32_t subCode, std::uint32_t result);
    void EngineState(std::uint32_t kind, std::uint32_t value1, std::uint32_t value2);
    void EngineEvent(std::uint32_t code, std::uint32_t value1, std::uint32_t value2);

    // Sends the streams of a DVD title (kind 1634), once the engine has read its attributes.
    void SendStreamInformation(const TDvdTitleAttributes& title);

    // The clock's report of a rounded time; kLastClockTime stands for the last time again (nothing
    // happens when none is known). Remembers the time and answers true when the page for the time
    // shifted by the subtitle offset differs from the shown one, which is then redrawn. Nothing
    // happens once the player closes.
    static constexpr std::int32_t kLastClockTime = -1;
    bool ClockReport(std::int32_t time);
    // The last reported clock time, -1 when none is known.
    std::int32_t LastClockTime();

    // What the player does with a play state of the engine: the clock runs for states 1 and 2 outside
    // a DVD menu; otherwise it stops, and a DVD menu clears the subtitle screen once until playback
    // outside a menu resumes. Answers the state.
    std::uint32_t UpdatePlayState(std::uint32_t state, bool menuShown);
    bool MenuCleared() const { return menuCleared_; }

    // Status kind 11: whether the video is shown over an overlay instead of through the subtitle
    // screen, and whether a windowless renderer shows it there.
    bool OverlayUsed() const { return overlayUsed_; }
    bool Windowless() const { return windowless_; }

    // A clock time moved by the subtitle offset; 0 when a negative offset is larger than the time.
    static std::int32_t ShiftedTime(std::int32_t time, std::int32_t offset);

    bool SubtitlesOn() const { return subtitlesOn_; }
    bool ProfileFlag() const { return profileFlag_; }
    bool MessagesFrozen() const { return messagesFrozen_; }
    std::int32_t SubtitleOffset() const { return subtitleOffset_; }
    TStyleOverride StyleOverride() const { return styleOverride_; }

    // The library's log file: the 8-bit name becomes the path, writing is enabled and the file starts
    // empty.
    void SetLogFile(std::string_view name);

    // Values the orders store. Switching subtitles off redraws; switching them on selects the page for
    // the last clock time. Unfreezing messages redraws.
    void SetSubtitlesOn(bool on);
    void SetProfileFlag(bool flag) { profileFlag_ = flag; }
    void SetSubtitleOffset(std::int32_t milliseconds) { subtitleOffset_ = milliseconds; }
    // Stores the overrides and gives them to the page renderer's drawing.
    void SetStyleOverride(const TStyleOverride& styleOverride);
    void FreezeMessages() { messagesFrozen_ = true; }
    void UnfreezeMessages();

    // The renderers and folders the playback engine is made with at start-up (TEngineSetup::Default()
    // unless set before PlayStart). The engine, null before PlayStart and after Close.
    void SetEngineSetup(TEngineSetup setup) { engineSetup_ = std::move(setup); }
    TGraphEngine* Engine() const { return engine_.get(); }

    // Operations on the playback engine. Without an engine they fail, the volume and the play state
    // read 0, the audio stream is not selected and the clock time is unknown (-1); the graph
    // description and the property pages change nothing and their orders still succeed. The
    // out-block operations store a block of the core's heap through `out` when they succeed. Stop
    // stops the clock first; asking the play state (301, 308) starts or stops it. DVD operations need
    // the engine's DVD mode (a disc graph).
    bool Play();
    bool PauseToggle();
    bool Stop();
    bool SetRate(double rate);
    bool StepFrames(std::int32_t count);
    bool PlayAtTime(std::uint32_t milliseconds);
    bool PlayAtTimeInTitle(std::uint8_t title, std::uint32_t timeCode);
    bool SeekRelative(std::int32_t milliseconds);
    bool ShowDvdMenu(std::uint8_t menu);
    bool SelectDvdButton(std::uint8_t button);
    bool PlayTitleChapter(std::uint32_t title, std::uint32_t chapter);
    std::int32_t Volume(bool set, std::int32_t volume);
    // The subtitle screen shows or hides the cursor; the answer is the engine's.
    bool ShowCursor(bool visible);
    bool NextChapter();
    bool PreviousChapter();
    bool SelectAudioStream(std::uint32_t stream);
    // A negative stream (-1) keeps the stream; display state 255 keeps the display (0 hides, others
    // show).
    bool SelectSubpictureStream(std::uint32_t stream, std::uint8_t displayState);
    bool SelectAngle(std::uint32_t angle);
    void SetGraphDescription(std::uint32_t kind, const char16_t* text);
    bool SaveGraph(const char16_t* fileName);
    bool SetGraphVariable(const std::u16string& name, const std::u16string& value);
    // The properties frame of the graph's filter of that 1-based number, modal, owned by the window;
    // true once such a filter was reached, whether or not it had something to show.
    bool ShowFilterProperties(HWND ownerWindow, std::uint32_t filterNumber);
    bool SetCaptureRing(std::uint32_t frames);
    // Order 250: with the flag the state goes to the stream of that name; without it to the next free
    // "B%04d" stream with an entry captioned by the name in the file's index (see TStateStorage).
    // Without an engine nothing is saved and the answer is false.
    bool SaveDvdState(const std::u16string& storageFile, const std::u16string& name, bool flag);
    bool RestoreDvdState(const std::u16string& storageFile, const std::u16string& streamName);
    // Deleting needs no graph, nor an engine.
    bool DeleteDvdState(const std::u16string& storageFile, const std::u16string& streamName);
    bool CurrentPicture(void** out);
    bool ReadDiscInformation(TOrderDiscInformation& information);
    std::uint32_t PlayState();
    bool MediaName(void** out);
    bool TitlesAndChapters(void** out);
    bool FilterList(void** out);
    bool MediaContent(void** out);
    bool GraphLog(void** out);
    std::int32_t ClockTime();
    bool VideoRectangle(TOrderVideoRectangle& rectangle);
    bool ReadCapturedFrame(TOrderCapturedFrame& frame);

    // Operations on the subtitle screen. Without it showing, hiding and the colour key fail, the
    // position and the parent windows have nothing to act on, and the display mode reads 0.
    void RefreshPosition();
    bool ShowVideo();
    bool HideVideo();
    void SetParentWindows(HWND videoPanel, HWND fullScreenWindow);
    bool SetColourKey(std::uint32_t colour);
    std::uint32_t DisplayMode();
    void SetDisplayMode(std::uint32_t mode);
    TSubtitleWindow* Screen() const { return screen_.get(); }

    // Page model operations (orders 500, 502, 503 and 505), under the subtitle lock. Clearing forgets
    // the profile title and the profile flag too. A page block that fails its check is refused and the
    // pages stay as they were. Styles: step 1 resets them, 2 and 3 switch the display off and on, 4
    // adds or replaces the style; other steps do nothing. Selecting the profile title answers whether
    // a page has its key.
    bool ClearSubtitles();
    bool LoadSubtitlePages(std::uint32_t title, std::span<const std::byte> block);
    bool SetStyles(std::uint32_t step, std::span<const std::uint8_t, kStyleRecordBytes> style);
    bool SelectProfileTitle(std::int32_t title);
    std::int32_t ProfileTitle();
    // The page model; callers hold the subtitle lock.
    TSubDisplay& SubDisplay() { return subDisplay_; }
    // The page key for an engine location (chapter x 65536 + title; all ones for a file): the title's
    // low byte, or title x 256 + chapter with the profile flag. For a file the profile title stands in
    // and selects as order 505 does, by its low byte.
    static std::uint32_t PageKey(std::uint32_t location, std::int32_t profileTitle, bool profileFlag);

    // Order 209: the settings are kept, the border colour goes to the engine and the video is laid out
    // again.
    bool SetVideoLayout(const TOrderVideoLayout& layout);
    // The settings of order 209, the last layout and the area the pages are laid out in; callers hold
    // the subtitle lock.
    const TVideoLayoutSettings& VideoLayout() const { return layoutSettings_; }
    const TVideoLayout& ComputedLayout() const { return layout_; }
    const TSubScreenControler& TextLayoutArea() const { return textArea_; }
    bool LayoutPending() const { return layoutPending_; }
    // The screen size the layout fits the picture for (the primary screen's unless set).
    void SetScreenSize(std::function<TScreenSize()> screenSize) { screenSize_ = std::move(screenSize); }

    // The on-screen message orders (602-606). Adding an item expires the old ones and arms the expiry
    // timer for the next; a record whose data does not fit is refused.
    bool AddOsdItem(std::uint8_t type, std::int32_t duration, std::int32_t layer, const void* data,
                    std::uint32_t dataBytes);
    bool ClearOsdItems();
    bool SetOsdStyle(std::span<const std::uint8_t, kStyleRecordBytes> style, std::uint32_t defaultDuration,
                     bool enabled);
    bool SetOsdVariable(const char16_t* name, const char16_t* value);
    bool ClearOsdVariables();
    // The queue; callers hold the subtitle lock.
    TOsdQueue& OsdQueue() { return osd_; }

    // Rebuilds the subtitle picture: blanking bars, the current page unless `clear`, the on-screen
    // messages; with a mixing renderer the picture goes to the engine. False when nothing was drawn.
    bool UpdateSubScreen(bool clear);
    // The host thread's part of a redraw on the clock thread: the waiting picture goes to the engine.
    void PresentPicture();

    LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void HandSurfaceTo(HWND videoPanel);
    template <class Record> void SendRecord(const Record& record);
    void Post(UINT msg, std::uint32_t wParam, std::uint32_t lParam);
    void TitleOrChapter(std::uint32_t code, std::uint32_t number);
    void ApplyConfiguration(std::uint32_t configuration);
    void SetClockCounting(bool counting);
    void SetClockTime(std::uint32_t ms);
    void ForgetClockTime();
    bool PageChangesAt(std::int32_t time);
    void SelectPageForCurrentTitle();
    std::optional<std::uint32_t> CurrentLocation(); // told by the engine
    // Kind 1634 for the title when the engine can read its attributes, then the current streams.
    void SendTitleStreams(std::uint32_t title);
    void CreateEngine();
    // The video is laid out again for the subtitle screen's size; the pages follow 20 ms later.
    void Relayout();
    void ApplyLayout();
    // The engine window moves to the subtitle screen's place on the screen.
    void Reposition();
    void OnLayoutTimer();
    void OnMessageTimer();
    void ArmMessageTimer(std::int32_t ms);
    void OnScreenEvent(UINT msg, WPARAM wParam, LPARAM lParam);
    void DrawBlanking(plat::gdi::Dc& dc, const RECT& outer) const;
    // The picture goes to the engine now on the host thread, else when the host thread gets to it.
    void GiveToEngine(QImage picture, const RECT& source, const QRect& painted);
    bool OnHostThread() const;

    std::atomic<bool> closing_{false};
    const std::shared_ptr<std::recursive_mutex> subtitleLock_ = std::make_shared<std::recursive_mutex>();
    const std::shared_ptr<TClockSource> clocks_;
    std::unique_ptr<TSubTimer> clock_;
    TClientList clients_;
    TOrderDispatcher dispatcher_{*this};
    bool overlayUsed_ = false;
    bool windowless_ = false;
    bool menuCleared_ = false;
    std::int32_t lastClockTime_ = -1; // guarded by the subtitle lock
    bool subtitlesOn_ = false;
    bool profileFlag_ = false;
    bool messagesFrozen_ = false;
    std::int32_t subtitleOffset_ = 0;
    TStyleOverride styleOverride_;
    std::int32_t profileTitle_ = -1; // guarded by the subtitle lock, as is the page model
    TSubDisplay subDisplay_;
    TEngineSetup engineSetup_ = TEngineSetup::Default();
    HWND surfacePanel_ = 0; // the window that paints the video surface
    std::unique_ptr<TGraphEngine> engine_;
    std::unique_ptr<TSubtitleWindow> screen_;
    TOsdQueue osd_{clocks_}; // guarded by the subtitle lock
    // Guarded by the subtitle lock: the settings of order 209, the last layout, the pages' area.
    TVideoLayoutSettings layoutSettings_;
    TVideoLayout layout_;
    TSubScreenControler textArea_;
    bool layoutPending_ = false;
    std::function<TScreenSize()> screenSize_;
    // A picture rebuilt on the clock thread, waiting for the host thread (guarded by the lock).
    struct TWaitingPicture {
        QImage picture;
        RECT source{};
        QRect painted;
    };
    std::optional<TWaitingPicture> waiting_;
};
