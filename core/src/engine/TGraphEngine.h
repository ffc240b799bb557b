#pragma once
// The playback engine of a player: its hidden-then-shown render window, the stored graph description
// with its variables, the graph built from it and the parts that build it, drive it and take pictures
// from it. It reports to its player through three callbacks. Graph events arrive from the media
// layer's threads as message TEngineContext::kGraphNotify posted to the window, so everything here runs on
// the thread that owns the window.
#include "core/src/engine/TEngineCapture.h"
#include "core/src/engine/TEngineContext.h"
#include "core/src/engine/TEngineDvd.h"
#include "core/src/engine/TEngineDvdEvents.h"
#include "core/src/engine/TEnginePlacement.h"
#include "core/src/engine/TEngineSetup.h"
#include "core/src/engine/TEngineStates.h"
#include "core/src/engine/TEngineTransport.h"
#include "core/src/engine/TGraphBuilder.h"
#include "core/src/filters/TFilterListing.h"
#include "core/src/framework/TCoreWindow.h"
#include "core/src/graph/TGraphDescription.h"
#include "core/src/graph/TGraphLog.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TGraphEngine : public TCoreWindow {
public:
    static constexpr const char* kWindowClass = "TOVDirectShowRenderWindow";

    TGraphEngine(TCoreObject* owner, TEngineSetup setup);
    ~TGraphEngine() override;

    int CreateRenderWindow();
    void SetCallbacks(TEngineCallbacks callbacks) { context_.callbacks = std::move(callbacks); }

    // The description the next build runs (order 200) and its variables (order 204).
    void SetGraphText(std::uint32_t kind, const char16_t* text) { description_.Set(kind, text); }
    bool SetGraphVariable(const std::u16string& name, const std::u16string& value);

    bool BuildGraph() { return builder_.BuildGraph(); }
    bool ReleaseGraph();
    // Status 11 and 15 again for a client that registers; nothing without a graph.
    bool ReportCapabilities();

    bool Play() { return transport_.Play(); }
    bool TogglePause() { return transport_.TogglePause(); }
    bool StopPlayback(bool keepGraph) { return transport_.StopPlayback(keepGraph); }
    bool SetPlaybackRate(double rate) { return transport_.SetPlaybackRate(rate); }
    bool StepFrames(std::int32_t count) { return transport_.StepFrames(count); }
    bool SeekToTimeCode(std::uint32_t timeCode) { return transport_.SeekToTimeCode(timeCode); }
    bool SeekRelative(std::int32_t delta) { return transport_.SeekRelative(delta); }
    std::int32_t GetVolume() { return transport_.GetVolume(); }
    bool SetVolume(std::int32_t volume) { return transport_.SetVolume(volume); }
    std::uint32_t GetPlayState() { return transport_.GetPlayState(); }
    bool GetPosition(std::uint32_t& ms, std::uint32_t& flags, std::uint32_t* titleAndChapter) {
        return transport_.GetPosition(ms, flags, titleAndChapter);
    }
    bool IsInDvdMenu() const { return context_.inDvdMenu; }

    // DVD navigation (orders 106, 108-110, 113, 114, 120-122, 300 and 303); see TEngineDvd. A time in
    // a title of a media file is a time in the file.
    bool SeekInTitle(std::uint8_t title, std::uint32_t timeCode);
    bool OpenMenu(std::uint8_t menu) { return dvd_.OpenMenu(menu); }
    bool NavigateButton(std::uint8_t action) { return dvd_.NavigateButton(action); }
    bool PlayTitleChapter(std::uint32_t title, std::uint32_t chapter) {
        return dvd_.PlayTitleChapter(title, chapter);
    }
    bool PlayAdjacentChapter(int direction) { return dvd_.PlayAdjacentChapter(direction); }
    bool SelectAudio(std::uint32_t stream) { return dvd_.SelectAudio(stream); }
    bool SelectSubpicture(std::uint32_t stream, std::uint8_t state) {
        return dvd_.SelectSubpicture(stream, state);
    }
    bool ChooseAngle(std::uint32_t angle) { return dvd_.ChooseAngle(angle); }
    bool SetDisplayMode(std::uint32_t mode) { return dvd_.SetDisplayMode(mode); }
    void RefreshStreams(std::uint32_t* audio, std::uint32_t* subpicture, std::uint32_t* angle) {
        dvd_.RefreshStreams(audio, subpicture, angle);
    }
    bool ReadTitleAttributes(std::uint32_t title, plat::dvd::DvdMenuAttributes* menu,
                             plat::dvd::DvdTitleAttributes* attributes) {
        return dvd_.ReadTitleAttributes(title, menu, attributes);
    }
    std::vector<std::uint32_t> GetChapterCounts() { return dvd_.GetChapterCounts(); }
    bool PostDiscId() { return dvd_.PostDiscId(); }

    // Saved playback states in storage files (orders 250-252); see TEngineStates.
    bool CaptureState(std::string& record) { return states_.CaptureState(record); }
    bool SaveState(const std::u16string& file, const std::u16string& stream) {
        return states_.SaveState(file, stream);
    }
    bool LoadState(const std::u16string& file, const std::u16string& stream) {
        return states_.LoadState(file, stream);
    }
    bool DeleteState(const std::u16string& file, const std::u16string& stream) {
        return states_.DeleteState(file, stream);
    }
    bool SaveStateA(const char* file, const char* stream) { return states_.SaveStateA(file, stream); }
    bool LoadStateA(const char* file, const char* stream) { return states_.LoadStateA(file, stream); }
    bool DeleteStateA(const char* file, const char* stream) { return states_.DeleteStateA(file, stream); }

    // The media file of the last build; false when there is none.
    bool GetMediaName(std::u16string& name) const;
    // The texts of orders 304, 305 and 306 in blocks of the core's heap; null when memory runs out.
    char16_t* FilterListText() const;
    // The graph's filters as fixed entries (see TFilterListing); false without a graph.
    bool ListFilters(TFilterListEntry* entries, std::uint32_t capacity, std::uint32_t* count) const;
    char16_t* MediaContentText() const;
    char16_t* GraphLogText() const { return log_.Handover(); }
    // The properties frame of the graph's filter of that 1-based number (see TFilterPropertyPages).
    bool ShowFilterProperties(HWND owner, std::uint32_t number) const;
    // 0 when saved, negative on failure (also without a graph).
    std::int32_t SaveGraphToGrf(const std::u16string& file);

    bool StartFrameCapture(std::uint32_t capacity) { return capture_.StartFrameCapture(capacity); }
    TCaptureStatus GetCapturedFrame(std::uint32_t number, TCapturedFrame* frame) {
        return capture_.GetCapturedFrame(number, frame);
    }
    bool GetCurrentPicture(std::vector<std::uint8_t>* image) { return capture_.GetCurrentPicture(image); }

    // Where and how the picture is shown, and the subtitle picture mixed over it.
    TEnginePlacement& Placement() { return placement_; }
    // The window takes the size; the video follows the rectangle it is given, not the window.
    bool Resize(int cx, int cy) override;
    // The position is stored; the window goes to (0, 0) at the bottom of the z-order.
    bool Move(int x, int y) override;
    // Shown when a mixing renderer shows the video, else hidden; true.
    bool Show() override;
    bool Hide() override;

    // Remembers the window as the parent window, then makes it the engine window's parent.
    bool SetParentWindow(HWND parent) override;
    LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    // Handles the graph events waiting, until none is left or the graph is gone.
    void DrainGraphEvents();
    void OnTimer(WPARAM id);
    // Posts the message to the parent of the parent window, when there is one.
    void ForwardToParentOwner(UINT msg, WPARAM wParam, LPARAM lParam) const;

    TEngineSetup setup_;
    HWND parentWindow_ = 0;
    TGraphDescription description_;
    TGraphLog log_;
    TEngineContext context_;
    TEngineCapture capture_;
    TEngineDvd dvd_;
    TEngineDvdEvents dvdEvents_;
    TEngineTransport transport_;
    TEngineStates states_;
    TGraphBuilder builder_;
    TEnginePlacement placement_;
};
