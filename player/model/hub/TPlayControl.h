#pragma once
// The player hub: the one object through which the windows play, pause, stop, seek and navigate, and
// the one that hears everything the core reports. Its hidden window "TovrinVidCallbackWindow" is the
// client window of the core's player instance: the core's messages and WM_COPYDATA records arrive
// there and become state in TPlaybackInfo, calls on the controllers and numbered player events.
#include "foundation/TMemoryObject.h"
#include "player/model/binding/TCallbackWindow.h"
#include "player/model/controllers/TPlayerControllers.h"
#include "player/model/events/TCallbackFunction.h"
#include "player/model/hub/THubEnvironment.h"
#include "player/model/hub/TPlaybackInfo.h"
#include "player/model/hub/TPlayerObjects.h"
#include "player/model/hub/TScanSpeeds.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

class TPlayControl : public TPlayerObjects, private TCallbackWindow::THandler {
public:
    static constexpr const char* kClassName = "TovrinVidCallbackWindow";
    // Timers of the hidden window: go to the start-up bookmark, restore the resume point.
    static constexpr plat::win::UINT_PTR kStartupBookmarkTimer = 101;
    static constexpr plat::win::UINT_PTR kResumeTimer = 102;
    // What the hub handles though the core never sends it: message 1529 (wParam a register index
    // below 200, lParam its value) and status kind 9 (playback stopped).
    static constexpr plat::win::UINT kMsgCoreRegisterIndexed = 1529;
    static constexpr uint32_t kStatusStopped = 9;
    // Bytes of the block order 400 hands out after the frame's address and size.
    static constexpr size_t kFrameInfoBytes = 24;

    // Creates the hidden window and the disc information (when the factory makes one). The factory,
    // when given, must outlive the hub; without one the hub has no controllers.
    explicit TPlayControl(IPlayerControllerFactory* factory = nullptr);
    // Destroys the controllers, frees the instance and closes the window.
    ~TPlayControl() override;

    // Makes the controllers (in their order) and the core instance for the hidden window; the
    // instance's result.
    int32_t CreatePlayer();
    // Destroys the controllers in the same order and frees the instance.
    void DestroyPlayer();

    // Listeners of the hub's own events; Notify broadcasts to them.
    int32_t AddListener(void* userData, uint32_t tag, TPlayerEventCallback callback);
    void Notify(uint32_t event, intptr_t a, intptr_t b, intptr_t c);

    // Playback operations. Play, Pause, Stop, ScanSpeed and MenuButton report "::PC::INST:: No Player2
    // Object Instance Created" at level 0 and answer -1 without a core instance.
    int32_t Play();
    int32_t Pause();
    int32_t Stop();
    int32_t NextChapter();
    int32_t PrevChapter();
    int32_t ScanSpeed(int32_t step, double* rate = nullptr);
    int32_t Step(int32_t frames);
    int32_t SeekTo(uint32_t milliseconds);
    int32_t Jump(int32_t milliseconds);
    int32_t ShowMenu(uint8_t menu);
    int32_t MenuButton(uint8_t button);
    // The play state (order 301), 0 when the order fails.
    uint32_t GetPlayState();
    // The subtitle clock in ms (order 307), 0 when the order fails.
    int32_t GetTimeCode();
    int32_t SaveGraph(const char16_t* path);
    int32_t LoadGraphScript(const char16_t* path);
    int32_t SetGraphVariable(const char16_t* name, const char16_t* value);
    // Order 207: the 8-bit path is the request itself.
    int32_t SetLogFile(const char* path);
    int32_t SetProfileTitle(int32_t title);
    int32_t SetSubtitleOffset(int32_t milliseconds);
    int32_t SetStyleOverride(int32_t shadowDepth, int32_t outlineStyle, int32_t outlineWidth);
    // Order 260; the caller returns the block with FreeData.
    bool GetCurrentImage(void** image);
    int32_t RefreshStreams(int32_t title);
    int32_t RefreshTitles();

    // State and settings.
    void SetFileName(const char16_t* name);
    void SetBookmarksFolder(const char16_t* folder);
    void SetDiscFolder(const char16_t* folder);
    // False without a folder; otherwise the buffer holds the folder and a counted terminator.
    bool GetDiscFolder(TMemoryObject* buffer) const;
    // False without a file name. Without a buffer the length in characters goes to *length; with a
    // buffer at most *length characters are copied (never more than the name has), followed by a
    // terminator when fewer than *length were copied.
    bool GetFileName(char16_t* buffer, int32_t* length) const;
    // False without a file name; otherwise a copy of it.
    bool GetFileName(std::u16string* copy) const;
    void GetPosition(int32_t* title, int32_t* chapter, int32_t* timeMs, int32_t* durationMs) const;
    int32_t GetTitle() const { return info_.Title; }
    int32_t GetChapter() const { return info_.Chapter; }
    int32_t GetDuration() const { return info_.DurationMs; }
    bool GetDiscId(uint32_t* idHigh, uint32_t* idLow) const;
    bool UsesDrive(char letter) const;
    // -1 for no buffer; otherwise the buffer becomes a copy of the last graph's log, 0.
    int32_t GetGraphText(TMemoryObject* buffer) const;
    void SetScanSpeedCount(int32_t count);
    void SetScanSpeed(int32_t index, double rate);
    // The delay of timers 101 and 102; 0 becomes 1.
    void SetAutoBookmarkDelay(uint32_t milliseconds);
    // Saves a resume point and stops; the next disc opening restores it. The save result.
    int32_t SuspendForModeSwitch();
    // Plays again when a resume is pending or forced, else -1.
    int32_t ResumeAfterModeSwitch(bool force);

    // The capture ring size sent with order 208 after every graph build.
    void SetCaptureFrames(uint32_t frames);
    // Order 106. A title or chapter that is not positive is the current one; a title above 100 carries
    // both as title * 255 + chapter.
    int32_t PlayAtTimeInTitle(int32_t title, int32_t chapter, uint32_t timeCode);
    // Order 400: 0 and the frame's address, size and the 24 information bytes, else -1.
    int32_t GetCapturedFrame(uint32_t frameNumber, const void** address, uint32_t* size,
                             std::array<uint8_t, kFrameInfoBytes>* info);

    // Handles one WM_COPYDATA block from the core; see the source for the records.
    plat::win::LRESULT OnCopyData(const plat::win::COPYDATASTRUCT* data);

    // Installs what the hub asks of the machine; nullptr restores the defaults. The caller keeps it
    // alive while it is installed.
    void SetEnvironment(const THubEnvironment* environment);

    plat::win::HWND Window() const { return window_->Handle(); }
    const TPlaybackInfo& PlaybackInfo() const { return info_; }
    TPlayerControllers& Controllers() { return controllers_; }
    IDVDInfo* DVDInfo() const { return dvdInfo_.get(); }
    int32_t ScanSpeedIndex() const { return scanSpeeds_.Index(); }
    int32_t ScanSpeedCount() const { return scanSpeeds_.Count(); }
    uint32_t AutoBookmarkDelay() const { return autoBookmarkDelay_; }
    bool ResumePending() const { return resumePending_; }

private:
    plat::win::LRESULT HandleMessage(plat::win::HWND hwnd, plat::win::UINT msg, plat::win::WPARAM wParam,
                                     plat::win::LPARAM lParam) override;
    // False, after reporting the missing instance, when there is none.
    bool CheckInstance() const;
    bool ShowCommand(const char16_t* name);
    void SetOsdVariable(const char16_t* name, const char16_t* value);

    void OnTime(uint32_t milliseconds, uint32_t frameRate);
    void OnNewMedia(uint32_t idHigh, uint32_t idLow);
    void OnIndexedRegister(plat::win::WPARAM index, uint32_t value);
    void OnTitleChapter(plat::win::WPARAM which, uint32_t number);
    void OnTimer(plat::win::UINT_PTR id);
    void OnErrorText(uint8_t severity, const char16_t* text);
    void OnStatus(uint32_t status, uint32_t value1, uint32_t value2);
    void OnAudioStream(uint32_t value2);
    void OnSubpictureStream(uint32_t value2);
    void OnAngle(uint32_t value2);
    // The English name of a stream's language, empty when it has none.
    std::u16string LanguageName(std::optional<uint32_t> lcid) const;
    void OnPlayState();
    void OnGraphBuilt();
    void FetchMediaName();
    void FetchFilters();
    void FetchGraphLog();
    // Derives the per-disc folder and storage file (empty when there is none).
    void DerivePaths(uint32_t idHigh, uint32_t idLow, std::u16string& discFolder,
                     std::u16string& storage) const;
    void LoadDiscFolder(const std::u16string& discFolder);
    void StartBookmarkTimer();
    std::optional<std::u16string> ReadGraphText(const char16_t* path) const;
    void StoreDiscInformationStreams(const TOrderDiscInformation& information);

    IPlayerControllerFactory* factory_;
    const THubEnvironment* environment_;
    TPointer<TCallbackFunction> listeners_;
    uint32_t captureFrames_ = 0;
    uint32_t autoBookmarkDelay_ = 1;
    TPlaybackInfo info_;
    std::optional<std::u16string> fileName_;
    std::optional<std::u16string> bookmarksFolder_;
    std::optional<std::u16string> discFolder_;
    bool resumePending_ = false;
    TScanSpeeds scanSpeeds_;
    TMemoryObject graphText_{1024};
    uint8_t driveLetter_ = 0;
    TPlayerControllers controllers_;
    std::unique_ptr<IDVDInfo> dvdInfo_;
    std::unique_ptr<TCallbackWindow> window_;
};
