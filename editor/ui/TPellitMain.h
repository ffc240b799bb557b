#pragma once
// The editor's main window ("PellitMain"): its actions, menus and run-time Styles menu, the window
// other processes message (command frames, the player's quit question), the two timers that send
// the edited language to the player and defer play requests, the application-wide key hook and the
// close sequence. Profile documents go through TProfileDocument, item changes through TShared.
#include "editor/IEditorViews.h"
#include "editor/TEditorCommandLine.h"
#include "editor/TEditorPlayerObjects.h"
#include "editor/TEditorWindow.h"
#include "editor/TPellitConf.h"
#include "editor/TProfileDocument.h"

#include <QMainWindow>

#include <map>
#include <memory>

class QMenu;
class TErrMessage;
class TEventsListing;
class TInfo;
class TAbout;
class TQtEditorDialogs;
class TShared;
class TTranslator;
class TWaitForm;
class TWaveControl;
class TYesNo;

class TPellitMain : public QMainWindow,
                    public IMainFormView,
                    public TEditorWindow::IHandler,
                    public TEditorCommandLine::ITarget,
                    public TEditorPlayerObjects::IMessages {
public:
    // The forms the main window reaches; each lives as long as the main window.
    struct TForms {
        TEventsListing* Listing = nullptr;
        TYesNo* YesNo = nullptr;
        TInfo* Info = nullptr;
        TAbout* About = nullptr;
        TErrMessage* Errors = nullptr;
        TWaitForm* Wait = nullptr;
        TWaveControl* Wave = nullptr;
    };

    explicit TPellitMain(TShared& shared);
    ~TPellitMain() override;

    // Questions and file choosers go to these dialogs instead of the forms (tests answer them).
    void UseDialogs(IEditorDialogs& dialogs) { dialogs_ = &dialogs; }
    // The second start-up stage: mode, player objects, listeners, settings, language, history, edit
    // mode. Always true.
    bool PostInit(const TForms& forms);
    void RunCommandLine(std::u16string_view text);

    // IMainFormView
    void SetMainCaption(const std::u16string& caption) override;
    void RestartAutoRefresh() override;
    void MarkModified() override;
    void ClearModified() override;
    bool ConfirmDiscardChanges() override;
    void ClearViews() override;
    void BuildStylesMenu(const TPointer<TStyles>* styles) override;
    void RebuildHistoryMenu() override;

    // TEditorWindow::IHandler
    void RunCommandText(const std::u16string& text) override;
    void BringToFront() override;
    bool CloseRequested() override;
    void AutoRefreshTick() override;
    void PlayAtTitleTime(int32_t title, int32_t chapter, uint32_t packedTime) override;

    // TEditorCommandLine::ITarget
    void OpenProfileFromCommand(const std::string& path) override;
    void SetCaptionFromCommand(const std::u16string& caption) override;

    // TEditorPlayerObjects::IMessages
    void ShowError(std::u16string_view text) override;
    void ShowWaitInfo(std::u16string_view text) override;

    QAction* Action(const char* name) const;
    bool IsModified() const { return modified_; }
    bool IsClosing() const { return closing_; }
    TEditorWindow& MessageWindow() { return window_; }
    TProfileDocument& Document() { return *document_; }
    // Writes the language template of the editor's forms (UTF-16 with its mark).
    bool WriteLanguageTemplate(const std::string& path);
    // Applies the language file of the settings; false when there is none to load.
    bool ApplyLanguage();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAction* AddAction(const char* name, const QString& caption, const QKeySequence& shortcut,
                       std::function<void()> handler);
    void CreateActions();
    void CreateMenus();
    // The tool bar's buttons, each bound to its action.
    void CreateToolBar();
    void Save();
    void SaveAs();
    void RefreshSubs();
    void ClearSubs();
    void SyncStyles();
    void ToggleInfo();
    void OpenHistoryEntry(int entry);
    bool TabCycle(bool backward);
    // Runs the close question and sequence once; true when the close goes on.
    bool ConfirmAndRelease();

    TShared& shared_;
    TForms forms_;
    TEditorWindow window_;
    TPellitConf config_;
    std::unique_ptr<TQtEditorDialogs> screenDialogs_;
    IEditorDialogs* dialogs_ = nullptr;
    std::unique_ptr<TProfileDocument> document_;
    std::unique_ptr<TEditorPlayerObjects> player_;
    std::unique_ptr<TTranslator> translator_;
    std::map<std::string, QAction*> actions_;
    QMenu* stylesMenu_ = nullptr;
    QAction* history_[4] = {};
    bool modified_ = false;
    bool closing_ = false;
    bool released_ = false;
    bool firstShow_ = true;
};
