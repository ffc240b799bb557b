#include "editor/ui/TPellitMain.h"

#include "editor/TShared.h"
#include "editor/ui/TAbout.h"
#include "editor/ui/TErrMessage.h"
#include "editor/ui/TEventsListing.h"
#include "editor/ui/TInfo.h"
#include "editor/ui/TQtEditorDialogs.h"
#include "editor/ui/TWaitForm.h"
#include "editor/ui/TYesNo.h"
#include "editor/ui/wave/TWaveControl.h"
#include "platform/win/Library.h"
#include "player/model/hub/TPlayControl.h"
#include "player/model/profiles/TProfileSubtitles.h"
#include "player/model/settings/Tag_VokradConfig.h"
#include "subtitles/decoders/TPluginDecoderHost.h"
#include "subtitles/profiles/TDVDProfile.h"
#include "subtitles/profiles/TLanguage.h"
#include "subtitles/scripts/TScriptControl.h"
#include "subtitles/translator/TLanguageTemplate.h"
#include "subtitles/translator/TTranslator.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <filesystem>

namespace {

// A panel of the client area that a form is docked into, filling it.
QWidget* NewDockPanel(QWidget* parent, const char* name) {
    auto* panel = new QWidget(parent);
    panel->setObjectName(name);
    new QVBoxLayout(panel);
    panel->layout()->setContentsMargins(0, 0, 0, 0);
    return panel;
}

constexpr const char* kVersion = "0.9 - BETA - Build [894]";
constexpr const char* kBuildDate = "08.19.2004";

QString Text(std::u16string_view text) {
    return QString::fromStdU16String(std::u16string(text));
}

// Moves a visible window fully onto the screen it is on.
void MakeFullyVisible(QWidget* window) {
    if (window == nullptr || !window->isVisible()) {
        return;
    }
    const QScreen* screen = window->screen() != nullptr ? window->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    const QRect area = screen->availableGeometry();
    QRect frame = window->frameGeometry();
    frame.moveLeft(
        std::clamp(frame.left(), area.left(), std::max(area.left(), area.right() - frame.width())));
    frame.moveTop(std::clamp(frame.top(), area.top(), std::max(area.top(), area.bottom() - frame.height())));
    window->move(frame.topLeft());
}

} // namespace

TPellitMain::TPellitMain(TShared& shared) : shared_(shared), window_(*this) {
    setObjectName("PellitMain");
    setWindowTitle("Pellit");
    resize(900, 600);
    auto* client = new QWidget(this);
    client->setObjectName("Pn_Client");
    auto* layout = new QHBoxLayout(client);
    auto* toolBar = new QWidget(client);
    toolBar->setObjectName("Pn_Left");
    new QVBoxLayout(toolBar);
    layout->addWidget(toolBar);
    // The wave display above the events grid, in the client panel's order.
    auto* column = new QVBoxLayout;
    column->addWidget(NewDockPanel(client, "Pn_Wave_In"), 1);
    column->addWidget(NewDockPanel(client, "Pn_EventsList_In"), 3);
    layout->addLayout(column, 1);
    setCentralWidget(client);
    shared_.SetConfig(&config_);
    window_.Create();
    qApp->installEventFilter(this);
}

TPellitMain::~TPellitMain() {
    qApp->removeEventFilter(this);
    FreeScriptControlUnit();
}

QAction* TPellitMain::AddAction(const char* name, const QString& caption, const QKeySequence& shortcut,
                                std::function<void()> handler) {
    auto* action = new QAction(caption, this);
    action->setObjectName(name);
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::ApplicationShortcut);
    if (handler) {
        connect(action, &QAction::triggered, this, std::move(handler));
    } else {
        // No form of this run carries the action out yet.
        action->setEnabled(false);
    }
    addAction(action);
    actions_[name] = action;
    return action;
}

QAction* TPellitMain::Action(const char* name) const {
    const auto found = actions_.find(name);
    return found != actions_.end() ? found->second : nullptr;
}

void TPellitMain::CreateActions() {
    AddAction("Ac_NewProfile", "New Profile", QKeySequence("Ctrl+Alt+N"), [this] {
        if (shared_.NewProfile()) {
            shared_.RefreshProfileViews(nullptr);
        }
        RestartAutoRefresh();
    });
    AddAction("Ac_Open", "Open Profile", QKeySequence("Ctrl+O"), [this] { OpenHistoryEntry(-1); });
    AddAction("Ac_Save", "Save", QKeySequence("Ctrl+S"), [this] { Save(); })->setEnabled(false);
    AddAction("Ac_SaveAs", "Save As...", QKeySequence("Ctrl+Shift+S"), [this] { SaveAs(); });
    AddAction("Ac_Close", "Close", {}, [this] { close(); });
    AddAction("Ac_NewVolume", "New Volume", {}, nullptr);
    AddAction("Ac_NewLanguage", "New Language", {}, nullptr);
    AddAction("Ac_NewTrack", "Add a new subtitle track", {}, nullptr);
    AddAction("Ac_NewScript", "New Timed Script", {}, nullptr);
    AddAction("Ac_AddScript", "Add Existing Timed Script", {}, nullptr);
    AddAction("Ac_NewStyle", "Add New Style", {}, nullptr);
    AddAction("Ac_RefreshSubs", "Ac_RefreshSubs", QKeySequence("Ctrl+F5"), [this] {
        RefreshSubs();
    })->setToolTip("Send the actual language to the player");
    AddAction("Ac_ClearSubs", "Ac_ClearSubs", {}, [this] { ClearSubs(); })->setToolTip("Clear the subtitles");
    AddAction("Ac_ShowScriptTranscrib", "Show Script Transcriber", QKeySequence("F6"), nullptr);
    AddAction("Ac_ShowVideoWindow", "Show Video Window", QKeySequence("F2"),
              [this] { shared_.Video().ShowVideoWindow(); });
    AddAction("Ac_ShowConfig", "&Configuration...", {}, nullptr);
    AddAction("Ac_SyncStyles", "Synchronize profile styles", {}, [this] { SyncStyles(); });
    AddAction("Ac_ImportExport", "Import / Export", {}, nullptr);
    AddAction("Ac_ShowAllTools", "Show/Hide Profile Bar", QKeySequence("F7"), nullptr);
    AddAction("Ac_ShowProfExplo", "Show Profile Explorer", QKeySequence("F6"), nullptr);
    AddAction("Ac_OpenStyleTemplate", "Open Style Template", {}, nullptr);
    AddAction("Ac_SaveStyleTemplate", "Save Style Template", {}, nullptr);
    AddAction("Ac_About", "About...", {}, [this] {
        if (forms_.About != nullptr) {
            forms_.About->exec();
        }
    });
    AddAction("Ac_ShowStylesManager", "Show Styles Manager", QKeySequence("F4"), nullptr);
    // Arranging and reordering the tool windows does nothing: the windows keep their places.
    AddAction("Ac_ArrangeWindows", "Arrange Windows", QKeySequence("F5"), [] {});
    AddAction("Ac_ReorderTools", "Reorder Tools", {}, [] {});
    AddAction("Ac_ShowInfo", "Show Profile Info && Readme", QKeySequence("F3"), [this] {
        ToggleInfo();
    })->setCheckable(true);
    AddAction("Ac_ShowAllForm", "Make Windows Fully Visible", QKeySequence("Ctrl+Alt+V"), [this] {
        MakeFullyVisible(this);
        MakeFullyVisible(forms_.Info);
    });
    AddAction("Ac_Add", "Add to DVD profile", {}, nullptr);
    AddAction("Ac_ShowStyleProp", "Show Style Property", {}, nullptr);
}

void TPellitMain::CreateMenus() {
    QMenu* file = menuBar()->addMenu("File");
    file->addAction(Action("Ac_NewProfile"));
    file->addSeparator();
    file->addAction(Action("Ac_Open"));
    file->addAction("Reload Profile")->setEnabled(false);
    file->addSeparator();
    file->addAction(Action("Ac_Save"));
    file->addAction(Action("Ac_SaveAs"));
    file->addSeparator();
    file->addAction(Action("Ac_ImportExport"));
    file->addSeparator();
    file->addAction(Action("Ac_ShowConfig"));
    file->addSeparator();
    for (int i = 0; i < 4; ++i) {
        history_[i] = file->addAction(QString());
        history_[i]->setObjectName(QString("Me_His%1").arg(i + 1));
        connect(history_[i], &QAction::triggered, this, [this, i] { OpenHistoryEntry(i); });
    }
    history_[0]->setShortcut(QKeySequence("Ctrl+Alt+L"));
    file->addSeparator();
    file->addAction(Action("Ac_Close"));

    QMenu* add = menuBar()->addMenu("&Add to Profile");
    add->addAction(Action("Ac_NewLanguage"));
    add->addAction(Action("Ac_NewVolume"));
    add->addSeparator();
    add->addAction(Action("Ac_NewTrack"));
    add->addSeparator();
    add->addAction(Action("Ac_NewScript"));
    add->addAction(Action("Ac_AddScript"));

    QMenu* events = menuBar()->addMenu("&Events");
    if (forms_.Listing != nullptr) {
        events->addActions(forms_.Listing->MenuActions());
    }
    stylesMenu_ = menuBar()->addMenu("St&yles");
    BuildStylesMenu(nullptr);

    QMenu* windows = menuBar()->addMenu("&Window");
    windows->addAction(Action("Ac_ShowAllForm"));
    windows->addSeparator();
    windows->addAction(Action("Ac_ShowVideoWindow"));
    windows->addAction(Action("Ac_ShowInfo"));
    windows->addAction(Action("Ac_ShowStylesManager"));
    windows->addSeparator();
    windows->addAction(Action("Ac_ShowProfExplo"));
    windows->addAction(Action("Ac_ShowAllTools"));

    QMenu* help = menuBar()->addMenu("&Help");
    help->addAction("Pellit Help")->setEnabled(false);
    help->addAction("Show Tutorial")->setEnabled(false);
    help->addSeparator();
    help->addAction("Pellit Home Page")->setEnabled(false);
    help->addSeparator();
    help->addAction(Action("Ac_About"));
}

void TPellitMain::CreateToolBar() {
    auto* toolBar = centralWidget()->findChild<QWidget*>("Pn_Left");
    const std::pair<const char*, const char*> buttons[] = {
        {"Bt_NewProfile", "Ac_NewProfile"},
        {"Bt_OpenProfile", "Ac_Open"},
        {"Bt_Save", "Ac_Save"},
        {"Bt_Refresh", "Ac_RefreshSubs"},
        {"Bt_ClearSubtitles", "Ac_ClearSubs"},
        {"Bt_ShowStyleManager", "Ac_ShowStylesManager"},
        {"Bt_ShowReadMe", "Ac_ShowInfo"},
        {"Bt_ShowVideo", "Ac_ShowVideoWindow"},
    };
    for (const auto& [name, action] : buttons) {
        auto* button = new QToolButton(toolBar);
        button->setObjectName(name);
        button->setDefaultAction(Action(action));
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
        toolBar->layout()->addWidget(button);
    }
    // The refresh and clear buttons show glyphs, no text.
    const std::pair<const char*, QStyle::StandardPixmap> glyphs[] = {
        {"Bt_Refresh", QStyle::SP_BrowserReload}, {"Bt_ClearSubtitles", QStyle::SP_DialogResetButton}};
    for (const auto& [name, glyph] : glyphs) {
        auto* button = toolBar->findChild<QToolButton*>(name);
        button->setIcon(style()->standardIcon(glyph));
        button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    }
    auto* help = new QLabel("...Need Help ?", toolBar);
    help->setObjectName("Lb_AR");
    help->setToolTip("Set the Events Preview ratio.");
    help->setStyleSheet("color: rgb(0, 0, 255);");
    toolBar->layout()->addWidget(help);
    static_cast<QVBoxLayout*>(toolBar->layout())->addStretch(1);
}

bool TPellitMain::PostInit(const TForms& forms) {
    forms_ = forms;
    shared_.SetWaitInfo(u"Main Form");
    if (shared_.Folders().Program.empty()) {
        shared_.SetFolders(TEditorFolders::Below(plat::win::ProgramFolder()));
    }
    std::error_code error;
    std::filesystem::create_directories(shared_.Folders().Temp, error);
    std::filesystem::create_directories(shared_.Folders().Ini, error);
    std::filesystem::create_directories(shared_.Folders().Logs, error);
    if (dialogs_ == nullptr) {
        screenDialogs_ = std::make_unique<TQtEditorDialogs>(*forms_.YesNo, this);
        dialogs_ = screenDialogs_.get();
    }
    document_ = std::make_unique<TProfileDocument>(shared_, *dialogs_);
    if (forms_.Listing != nullptr) {
        forms_.Listing->SetDialogs(dialogs_);
    }
    CreateActions();
    CreateMenus();
    CreateToolBar();

    shared_.DetectPlayer();
    player_ = std::make_unique<TEditorPlayerObjects>(shared_, *this);
    player_->Create();
    shared_.Video().SetWindows(window_.Handle(), shared_.PlayerWindow());
    shared_.Video().SetPlayAtHandler([this](int32_t title, int32_t chapter, uint32_t time) {
        window_.QueuePlayAtTitleTime(title, chapter, time);
    });
    config_.SetRootFolder(shared_.Folders().Program);
    InitScriptControlUnit(TPluginDecoderHost::FromProgramFolder());
    if (player_->Sender() != nullptr) {
        shared_.SetDocument(&player_->Sender()->Profile());
    }
    config_.Load(shared_.Folders().SettingsFile().c_str());
    if (forms_.Listing != nullptr) {
        centralWidget()->findChild<QWidget*>("Pn_EventsList_In")->layout()->addWidget(forms_.Listing);
        forms_.Listing->show();
    }
    if (forms_.Wave != nullptr) {
        centralWidget()->findChild<QWidget*>("Pn_Wave_In")->layout()->addWidget(forms_.Wave);
        forms_.Wave->show();
    }
    ApplyLanguage();
    if (!VokradConfig().GenerateTranslationFile.empty()) {
        WriteLanguageTemplate(VokradConfig().GenerateTranslationFile);
    }
    RebuildHistoryMenu();
    if (forms_.About != nullptr) {
        forms_.About->SetVersion(kVersion, kBuildDate);
    }
    TPlayControl* playControl = player_->PlayControl();
    if (shared_.IsLocalMode() && playControl != nullptr) {
        playControl->SetCaptureFrames(static_cast<uint32_t>(std::max(0, PellitSettings().NbFramesToCapture)));
        playControl->SetScanSpeedCount(3);
        playControl->SetScanSpeed(0, 1.0);
        playControl->SetScanSpeed(1, 3.0);
        playControl->SetScanSpeed(2, 6.0);
    }
    shared_.SetPlayerEditMode(true);
    if (!VokradConfig().NotFirstStart) {
        config_.MarkNotFirstStart();
    }
    if (shared_.IsLocalMode() && playControl != nullptr) {
        playControl->SetLogFile((shared_.Folders().Logs + "vokrad.log").c_str());
    }
    return true;
}

void TPellitMain::RunCommandLine(std::u16string_view text) {
    TEditorCommandLine::Run(text, *this);
}

void TPellitMain::SetMainCaption(const std::u16string& caption) {
    setWindowTitle(Text(caption));
}

void TPellitMain::RestartAutoRefresh() {
    window_.RestartAutoRefresh();
}

void TPellitMain::MarkModified() {
    modified_ = true;
    if (QAction* save = Action("Ac_Save")) {
        save->setEnabled(true);
    }
}

void TPellitMain::ClearModified() {
    modified_ = false;
    if (QAction* save = Action("Ac_Save")) {
        save->setEnabled(false);
    }
}

bool TPellitMain::ConfirmDiscardChanges() {
    return !modified_ ||
           dialogs_->Ask(shared_.Strings.GetText("Conf_ProfileNotSaved_1"),
                         shared_.Strings.GetText("Conf_ProfileNotSaved_2"), u"") == IEditorDialogs::kYes;
}

void TPellitMain::ClearViews() {
    if (forms_.Info != nullptr) {
        forms_.Info->ShowProfileInfo(nullptr);
    }
    shared_.SelectionChanged(nullptr, true);
    if (forms_.Listing != nullptr) {
        forms_.Listing->SetCursor(nullptr);
    }
    update();
}

void TPellitMain::BuildStylesMenu(const TPointer<TStyles>* styles) {
    if (stylesMenu_ == nullptr) {
        return;
    }
    stylesMenu_->clear();
    stylesMenu_->addAction(Action("Ac_NewStyle"));
    stylesMenu_->addSeparator();
    stylesMenu_->addAction(Action("Ac_OpenStyleTemplate"));
    stylesMenu_->addAction(Action("Ac_SaveStyleTemplate"));
    stylesMenu_->addSeparator();
    if (styles != nullptr) {
        int number = 0;
        for (const TStyles* style = styles->Head; style != nullptr; style = style->Next) {
            const std::u16string name(style->Record.name);
            QAction* item = stylesMenu_->addAction(Text(name.c_str()));
            item->setData(number++);
            // The styles form that edits a style joins with the styles manager.
            item->setEnabled(false);
        }
    }
    stylesMenu_->addSeparator();
    stylesMenu_->addAction(Action("Ac_SyncStyles"));
}

void TPellitMain::RebuildHistoryMenu() {
    for (int i = 0; i < 4; ++i) {
        const std::string& entry = PellitSettings().History[static_cast<std::size_t>(i)];
        history_[i]->setText(QString("&%1 ").arg(i + 1) + QString::fromStdString(entry));
        history_[i]->setVisible(!entry.empty());
    }
}

void TPellitMain::RunCommandText(const std::u16string& text) {
    RunCommandLine(text);
}

void TPellitMain::BringToFront() {
    show();
    raise();
    activateWindow();
}

bool TPellitMain::CloseRequested() {
    return close();
}

void TPellitMain::AutoRefreshTick() {
    if (!closing_) {
        RefreshSubs();
    }
}

void TPellitMain::PlayAtTitleTime(int32_t title, int32_t chapter, uint32_t packedTime) {
    if (player_ != nullptr && player_->PlayControl() != nullptr) {
        player_->PlayControl()->PlayAtTimeInTitle(title, chapter, packedTime);
    }
}

void TPellitMain::OpenProfileFromCommand(const std::string& path) {
    document_->LoadProfileFile(path);
}

void TPellitMain::SetCaptionFromCommand(const std::u16string& caption) {
    setWindowTitle(Text(caption));
}

void TPellitMain::ShowError(std::u16string_view text) {
    if (forms_.Errors != nullptr) {
        forms_.Errors->ShowText(1, text);
    }
}

void TPellitMain::ShowWaitInfo(std::u16string_view text) {
    shared_.SetWaitInfo(text);
}

void TPellitMain::OpenHistoryEntry(int entry) {
    if (document_->OpenProfile(nullptr, entry < 0 ? TProfileDocument::kNoHistoryEntry : entry)) {
        shared_.RefreshProfileViews(nullptr);
    }
    RestartAutoRefresh();
}

void TPellitMain::Save() {
    if (TDVDProfile* profile = shared_.Document()) {
        document_->SaveProfileToFile(*profile, shared_.DocumentPath(), false);
    }
}

void TPellitMain::SaveAs() {
    if (TDVDProfile* profile = shared_.Document()) {
        document_->SaveProfileToFile(*profile, u"", false);
    }
}

void TPellitMain::RefreshSubs() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // With a play control the language goes to whichever core plays: the own one, or the running
    // player's through the remote binding.
    shared_.Video().LoadLanguageSubtitles(shared_.GetCurrentLanguage());
    QApplication::restoreOverrideCursor();
    shared_.Video().ShowProfileSubtitles();
    shared_.Video().ShowSubtitlePage(1);
}

void TPellitMain::ClearSubs() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    shared_.Video().HideProfileSubtitles();
    QApplication::restoreOverrideCursor();
}

void TPellitMain::SyncStyles() {
    TLanguage* source = shared_.GetCurrentLanguage();
    TDVDProfile* profile = shared_.Document();
    if (source == nullptr || profile == nullptr ||
        dialogs_->Ask(shared_.Strings.GetText("Conf_SyncAllStyles_1"),
                      shared_.Strings.GetText("Conf_SyncAllStyles_2"), u"") != IEditorDialogs::kYes) {
        return;
    }
    bool changed = false;
    for (TVolume* volume = profile->Volumes.Head; volume != nullptr; volume = volume->Next) {
        for (TLanguage* language = volume->Languages.Head; language != nullptr; language = language->Next) {
            if (language != source) {
                language->AddStyles(source->Styles);
                changed = true;
            }
        }
    }
    ClearViews();
    shared_.RefreshProfileViews(nullptr);
    if (changed) {
        // The other languages' styles were rewritten: the profile must be saved again.
        TProfileCursor item = shared_.GetCurrentItem();
        item.ItemKind = TProfileCursor::kProfile;
        shared_.ItemModified(&item, false);
    }
}

void TPellitMain::ToggleInfo() {
    QAction* action = Action("Ac_ShowInfo");
    if (forms_.Info == nullptr || action == nullptr) {
        return;
    }
    if (action->isChecked()) {
        const TProfileCursor item = shared_.GetCurrentItem();
        forms_.Info->ShowProfileInfo(item.IsEmpty() ? nullptr : &item);
        forms_.Info->show();
        MakeFullyVisible(forms_.Info);
    } else {
        forms_.Info->StoreReadme();
        forms_.Info->hide();
    }
}

bool TPellitMain::ApplyLanguage() {
    if (!translator_) {
        translator_ = std::make_unique<TTranslator>();
    }
    const bool loaded = !VokradConfig().Language.empty() &&
                        translator_->LoadFile((shared_.Folders().System + VokradConfig().Language).c_str());
    if (loaded) {
        for (QWidget* form : std::initializer_list<QWidget*>{this, forms_.Listing, forms_.Info, forms_.YesNo,
                                                             forms_.About, forms_.Errors}) {
            if (form != nullptr) {
                translator_->TranslateForm(form);
            }
        }
        translator_->TranslateStrings(&shared_.Strings);
        if (forms_.Listing != nullptr) {
            forms_.Listing->Translate(*translator_);
        }
    }
    return loaded;
}

bool TPellitMain::WriteLanguageTemplate(const std::string& path) {
    TLanguageTemplate languageTemplate;
    for (QWidget* form : std::initializer_list<QWidget*>{this, forms_.Listing, forms_.Info, forms_.YesNo}) {
        if (form != nullptr) {
            languageTemplate.AddForm(form);
        }
    }
    languageTemplate.AddStrings(shared_.Strings);
    if (forms_.Listing != nullptr) {
        languageTemplate.AddStrings(forms_.Listing->Strings());
    }
    return languageTemplate.SaveToFile(path.c_str());
}

void TPellitMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (firstShow_) {
        firstShow_ = false;
        Action("Ac_NewProfile")->trigger();
    }
}

bool TPellitMain::ConfirmAndRelease() {
    if (released_) {
        return true;
    }
    if (!ConfirmDiscardChanges()) {
        return false;
    }
    closing_ = true;
    window_.StopAutoRefresh();
    ClearViews();
    if (shared_.IsLocalMode()) {
        player_->Release();
    } else {
        shared_.SetPlayerEditMode(false);
    }
    released_ = true;
    return true;
}

void TPellitMain::closeEvent(QCloseEvent* event) {
    if (ConfirmAndRelease()) {
        event->accept();
    } else {
        event->ignore();
    }
}

bool TPellitMain::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return QMainWindow::eventFilter(watched, event);
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_F1) {
        return true;
    }
    const bool plainTab = (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) &&
                          (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) == 0;
    if (plainTab && QApplication::activeWindow() == this) {
        TabCycle(key->key() == Qt::Key_Backtab || (key->modifiers() & Qt::ShiftModifier) != 0);
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

bool TPellitMain::TabCycle(bool backward) {
    // Positions: 1 the events preview grid, 2 the events grid, 0 no target.
    QWidget* targets[3] = {nullptr, findChild<QWidget*>("Dg_SubPreview"),
                           findChild<QWidget*>("NewEventList")};
    const QWidget* focused = QApplication::focusWidget();
    const QString name = focused != nullptr ? focused->objectName() : QString();
    int position = name == "Dg_SubPreview" || name == "Pn_Move" ? 1 : name == "NewEventList" ? 2 : 0;
    for (int step = 0; step < 3; ++step) {
        position = (position + (backward ? 2 : 1)) % 3;
        if (targets[position] != nullptr && targets[position]->isVisible()) {
            targets[position]->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return false;
}
