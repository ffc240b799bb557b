#pragma once
// The player's main form: created first, never shown, owner of the player's object model (the core
// link, the player hub, the settings) and the player's inbox for command texts, core orders from the
// editor, volume arrivals and removals, dropped files and the private messages of scripts and
// threads. Its window, of class "TDVDMain", is found by other processes under the title
// "TovrinPlayer", which it takes at the end of FormCreate.
#include "platform/win/Types.h"
#include "player/dialogs/config/IConfigHost.h"
#include "player/model/mainwindow/IMainWindowServices.h"
#include "player/model/playlist/TPlayList.h"
#include "player/model/settings/TTovrinConfig.h"
#include "player/scripting/actions/TActionControler.h"
#include "player/ui/ICommandTarget.h"
#include "player/ui/IFullscreenHost.h"
#include "player/ui/IPlaySourceHost.h"
#include "player/ui/ISkinActionHost.h"
#include "player/ui/TApplicationHints.h"
#include "player/ui/TFormPlacement.h"
#include "player/ui/TMediaOpener.h"
#include "player/ui/TMouseCursor.h"
#include "player/ui/TPlayerFolders.h"
#include "subtitles/translator/TStringCollection.h"

#include <QWidget>

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QImage;
class TMainControl;
class TPlugIns;
class TProfileControllerFactory;
class TProfileSubtitles;
namespace plat::display {
class DisplayModes;
}
namespace plat::win {
class NamedMutex;
}
class TMainActions;
class TMainFormEvents;
class TMountWatcher;
class TMouseFunctions;
class TPlayControl;
class TPlayerSkin;
class TChapters;
class TConfig;
class IScriptSettingsDialog;
class TVersionCheck;
class TVersionCheckDialogs;
class TPlaySourceMenu;
class TFullscreen;
class TScreenMode;
class TScriptBridge;
class TShortcutFilter;
class TStaticHoverButton;
class TTexHoverButton;
class TVideo;
class TVideoMenu2;

class TDVDMain : public QWidget,
                 public ICommandTarget,
                 public IMainWindowServices,
                 public IFullscreenHost,
                 public IPlaySourceHost,
                 public ISkinActionHost,
                 public IConfigHost {
public:
    static constexpr const char* kClassName = "TDVDMain";
    static constexpr const char* kCaption = "Tovrin";
    static constexpr const char* kFindTitle = "TovrinPlayer";

    // Private messages of the main form.
    static constexpr plat::win::UINT kMsgEditorLock = 1532;
    static constexpr plat::win::UINT kMsgShowSettings = 1533;
    static constexpr plat::win::UINT kMsgQuit = 1534;
    static constexpr plat::win::UINT kMsgRestore = 1936;
    static constexpr plat::win::UINT kMsgSettingsClosed = 2225;
    static constexpr plat::win::UINT kMsgPluginCommand = 2258;
    static constexpr plat::win::UINT kMsgAutoexec = 5345;
    static constexpr plat::win::UINT kMsgVersionAnswer = 9912;
    // To the attached editor: wParam 0 asks it to close (1 closed, 0 refused), 1 to come forward.
    static constexpr plat::win::UINT kMsgEditorRequest = 2023;

    // Constructs the members; the window and the model come with FormCreate.
    explicit TDVDMain(QWidget* owner = nullptr);
    ~TDVDMain() override;

    // Where the settings stop the program when the main form has closed (the application's loop).
    void SetOnClosed(std::function<void()> onClosed) { onClosed_ = std::move(onClosed); }
    // The mount table watched for volume arrivals (the system's by default).
    void SetMountTable(std::string path) { mountTable_ = std::move(path); }
    // The lock that makes this player the first instance. Once a quit goes ahead the player lets go of
    // it and of the title other starts find it by, so that a start meanwhile becomes the first instance
    // instead of handing its command line to a player that is going.
    void HoldInstanceLock(std::unique_ptr<plat::win::NamedMutex> lock);
    const std::string& MountTable() const { return mountTable_; }

    void FormCreate();
    void SetVideoForm(TVideo* video) { video_ = video; }
    TVideo* VideoForm() const { return video_; }
    // The chapters window, bound to the player's titles from InitAfterForms until the player goes
    // (none: the window goes); Ac_Chapters shows and hides it.
    void SetChaptersForm(TChapters* chapters);
    // The full-screen form; screen modes switch once both video forms are set.
    void SetFullscreenForm(TFullscreen* fullscreen);
    TFullscreen* FullscreenForm() const { return fullscreen_; }
    // The window the skin's windows stand around: the video window, or the full-screen one.
    QWidget* SkinAnchor() const override;
    void InitAfterForms(bool useDefaultSkin);
    int32_t ProcessCommandLine(const std::string& text, plat::win::HWND sender);
    // The enabled remote plug-ins start unless "NOPLUG" was given (forced: also then); the number
    // started.
    int32_t StartPlugins(bool force);
    void PostAutoexecScript();
    // Asks the maker's site for a newer build (-1 while a check is pending); the answer arrives as
    // message 9912 and is evaluated by OnVersionAnswer.
    int32_t StartVersionCheck(bool askedByUser);
    void OnVersionAnswer();
    TVersionCheck* VersionCheck() const { return versionCheck_.get(); }
    const TStringCollection& MainStrings() const { return mainStrings_; }

    void Ac_QuitExecute() override;
    // The settings dialog, shown by Ac_EnterConfig (none: the command does nothing).
    void SetConfigForm(TConfig* config);
    TConfig* ConfigForm() const { return configForm_; }
    // The settings dialog as the command scripts reach it; null without one.
    IScriptSettingsDialog* ScriptSettingsDialog() const;

    // IConfigHost
    std::string ProgramFolder() const override { return folders_.Program; }
    std::string SettingsFolder() const override { return folders_.Settings; }
    std::string SystemFolder() const override { return folders_.System; }
    std::vector<std::string> OpticalDriveRoots() const override;
    TActionControler& Commands() override { return actionControler_; }
    IHintSettings& Hints() override { return hints_; }
    // Every command's action gets its stored shortcut back / loses it (dialogs that take keys).
    void EnableShortcuts() override;
    void DisableShortcuts() override;
    void ApplySkin(const std::string& fileName) override;
    bool ReadSkinFirstLine(const std::string& archivePath, std::string& firstLine, QImage* preview) override;
    bool ApplyFileAssociations(bool force) override;
    void Translate(QWidget& form, TStringCollection& strings) override;
    void SettingsClosed(bool saved) override;
    // The wheel and the double click of the video windows.
    void FormMouseWheelUp() override;
    void FormMouseWheelDown() override;
    void RunDoubleClickFunction() override;

    // The mode the video window holds: disc or media file.
    bool IsDVDMode() const;
    bool IsFileMode() const;
    void SwitchToFileMode();
    void SwitchToDiscMode();
    // The queue's next entry (stopAtEnd: stop when there is none) or previous entry plays.
    void PlayNextQueueItem(bool stopAtEnd);
    void PlayPreviousQueueItem();
    bool ProfileSubtitlesShown() const;
    // Closing by any other way than Quit runs Quit instead.
    void closeEvent(QCloseEvent* event) override;

    plat::win::LRESULT WndProc(plat::win::UINT msg, plat::win::WPARAM wParam, plat::win::LPARAM lParam);

    // The files dropped on the player's windows: one is opened; several replace the play queue, in
    // their order, and play one after the other from the first.
    void OnDropFiles(const std::vector<std::string>& files);
    void OnVolumeArrival(const std::string& root);
    void OnVolumeRemoval(const std::string& root);

    // ICommandTarget
    bool IsClosing() const override { return closing_; }
    void OpenFile(const std::string& path) override;
    void EnqueueFile(const std::string& path) override;
    void PlayQueueItem(int32_t index) override;
    void DeletePlaylistItem(int32_t index) override;
    void BringVideoToFront() override;
    void SetScreenMode(int32_t mode) override;
    void LoadSkin(const std::string& path) override;
    void SetSettingsFolder(const std::string& folder) override;
    void SetPluginsOff() override { pluginsOff_ = true; }
    void LoadAspectProfile(const std::string& name) override;
    void RemoteCode(const std::string& code) override;
    void HideInterface() override;
    void SetSilent(bool silent) override;
    void SetEditMode(bool on, plat::win::HWND sender) override;
    void ResetWindowsPosition() override;
    int32_t GetTimeCode() override;
    bool GetDiscId(uint32_t* high, uint32_t* low) override;
    void CloseProfile() override;
    void ShowProfileSubtitles(bool shown) override;
    void RunCommandWord(const std::string& word) override;

    // IMainWindowServices
    uint8_t OnPlayerEvent(uint32_t event, intptr_t a, intptr_t b, intptr_t c) override;

    // IFullscreenHost (IsClosing and RunDoubleClickFunction above)
    void VideoPanelMouseDown() override;

    // IPlaySourceHost
    std::vector<plat::shell::OpticalDrive> OpticalDrives() const override;

    // ISkinActionHost (the rest above)
    QAction* FindActionByCommand(std::string_view text, std::string* arguments) const override;
    void SetSeekTarget(uint32_t ms) override;
    uint32_t SeekTarget() const override;
    void GoToSeekPos() override;
    QMenu* PlaySourceMenu() const override;

    // An error text for the message box (nothing while it does not exist or is silent).
    void ShowError(const std::u16string& text) override;

    // Form places in "Form Pos.ini" of the settings folder.
    void SaveFormPosition(const QWidget* form) override { placement_.Save(form); }
    void LoadFormPosition(QWidget* form) override { placement_.Load(form); }
    const TFormPlacement& Placement() const { return placement_; }
    // The video window on top of the others when the option is on (see TWindowLayering).
    void SetVideoStayOnTop(bool on);
    bool VideoStayOnTop() const { return videoStayOnTop_; }
    void ApplyVideoStayOnTop();
    void RestackWindows();
    // Message 1936: the player's windows come back and the video comes forward.
    void OnApplicationRestore();
    // Shows or hides the mouse cursor of the whole program.
    void ShowMouseCursor(bool show);
    bool MouseCursorShown() const { return cursor_.Shown(); }
    // The background picture of both video windows and their background state (as UpdateBackground).
    void SetVideoBackgrounds(const QImage* bitmap, int state);
    // The skin, once InitAfterForms has loaded it.
    TPlayerSkin* Skin() const { return skin_.get(); }
    // Loads the named skin (a full path, or a name in the skins folder; the default skin when empty or
    // failing), then gives its pictures to the windows and its windows to the video menu. False when
    // even the default skin failed.
    bool LoadSkin(const std::string& name, bool fullPath);
    void LoadStartupSkin(bool useDefaultSkin);
    // Pushes the settings into the client model.
    void ApplySettings();
    // Translates the forms and texts from the language file the settings name.
    void ApplyTranslation() override;
    // The video menu pops up over the video window and every skin window.
    void RebuildVideoMenuOwners();
    void SetContextMenuAllowed(bool allowed);
    TVideoMenu2& VideoMenu() const { return *videoMenu_; }

    plat::win::HWND Handle() const { return handle_; }
    const TPlayerFolders& Folders() const { return folders_; }
    TPlayControl* PlayControl() const { return playControl_.get(); }
    TTovrinConfig& Config() { return config_; }
    bool EditorLock() const { return editorLock_; }
    plat::win::HWND AttachedEditor() const { return attachedEditor_; }
    bool PluginsOff() const { return pluginsOff_; }
    bool Silent() const { return silent_; }
    bool MountPending() const { return mountPending_; }
    void SetMountPending(bool pending) { mountPending_ = pending; }
    TPlayList& PlayQueue() { return playQueue_; }
    TActionControler& Actions() { return actionControler_; }
    TPlugIns* PlugIns() const { return plugIns_.get(); }
    // The form's action list "DVDControl": every command of the player.
    const QList<QAction*>& DVDControl() const override;
    TMainActions& MainActions() { return *actions_; }
    TMainFormEvents& Events() { return *events_; }
    TMouseFunctions& MouseFunctions() { return *mouse_; }
    TScriptBridge& Bridge() { return *bridge_; }
    const std::string& CurrentMedia() const { return opener_->CurrentMedia(); }
    // Opening files and discs, the play and stop actions and the history (from FormCreate on).
    TMediaOpener& Opener() { return *opener_; }
    // The play-source menu "Pop_Play" (from FormCreate on).
    TPlaySourceMenu* PlayMenu() const { return playMenu_.get(); }
    TProfileSubtitles* ProfileSubtitles() const;
    int32_t DoubleClickSpeed() const { return doubleClickSpeed_; }
    int32_t DoubleClickHeight() const { return doubleClickHeight_; }

    // The index (0 = A) of the lowest of the first 26 bits set; 26 when none is.
    static int32_t DriveIndexFromMask(uint32_t unitMask);

private:
    static plat::win::LRESULT Procedure(plat::win::HWND hwnd, plat::win::UINT msg, plat::win::WPARAM wParam,
                                        plat::win::LPARAM lParam);
    plat::win::LRESULT OnCopyData(plat::win::WPARAM sender, const plat::win::COPYDATASTRUCT* copy);
    void ReloadSettings();
    void ApplyEditorLock(bool on);
    // The language template the settings ask for (General/GenerateTranslationFile).
    void WriteTranslationTemplate();
    void FormClose();
    // The opening actions that have no handler of the action list's own.
    void BindOpeningActions();
    void ApplySkinPictures();
    const QImage* SkinVideoBackground() const;
    void DeleteTempFiles() const;
    // Other starts no longer find this player.
    void WithdrawInstance();
    // The hidden texture buttons: Bt_Texture carries the dialog buttons' pictures, which Bt_StatTexture
    // hands on to every dialog button of the program while the main form lives.
    void MakeTextureButtons();

    TPlayerFolders folders_;
    TApplicationHints hints_;
    TTovrinConfig config_;
    // Before the skin, whose main window keeps its place here when it goes.
    TFormPlacement placement_;
    std::unique_ptr<plat::display::DisplayModes> displayModes_;
    std::unique_ptr<TProfileControllerFactory> controllerFactory_;
    std::unique_ptr<TMainControl> mainControl_;
    std::unique_ptr<TPlayControl> playControl_;
    std::unique_ptr<TMountWatcher> mountWatcher_;
    std::string mountTable_ = "/proc/self/mountinfo";
    TPlayList playQueue_;
    TActionControler actionControler_;
    std::unique_ptr<TMainActions> actions_;
    std::unique_ptr<TMainFormEvents> events_;
    std::unique_ptr<TMouseFunctions> mouse_;
    std::unique_ptr<TScriptBridge> bridge_;
    TShortcutFilter* shortcutFilter_ = nullptr;
    TTexHoverButton* texture_ = nullptr;
    TStaticHoverButton* statTexture_ = nullptr;
    std::shared_ptr<TPlugIns> plugIns_;
    std::unique_ptr<TMediaOpener> opener_;
    std::unique_ptr<TPlaySourceMenu> playMenu_;
    TVideo* video_ = nullptr;
    TChapters* chapters_ = nullptr;
    TConfig* configForm_ = nullptr;
    // Skin archives whose script could not be read, with their change time: reported once.
    std::map<std::string, std::filesystem::file_time_type> brokenSkins_;
    std::unique_ptr<TPlayerSkin> skin_;
    std::unique_ptr<TVideoMenu2> videoMenu_;
    TFullscreen* fullscreen_ = nullptr;
    std::unique_ptr<TScreenMode> screenMode_;
    TMouseCursor cursor_;
    std::function<void()> onClosed_;
    TStringCollection mainStrings_;
    std::unique_ptr<TVersionCheckDialogs> versionDialogs_;
    std::unique_ptr<TVersionCheck> versionCheck_;
    std::unique_ptr<plat::win::NamedMutex> instanceLock_;
    plat::win::HWND handle_ = 0;
    plat::win::HWND attachedEditor_ = 0;
    int32_t doubleClickSpeed_ = 500;
    int32_t doubleClickHeight_ = 4;
    bool editorLock_ = false;
    bool closing_ = false;
    bool closed_ = false;
    bool mountPending_ = false;
    bool pluginsOff_ = false;
    bool silent_ = false;
    bool videoStayOnTop_ = false;
};
