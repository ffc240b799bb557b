#pragma once
// What the main form makes of the player's events: every event goes to the remote plug-ins first, then
// the skin's displays (the time only when its whole second changes), the enabled state of the actions
// from the allowed user operations, error texts, the end of the media, the volume, the player's mode,
// the disc's profile and jacket picture, and the background picture of the video windows.
#include <QImage>

#include <cstdint>
#include <functional>
#include <string>

class QAction;
class TDVDMain;
class TMainActions;

class TMainFormEvents {
public:
    // Told whenever the background picture or its visibility changes.
    using BackgroundListener = std::function<void(const QImage& picture, bool shown)>;
    // The first argument of a title-or-chapter event.
    static constexpr intptr_t kTitleEvent = 1;
    static constexpr intptr_t kChapterEvent = 2;
    // The bit of event 36's argument that marks a disc graph.
    static constexpr intptr_t kDiscGraph = 4;
    static constexpr const char* kJacketPattern = "Jacket.*";

    TMainFormEvents(TDVDMain& main, TMainActions& actions);

    // The listener of the player's events (tag 1); answers 1.
    uint8_t OnPlayerEvent(uint32_t event, intptr_t a, intptr_t b, intptr_t c);

    // Title and chapter "0", time, position and duration 0; the video window's title bar reads "Video".
    void ResetDisplays();
    // Arguments below 0 are left alone; nothing while the main form closes.
    void UpdateDisplays(int32_t title, int32_t chapter, int64_t ms);
    void OnTitleChapterChanged(intptr_t kind, intptr_t number);
    // A file's end plays the queue's next entry or stops, so the picture never rests on a frame the
    // displays no longer account for; a disc's end runs Next Chapter.
    void OnEndOfMedia();
    void OnTimeChanged(int64_t ms);
    void UpdateActionsFromUops();
    void UpdateChapterActions();
    // The volume display shows the volume, which becomes the setting, or the mute text for 0.
    void OnVolume(intptr_t volume);

    // The profile given with the media file about to play: once the new media's information is
    // loaded it is kept there, so that the file opens with it again. Empty: none.
    void SetProfileForNewMedia(std::u16string profile) { profileForNewMedia_ = std::move(profile); }

    void LoadJacketPicture();
    void RestoreSkinBackground();
    void HideBackgrounds();
    // Shown: the video is refreshed and shown, the backgrounds hidden; else the video is hidden and
    // the background picture shows where it was.
    void ShowVideo(bool show);

    // A switch of 0 or more turns the background on (not 0) or off first, -1 keeps it; the listener
    // is told either way.
    void UpdateBackground(int32_t backgroundSwitch);

    // The picture the video windows show while no video is: the jacket while one is loaded, else the
    // skin's video background; and whether they show it.
    const QImage& Background() const { return background_; }
    bool BackgroundShown() const { return backgroundShown_; }
    const QImage& Jacket() const { return jacket_; }
    void SetBackgroundListener(BackgroundListener listener);
    int64_t LastSecond() const { return lastSecond_; }

private:
    void SetBackground(const QImage& picture, bool shown);
    void OnGraphConfiguration(intptr_t bits);
    void OpenDiscProfile();
    void ForwardToPlugins(uint32_t event, intptr_t a, intptr_t b, intptr_t c);

    TDVDMain& main_;
    TMainActions& actions_;
    std::u16string profileForNewMedia_;
    int64_t lastSecond_ = -1;
    QImage jacket_;
    QImage background_;
    bool backgroundShown_ = false;
    BackgroundListener backgroundListener_;
};
