#pragma once
// The right-click menu of the video windows and skin windows: playback commands, bookmarks, disc
// menus, the audio, subtitle and angle streams, the profile's volumes and languages, the filters of
// the current graph, settings, about and quit. It is rebuilt from scratch a short while after any of
// its lists changes (several changes give one rebuild) and pops up over every owner window while
// allowed. Items bound to a command follow its enabled and checked state and run it.
#include "platform/win/Types.h"
#include "subtitles/translator/TStringCollection.h"

#include <QImage>
#include <QObject>
#include <QPointer>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class DelayTimer;
class IAngleInfo;
class IAudioInfo;
class IFiltersInfo;
class ISubsInfo;
class QAction;
class QMenu;
class QWidget;
class TBookmarkControl;
class TNetMenuStyle;
class TProfileSubtitles;
class TVideoPopupMenu;

class TVideoMenu2 : public QObject {
public:
    // The commands of the menu, in the order of the action table.
    enum Command {
        kPlay,
        kPause,
        kStop,
        kFastBack,
        kFastForward,
        kPrevChapter,
        kNextChapter,
        kChapters,
        kAddBookmark,
        kManageBookmark,
        kSwitchFullScreen,
        kMenuTitle,
        kMenuRoot,
        kMenuSubPic,
        kMenuAudio,
        kMenuAngle,
        kMenuChapter,
        kHideSub,
        kShowHideScriptSub,
        kEnterConfig,
        kAbout,
        kQuit,
        kMLang,
        kMSub,
        kMProVol,
        kMProLang,
        kCommandCount
    };
    // The names of the main form's actions for the commands.
    static constexpr std::array<const char*, kCommandCount> kActionNames = {"Ac_Play",
                                                                            "Ac_Pause",
                                                                            "Ac_Stop",
                                                                            "Ac_FastBack",
                                                                            "Ac_FastForward",
                                                                            "Ac_PrevChapter",
                                                                            "Ac_NextChapter",
                                                                            "Ac_Chapters",
                                                                            "Ac_AddBookmark",
                                                                            "Ac_ManageBookmark",
                                                                            "Ac_SwitchFullScreen",
                                                                            "Ac_Menu_Title",
                                                                            "Ac_Menu_Root",
                                                                            "Ac_Menu_SubPic",
                                                                            "Ac_Menu_Audio",
                                                                            "Ac_Menu_Angle",
                                                                            "Ac_Menu_Chapter",
                                                                            "Ac_HideSub",
                                                                            "Ac_ShowHideScriptSub",
                                                                            "Ac_EnterConfig",
                                                                            "Ac_About",
                                                                            "Ac_Quit",
                                                                            "Act_MLang",
                                                                            "Act_MSub",
                                                                            "Act_MProVol",
                                                                            "Act_MProLang"};
    static constexpr int kRebuildDelayMs = 250;
    static constexpr int kQuitTag = 999;
    // Longest language name shown for an audio stream.
    static constexpr int kMaxLanguageName = 100;
    // The listener tag the menu registers with.
    static constexpr uint32_t kListenerTag = 1;

    // A click on a stream, volume, language or bookmark item, with the item's tag.
    using ItemHandler = std::function<void(int32_t tag)>;
    // The commands (a missing one leaves its item out) and the item handlers (a missing one means the
    // menu's own: the controller's selection).
    struct Table {
        std::array<QAction*, kCommandCount> Actions{};
        ItemHandler Subtitle;
        ItemHandler Audio;
        ItemHandler Angle;
        ItemHandler ProfileVolume;
        ItemHandler ProfileLanguage;
        ItemHandler Bookmark;
    };
    // The player objects the lists come from; any may be missing. `MainWindow` owns filter pages.
    struct Sources {
        TBookmarkControl* Bookmarks = nullptr;
        IAudioInfo* Audio = nullptr;
        ISubsInfo* Subs = nullptr;
        IAngleInfo* Angles = nullptr;
        IFiltersInfo* Filters = nullptr;
        TProfileSubtitles* Profile = nullptr;
        plat::win::HWND MainWindow = 0;
    };

    TVideoMenu2();
    ~TVideoMenu2() override;
    TVideoMenu2(const TVideoMenu2&) = delete;
    TVideoMenu2& operator=(const TVideoMenu2&) = delete;

    // The action table: the commands named kActionNames found among `actions` by object name.
    static Table TableOf(const QList<QAction*>& actions);
    void SetActions(const Table& table);
    // Listens to the sources' list and selection events from now on and keeps the editor lock.
    void AttachPlayer(const Sources& sources, bool editorLock);
    // Stops listening and drops the menu built on the sources (before they go).
    void DetachPlayer();
    void SetEditMode(bool editorLock);
    // Off: no menu pops up until it is allowed again.
    void SetAllowed(bool allowed);
    // Adds a window once (the first one's timer rebuilds the menu); none empties the list.
    void AddOwnerForm(QWidget* form);
    // A rebuild kRebuildDelayMs from now.
    void RestartTimer();
    void Rebuild();
    // The skin's picture at the foot of the menu's bar (not owned; replaced at every skin).
    void SetLogo(const QImage& logo);

    // The player's events for the menu: selections tick items, list changes rebuild.
    void OnPlayerEvent(uint32_t event, intptr_t a, intptr_t b);
    static uint8_t PlayerEventCallback(void* userData, uint32_t tag, uint32_t event, intptr_t a, intptr_t b,
                                       intptr_t c);

    // The current menu; null while none is built.
    QMenu* Menu() const;
    TStringCollection& Strings() { return strings_; }
    const std::vector<QPointer<QWidget>>& Owners() const { return owners_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct SubMenus {
        QMenu* Bookmarks = nullptr;
        QMenu* Audio = nullptr;
        QMenu* Subtitles = nullptr;
        QMenu* Angles = nullptr;
        QMenu* Filters = nullptr;
        QMenu* ProfileVolumes = nullptr;
        QMenu* ProfileLanguages = nullptr;
    };

    void AddDefaultStrings();
    void Listen(bool on);
    void ReleaseOwners();
    void BuildItems();
    QString Caption(const char* key) const;
    // An item running the command (null when the command is missing).
    QAction* AddCommandItem(QMenu& menu, const char* name, const char* key, Command command);
    QAction* AddItem(QMenu& menu, const char* name, const QString& caption);
    void AddSeparator(QMenu& menu, const char* name);
    QMenu* AddSubMenu(QMenu& menu, const char* name, const char* key, QAction* boundTo);
    static bool HasItems(const QMenu& menu);
    static void DisableEmptySubMenus(QMenu& menu);
    QAction* AddListItem(QMenu& menu, const QString& name, const QString& caption, int32_t tag, bool radio,
                         ItemHandler click);
    void AddPlaybackItems(QMenu& menu);
    void AddBookmarkItems(QMenu& menu);
    void AddDiscMenuItems(QMenu& menu);
    void AddStreamItems(QMenu& menu);
    void AddAudioItems(QMenu& menu);
    void AddSubtitleItems(QMenu& menu);
    void AddAngleItems(QMenu& menu);
    void AddProfileItems(QMenu& menu);
    void AddFilterItems(QMenu& menu);
    void AddClosingItems(QMenu& menu);
    void TickRemembered();
    // Ticks the item at that position of the menu, when there is one.
    static void Tick(QMenu* menu, int32_t index);
    QAction* ActionOf(Command command) const { return table_.Actions[command]; }
    ItemHandler Handler(const ItemHandler& given, ItemHandler builtIn) const;

    // The look of the menus: the top panel makes room for its bar, sub-menus are plain. They outlive
    // the menus that use them.
    std::unique_ptr<TNetMenuStyle> topStyle_;
    std::unique_ptr<TNetMenuStyle> subStyle_;
    std::unique_ptr<TVideoPopupMenu> menu_;
    Table table_;
    SubMenus subMenus_;
    bool editorLock_ = false;
    bool building_ = false;
    bool allowed_ = true;
    Sources sources_;
    QImage logo_;
    std::vector<QPointer<QWidget>> owners_;
    int32_t profileVolume_ = 0;
    int32_t profileLanguage_ = 0;
    int32_t subtitleStream_ = -1;
    bool subtitlesShown_ = false;
    int32_t audioStream_ = -1;
    int32_t angle_ = -1;
    TStringCollection strings_{"VideoMenu"};
    std::unique_ptr<DelayTimer> timer_;
};
