#pragma once
// The main form's action list "DVDControl": every command of the player ("Ac_...", what keys, gestures,
// remote codes, scripts, menus and skin buttons run) and the program's own actions ("Act_..."), each
// with its category, caption, default shortcut, tag and handler. An action runs only while it is
// enabled and direct control is on. An action without a handler stays disabled: its handler belongs to
// a form that binds it (Bind) once that form exists.
#include <QList>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

class QAction;
class TBookmarkControl;
class TDVDMain;
class TPlayControl;

class TMainActions {
public:
    // The tag of the actions used only inside the program.
    static constexpr int32_t kInternalTag = -999;
    static constexpr int32_t kJumpMs = 5000;
    static constexpr int32_t kSubtitleOffsetStep = 50;
    // Title and chapter given to the bookmark search in file mode.
    static constexpr uint8_t kNoTitle = 255;
    // The dynamic property that holds whether the user operations allow an action (true when unset).
    static constexpr const char* kAllowedProperty = "UopAllowed";

    // The actions are children of the main form.
    explicit TMainActions(TDVDMain& main);
    TMainActions(const TMainActions&) = delete;
    TMainActions& operator=(const TMainActions&) = delete;

    const QList<QAction*>& List() const { return list_; }
    // The action of that exact name; nullptr when there is none.
    QAction* Find(std::string_view name) const;
    // Gives the action its handler (a form's entry point) in place of the one it had.
    void Bind(std::string_view name, std::function<void()> handler);

    // While off, every action does nothing (scripts switch it on around the actions they run).
    bool DirectControl() const { return directControl_; }
    void SetDirectControl(bool on) { directControl_ = on; }

    // Whether the user operations allow the action; it is enabled when allowed and it has a handler.
    void SetAllowed(std::string_view name, bool allowed);

    // Where Act_GoToSeekPos seeks to (the skin's seek bars and the go-to-time form set it).
    void SetSeekTarget(uint32_t ms) { seekTarget_ = ms; }
    uint32_t SeekTarget() const { return seekTarget_; }
    int32_t SubtitleOffset() const { return subtitleOffset_; }

    // A DVD menu navigation action ("Ac_Menu_Up" ...) in disc mode, when it is enabled: true when a
    // shown DVD menu moved or selected its button (the core refuses while no menu is shown).
    bool NavigateDvdMenu(std::string_view name);

    // The skins' own buttons: one frame step backward, and the DVD chapter menu.
    void Bt_StepBackwardClick();
    void Bt_ChapterClick();

    // "Title :%2d Chapter :%2d  Time : %2d:%02d:%02d" in disc mode, else "Time : %2d:%02d:%02d".
    static std::string BookmarkName(bool discMode, int32_t title, int32_t chapter, int32_t timeMs);

private:
    using Handler = void (TMainActions::*)(QAction&);
    struct TActionSpec;

    void Attach(QAction& action, const TActionSpec& spec);
    void Run(QAction& action);
    void RefreshEnabled(QAction& action);
    TPlayControl* Player() const;

    void Play(QAction&);
    void Pause(QAction&);
    void Stop(QAction&);
    void NextChapter(QAction&);
    void PrevChapter(QAction&);
    void FastForward(QAction&);
    void FastBack(QAction&);
    void StepForward(QAction&);
    void JumpForward(QAction&);
    void JumpBackward(QAction&);
    void GoToSeekPos(QAction&);
    void EnterFileMode(QAction&);
    void EnterDVDMode(QAction&);
    void Nothing(QAction&);
    void ShowMenu(QAction&);
    void MenuButton(QAction&);
    void NextAudio(QAction&);
    void NextSubpicture(QAction&);
    void NextAngle(QAction&);
    void HideSub(QAction&);
    void VolumeMore(QAction&);
    void VolumeLess(QAction&);
    void VolumeMute(QAction&);
    void AddBookmark(QAction&);
    void MenuAddBookmark(QAction&);
    void GoToNextBook(QAction&);
    void GoToPrevBook(QAction&);
    void ShowHideScriptSub(QAction&);
    void SubOffsetAdd(QAction&);
    void SubOffsetMinus(QAction&);
    void SwitchFullScreen(QAction&);
    void VideoOnTop(QAction&);
    void BringToFront(QAction&);
    void ResetWindowsPosition(QAction&);
    void CloseForm(QAction&);
    void ShowDebugInfo(QAction&);
    void Quit(QAction&);

    void ChangeSubtitleOffset(int32_t step);
    void GoToBookmark(bool next);
    // The bookmark control and where the player is, when there is a player with bookmarks.
    struct BookmarkPlace {
        TBookmarkControl* bookmarks = nullptr;
        int32_t title = 0;
        int32_t chapter = 0;
        int32_t time = 0;
    };
    std::optional<BookmarkPlace> CurrentBookmarkPlace() const;
    void RunNamed(std::string_view name);

    TDVDMain& main_;
    QList<QAction*> list_;
    std::unordered_map<QAction*, std::function<void()>> handlers_;
    bool directControl_ = true;
    uint32_t seekTarget_ = 0;
    int32_t subtitleOffset_ = 0;
};
