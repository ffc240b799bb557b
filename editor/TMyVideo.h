#pragma once
// The editor's video and subtitle operations, the same in both modes: with a play control its
// orders reach the editor's own core (local mode) or, through the remote binding, the running
// player (remote mode). Command texts go to the player's main window as command frames, each
// followed by message 11023.
#include "platform/win/Types.h"

#include <cstdint>
#include <functional>
#include <string_view>

class TLanguage;
class TPlayControl;
class TProfileSubtitles;
class TSubEvents;
struct TStyles;
template <class T> class TPointer;

class TMyVideo {
public:
    static constexpr plat::win::UINT kMsgAfterCommand = 11023;

    // The play control (none before start-up and after the close sequence) and its profile
    // subtitle sender, whose profile is the editor's document.
    void BindPlayer(TPlayControl* playControl, TProfileSubtitles* sender);
    // The editor's main window (the sender of command texts) and the player's (0 in local mode).
    void SetWindows(plat::win::HWND editor, plat::win::HWND player);
    // Where deferred play requests go (the main form's 200 ms timer).
    void SetPlayAtHandler(std::function<void(int32_t title, int32_t chapter, uint32_t packedTime)> handler);

    // Sends the text as a command frame and then message 11023; answers the frame's answer, 0 when
    // there is no window.
    int32_t SendPlayerCommand(plat::win::HWND window, std::string_view text);
    // The playing time in ms: the player's answer to "/CMD:GETTIME" in remote mode, else the
    // subtitle clock of the own core (-1 without play control).
    int32_t GetTime();
    int32_t PlayAtTitleTime(int32_t title, int32_t chapter, uint32_t packedTime);
    // One event list as page `number`: orders 500, 503, 504, 502. -1 without list or play control.
    int32_t LoadSubtitlePages(int32_t number, const TPointer<TStyles>* styles,
                              const TPointer<TSubEvents>* events);
    // The language's styles and every title's page; false without play control or language.
    bool LoadLanguageSubtitles(TLanguage* language);
    // Closes the sender's profile (the document is emptied) and turns the subtitles off.
    bool ClearProfileSubtitles();
    bool ShowProfileSubtitles();
    bool HideProfileSubtitles();
    // Order 505: the profile title whose page is shown. -1 without play control.
    int32_t ShowSubtitlePage(int32_t number);
    // Order 151 in local mode; "/CMD:SHOWVIDEOWIN" to the player in remote mode.
    void ShowVideoWindow();

    bool IsRemote() const { return player_ != 0; }
    bool HasPlayControl() const { return playControl_ != nullptr; }
    plat::win::HWND PlayerWindow() const { return player_; }
    plat::win::HWND EditorWindow() const { return editor_; }

private:
    TPlayControl* playControl_ = nullptr;
    TProfileSubtitles* sender_ = nullptr;
    plat::win::HWND editor_ = 0;
    plat::win::HWND player_ = 0;
    std::function<void(int32_t, int32_t, uint32_t)> playAt_;
};
