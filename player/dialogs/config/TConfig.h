#pragma once
// The player's settings dialog: a tree of pages on the left and the chosen page on the right. Each show
// re-reads the settings records into the controls; Save writes the settings file, the key map and the
// rest the pages edit, then tells the main window; Cancel only tells it. A settings file that cannot
// be written is reported and nothing is applied: the dialog stays open with the user's changes.
#include "player/dialogs/config/TConfigBinding.h"
#include "player/model/settings/IConfigForm.h"
#include "player/model/settings/THintValues.h"
#include "player/model/settings/TTovrinConfig.h"
#include "player/scripting/IScriptSettingsDialog.h"
#include "subtitles/translator/TStringCollection.h"

#include <QDialog>

#include <map>
#include <memory>
#include <vector>

class IConfigChoosers;
class IConfigHost;
class QComboBox;
class QPushButton;
class QStackedWidget;
class QLabel;
class QTimer;
class TConfigCommandsPage;
class TConfigFileTypesPage;
class TConfigInterfacePage;
class TConfigOsdPage;
class TConfigPageTree;
class TConfigSkinsPage;
class TConfigStylePage;

class TConfig : public QDialog, public IConfigForm, public IScriptSettingsDialog {
    Q_OBJECT
public:
    static constexpr const char* kSettingsFile = "Tovrin.ini";

    // The dialog with the desktop's choosers.
    explicit TConfig(IConfigHost& host, QWidget* parent = nullptr);
    // The dialog with choosers of the caller's, which must outlive it.
    TConfig(IConfigHost& host, IConfigChoosers& choosers, QWidget* parent = nullptr);
    ~TConfig() override;

    // Translates the dialog and its strings with the current language, then rebuilds the page tree.
    void ApplyTranslation();
    // The page tree with the strings' current texts.
    void RebuildPageTree();
    // Every control from the settings records, and back.
    void SettingsToControls();
    void ControlsToSettings();
    // Writes everything; false (reported, nothing applied, the dialog still open) when the settings
    // file or the key map cannot be written.
    bool SaveSettings();
    void Cancel();
    // Shows the page of that image index (a group's 0 changes nothing).
    void ShowPage(int imageIndex);
    int CurrentPage() const { return currentPage_; }

    bool LanguageFlag() const { return languageFlag_; }
    bool OsdScriptFlag() const { return osdScriptFlag_; }
    TStringCollection& Strings() { return strings_; }

    // How long a received remote code stays shown under the page tree.
    static constexpr int kRemoteCodeShownMs = 2000;

    // The gesture being drawn with the right button held (0 when it goes down); true while the dialog
    // waits for a gesture, which then runs no command.
    bool ShowGesture(std::int32_t code);

    // IScriptSettingsDialog: remote codes received while the dialog is open.
    bool IsVisible() const override { return isVisible(); }
    void ShowRemoteCode(const std::string& code) override;
    bool IsWaitingForRemoteCode() const override;
    void AssignRemoteCode(const std::string& code) override;

    // IConfigForm: the controls of the dialog by name, without regard to case.
    IConfigCheckBox* FindCheckBox(std::string_view name) override;
    IConfigChoice* FindChoice(std::string_view name) override;
    IConfigGrid* FindGrid(std::string_view name) override;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;
    // Escape and the window's close button cancel.
    void reject() override;

private:
    TConfig(IConfigHost& host, std::unique_ptr<IConfigChoosers> own, IConfigChoosers* choosers,
            QWidget* parent);
    void BuildForm();
    void AddPage(int imageIndex, QWidget* page);
    void FormShow();
    void FillLanguageList();
    void FillOsdScriptList();
    // The file name chosen in a list, or the setting as it was when nothing is chosen.
    static std::string ChosenFile(const QComboBox& list, const std::string& setting);
    std::string SettingsFile() const;
    void ShowInterfacePage();

    IConfigHost& host_;
    std::unique_ptr<IConfigChoosers> ownChoosers_;
    IConfigChoosers& choosers_;
    TTovrinConfig config_;
    TStringCollection strings_;
    // The values the plain pages edit, filled on show and copied into the records on Save.
    std::vector<TConfigBinding> bindings_;
    THintValues hints_;
    std::map<const QObject*, std::unique_ptr<IConfigCheckBox>> checkLinks_;
    std::map<const QObject*, std::unique_ptr<IConfigChoice>> choiceLinks_;
    TConfigPageTree* tree_;
    QStackedWidget* pages_;
    std::map<int, QWidget*> pageOfImage_;
    TConfigInterfacePage* interface_;
    TConfigOsdPage* osd_;
    TConfigStylePage* style_;
    TConfigSkinsPage* skins_;
    TConfigFileTypesPage* fileTypes_;
    TConfigCommandsPage* commands_;
    QLabel* remoteCode_;
    QTimer* remoteTimer_;
    QPushButton* saveGraph_;
    int currentPage_ = 0;
    bool languageFlag_ = false;
    bool osdScriptFlag_ = false;
};
