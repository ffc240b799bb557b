#include "player/ui/TDVDMain.h"

#include "platform/display/DisplayModes.h"
#include "platform/text/CaseFold.h"
#include "platform/text/CodePage.h"
#include "platform/text/Path.h"
#include "platform/win/Library.h"
#include "platform/win/Message.h"
#include "platform/win/NamedMutex.h"
#include "platform/win/Peer.h"
#include "platform/win/Window.h"
#include "player/dialogs/TErrMessage.h"
#include "player/dialogs/TYesNo.h"
#include "player/dialogs/config/TConfig.h"
#include "player/model/binding/PlayerGlobals.h"
#include "player/model/binding/TMainControl.h"
#include "player/model/controllers/IAudioInfo.h"
#include "player/model/controllers/IVideoControl.h"
#include "player/model/events/PlayerEvents.h"
#include "player/model/hub/TPlayControl.h"
#include "player/model/playlist/TPlaylistItem.h"
#include "player/model/profiles/TProfileControllerFactory.h"
#include "player/model/profiles/TProfileSubtitles.h"
#include "player/model/settings/Tag_PlayerConfig.h"
#include "player/model/settings/Tag_VokradConfig.h"
#include "player/model/storage/TBookmarkControl.h"
#include "player/model/titles/TMyTitles.h"
#include "player/scripting/remote/TPlugIns.h"
#include "player/ui/MainFormStrings.h"
#include "player/ui/PlayerSettingsApplication.h"
#include "player/ui/TButtonTexture.h"
#include "player/ui/TChapters.h"
#include "player/model/binding/TCommandFrame.h"
#include "player/ui/TCommandLine.h"
#include "player/ui/TFileAssociations.h"
#include "player/ui/TFullscreen.h"
#include "player/ui/TMainActions.h"
#include "player/ui/TMainFormEvents.h"
#include "player/ui/TMountWatcher.h"
#include "player/ui/TMouseFunctions.h"
#include "player/ui/TPlaySourceMenu.h"
#include "player/ui/TPlayerSkin.h"
#include "player/ui/TPlayerTranslation.h"
#include "player/ui/TScreenMode.h"
#include "player/ui/TScriptBridge.h"
#include "player/ui/TShortcutFilter.h"
#include "player/ui/TVersionCheck.h"
#include "player/ui/TVersionCheckDialogs.h"
#include "player/ui/TVideo.h"
#include "player/ui/TVideoMenu2.h"
#include "player/ui/TWindowLayering.h"
#include "player/ui/skin/SkinFirstLine.h"
#include "player/ui/skin/TSkinScript.h"
#include "player/ui/skin/buttons/TStaticHoverButton.h"
#include "subtitles/decoders/TPluginDecoderHost.h"
#include "subtitles/scripts/TScriptControl.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QStyleHints>

#include <cstring>
#include <filesystem>

namespace win = plat::win;

namespace {

// The message the core's optional mouse hook sends the video window.
constexpr win::UINT kMsgVideoMouse = 11023;

// 8-bit text is UTF-8 (the process code page).
std::u16string Wide(const std::string& text) {
    return plat::text::AnsiToWide(text);
}

} // namespace

TDVDMain::TDVDMain(QWidget* owner)
    : QWidget(owner), config_(hints_), plugIns_(TPlugIns::Create()),
      videoMenu_(std::make_unique<TVideoMenu2>()), versionDialogs_(std::make_unique<TVersionCheckDialogs>()),
      versionCheck_(std::make_unique<TVersionCheck>(*versionDialogs_, mainStrings_)) {
    setObjectName("DVDMain");
    setWindowTitle(kCaption);
    resize(189, 66);
    actions_ = std::make_unique<TMainActions>(*this);
    events_ = std::make_unique<TMainFormEvents>(*this, *actions_);
    mouse_ = std::make_unique<TMouseFunctions>(*actions_, [this] { return closing_; });
    bridge_ = std::make_unique<TScriptBridge>(*this, *actions_, actionControler_);
    shortcutFilter_ = new TShortcutFilter(actionControler_, this);
    shortcutFilter_->SetMenuNavigation(
        [this](std::string_view name) { return actions_->NavigateDvdMenu(name); });
    opener_ = std::make_unique<TMediaOpener>(*this);
    MakeTextureButtons();
}

const QList<QAction*>& TDVDMain::DVDControl() const {
    return actions_->List();
}

void TDVDMain::SetConfigForm(TConfig* config) {
    configForm_ = config;
    std::function<void()> show;
    if (configForm_ != nullptr) {
        show = [this] {
            LoadFormPosition(configForm_);
            configForm_->show();
            configForm_->raise();
            configForm_->activateWindow();
        };
    }
    actions_->Bind("Ac_EnterConfig", std::move(show));
}

IScriptSettingsDialog* TDVDMain::ScriptSettingsDialog() const {
    return configForm_;
}

std::vector<std::string> TDVDMain::OpticalDriveRoots() const {
    std::vector<std::string> roots;
    for (const plat::shell::OpticalDrive& drive : OpticalDrives()) {
        roots.push_back(drive.Device);
    }
    return roots;
}

void TDVDMain::ApplySkin(const std::string& fileName) {
    LoadSkin(fileName, false);
    if (skin_) {
        skin_->Script().UpdateForms();
    }
}

bool TDVDMain::ReadSkinFirstLine(const std::string& archivePath, std::string& firstLine, QImage* preview) {
    std::error_code error;
    const auto changed = std::filesystem::last_write_time(archivePath, error);
    // A broken archive is reported once, not on every show of the settings dialog.
    const auto broken = brokenSkins_.find(archivePath);
    if (!skin_ || (broken != brokenSkins_.end() && broken->second == changed)) {
        return false;
    }
    if (!SkinFirstLine::ReadSkinFirstLine(firstLine, "skin.txt", archivePath, preview, skin_->Sink())) {
        brokenSkins_[archivePath] = changed;
        return false;
    }
    brokenSkins_.erase(archivePath);
    return true;
}

bool TDVDMain::ApplyFileAssociations(bool force) {
    TFileAssociations associations(plat::shell::XdgAssociations(),
                                   QCoreApplication::applicationFilePath().toStdString());
    return associations.Apply(PlayerConfig().Extensions, force);
}

void TDVDMain::Translate(QWidget& form, TStringCollection& strings) {
    TPlayerTranslation translation;
    if (translation.Load(plat::text::path::Join(folders_.System, VokradConfig().Language))) {
        translation.Apply({&form, &strings});
    }
}

void TDVDMain::SettingsClosed(bool saved) {
    win::PostMessage(handle_, kMsgSettingsClosed, saved ? 1 : 0, 0);
}

void TDVDMain::BindOpeningActions() {
    actions_->Bind("Ac_OpenProfile", [this] { opener_->OpenProfileDialog(); });
    actions_->Bind("Ac_EditProfile", [this] { opener_->Ac_EditProfile(); });
    // Until there is a file manager, the command that shows it opens the file chooser.
    actions_->Bind("Ac_ShowFileMan", [this] { opener_->OpenProfileDialog(); });
    actions_->Bind("Act_PlayFromDisk", [this] { playMenu_->Act_PlayFromDisk(); });
    actions_->Bind("Act_PlayFromFolder", [this] { playMenu_->Act_PlayFromFolder(); });
    actions_->Bind("Act_PlaySetFolder", [this] { playMenu_->Act_PlaySetFolder(); });
}

TDVDMain::~TDVDMain() {
    videoMenu_->DetachPlayer();
    if (ErrorControl() != nullptr) {
        ErrorControl()->AddListener(static_cast<IMainWindowServices*>(this), kListenerTag, nullptr);
    }
    if (!closed_ && playControl_) {
        playControl_->DestroyPlayer();
    }
    playControl_.reset();
    if (mainControl_) {
        mainControl_->Stop();
    }
    mainControl_.reset();
    if (handle_ != 0) {
        win::DestroyWindow(handle_);
    }
}

win::LRESULT TDVDMain::Procedure(win::HWND hwnd, win::UINT msg, win::WPARAM wParam, win::LPARAM lParam) {
    auto* form = reinterpret_cast<TDVDMain*>(win::GetWindowLongPtr(hwnd, win::GWLP_USERDATA));
    return form != nullptr ? form->WndProc(msg, wParam, lParam)
                           : win::DefWindowProc(hwnd, msg, wParam, lParam);
}

void TDVDMain::MakeTextureButtons() {
    texture_ = new TTexHoverButton(this);
    texture_->setObjectName("Bt_Texture");
    texture_->SetNumGlyphs(TButtonTexture::kFrames);
    texture_->SetLeftGlyph(TButtonTexture::LeftStrip());
    texture_->SetRightGlyph(TButtonTexture::RightStrip());
    texture_->hide();
    statTexture_ = new TStaticHoverButton(this);
    statTexture_->setObjectName("Bt_StatTexture");
    statTexture_->SetNumGlyphs(TButtonTexture::kFrames);
    statTexture_->hide();
}

void TDVDMain::FormCreate() {
    statTexture_->SetLeftGlyph(texture_->LeftGlyph());
    statTexture_->SetRightGlyph(texture_->RightGlyph());
    PlayerConfig() = Tag_PlayerConfig{};
    CreatePlayerGlobals();
    FillMainFormStrings(mainStrings_);
    ErrorControl()->AddListener(static_cast<IMainWindowServices*>(this), kListenerTag,
                                &IMainWindowServices::PlayerEventCallback);
    folders_ = TPlayerFolders::Below(win::ProgramFolder());
    placement_.SetFolder(folders_.Settings);
    opener_->SetFolders(folders_);
    playMenu_ = std::make_unique<TPlaySourceMenu>(*this);
    BindOpeningActions();

    mainControl_ = std::make_unique<TMainControl>();
    mainControl_->Start();
    displayModes_ = plat::display::CreateDisplayModes();
    controllerFactory_ = std::make_unique<TProfileControllerFactory>(displayModes_.get());
    playControl_ = std::make_unique<TPlayControl>(controllerFactory_.get());
    playControl_->CreatePlayer();
    playControl_->AddListener(static_cast<IMainWindowServices*>(this), kListenerTag,
                              &IMainWindowServices::PlayerEventCallback);
    if (auto* audio = playControl_->Controllers().Audio.get()) {
        audio->AddListener(static_cast<IMainWindowServices*>(this), kListenerTag,
                           &IMainWindowServices::PlayerEventCallback);
    }

    if (!win::GetClassInfo(kClassName, nullptr)) {
        win::RegisterClass({0, &TDVDMain::Procedure, nullptr, kClassName});
    }
    handle_ = win::CreateWindowEx(0, kClassName, kCaption, 0, 0, 0, width(), height(), 0, nullptr);
    if (handle_ != 0) {
        win::SetWindowLongPtr(handle_, win::GWLP_USERDATA, reinterpret_cast<std::intptr_t>(this));
        win::PublishWindow(handle_);
    }
    plugIns_->SetMainWindow(handle_);
    plugIns_->SetCommandRunner([this](std::u16string_view command, size_t& consumed, std::u16string& answer) {
        return bridge_->RunPluginCommand(command, consumed, answer);
    });
    plugIns_->Scan((folders_.Program + "Plug-ins").c_str());
    std::error_code error;
    std::filesystem::create_directories(folders_.Temp, error);
    std::filesystem::create_directories(folders_.Logs, error);

    actionControler_.BuildFromActionList(actions_->List());
    config_.SetRootFolder(folders_.Program);
    config_.FillConfigForm(mainControl_.get(), nullptr);
    ReloadSettings();
    playControl_->SetLogFile((folders_.Logs + "vokrad.log").c_str());
    // Only now can a second start find the player and hand it its command line.
    if (handle_ != 0) {
        win::SetWindowText(handle_, kFindTitle);
    }
}

void TDVDMain::SetChaptersForm(TChapters* chapters) {
    if (chapters_ != nullptr && chapters_ != chapters) {
        chapters_->SetTitles(nullptr);
    }
    chapters_ = chapters;
    std::function<void()> toggle;
    if (chapters_ != nullptr) {
        toggle = [this] { chapters_->setVisible(!chapters_->isVisible()); };
    }
    actions_->Bind("Ac_Chapters", std::move(toggle));
}

void TDVDMain::InitAfterForms(bool useDefaultSkin) {
    auto& controllers = playControl_->Controllers();
    const bool muted = PlayerConfig().Mute && controllers.Audio;
    if (controllers.Audio) {
        controllers.Audio->SetVolume(PlayerConfig().Volume, true);
        if (muted) {
            controllers.Audio->Mute(0);
        }
    }
    if (controllers.Video && fullscreen_ != nullptr) {
        controllers.Video->SetFullScreenWindow(fullscreen_->Handle());
    }
    if (controllers.Video && video_ != nullptr) {
        controllers.Video->SetVideoWindow(video_->PanelHandle());
    }
    if (chapters_ != nullptr) {
        chapters_->SetTitles(dynamic_cast<TMyTitles*>(controllers.Titles.get()));
    }
    const QStyleHints* styleHints = QGuiApplication::styleHints();
    doubleClickSpeed_ =
        styleHints->mouseDoubleClickInterval() > 0 ? styleHints->mouseDoubleClickInterval() : 500;
    doubleClickHeight_ =
        styleHints->mouseDoubleClickDistance() > 0 ? styleHints->mouseDoubleClickDistance() : 4;
    // The decoder plug-ins read the subtitle files that profiles name, or that are opened as profiles.
    InitScriptControlUnit(std::make_unique<TPluginDecoderHost>(folders_.System));
    mountWatcher_ = std::make_unique<TMountWatcher>(
        mountTable_, [this](const std::string& root) { OnVolumeArrival(root); },
        [this](const std::string& root) { OnVolumeRemoval(root); });
    // The main form is never shown: its shortcuts are matched in every window of the program.
    qApp->installEventFilter(shortcutFilter_);
    if (video_ != nullptr) {
        video_->SetMouseHide(PlayerConfig().AutoHideMouse, PlayerConfig().AutoHideMouseTime * 1000);
        video_->show();
    }
    opener_->History().Load();
    videoMenu_->SetActions(TVideoMenu2::TableOf(DVDControl()));
    videoMenu_->AttachPlayer({dynamic_cast<TBookmarkControl*>(controllers.Bookmarks.get()),
                              controllers.Audio.get(), controllers.Subs.get(), controllers.Angles.get(),
                              controllers.Filters.get(), ProfileSubtitles(), handle_},
                             editorLock_);
    ApplyTranslation();
    WriteTranslationTemplate();
    // The backgrounds the player's events choose (jacket pictures, the skin's picture) reach both
    // video windows.
    events_->SetBackgroundListener(
        [this](const QImage& picture, bool shown) { SetVideoBackgrounds(&picture, shown ? 1 : 0); });
    skin_ = std::make_unique<TPlayerSkin>(*this, folders_.Skins);
    LoadStartupSkin(useDefaultSkin);
    // The volume was set silently above: its display learns it here.
    if (muted) {
        events_->OnVolume(0);
    } else {
        skin_->Script().SetVolume(QString::number(PlayerConfig().Volume));
    }
    events_->UpdateActionsFromUops();
    if (VokradConfig().CheckForUpdates) {
        StartVersionCheck(false);
    }
}

int32_t TDVDMain::StartVersionCheck(bool askedByUser) {
    return versionCheck_ ? versionCheck_->Start(handle_, kMsgVersionAnswer, askedByUser) : -1;
}

void TDVDMain::OnVersionAnswer() {
    if (versionCheck_) {
        versionCheck_->OnAnswer();
    }
}

void TDVDMain::ReloadSettings() {
    config_.Load((folders_.Settings + "Tovrin.ini").c_str());
    ApplyFileAssociations(false);
    actionControler_.ClearShortcuts();
    actionControler_.LoadFromFile(folders_.Settings + TActionControler::kFileName);
    actionControler_.ApplyShortcuts();
    ApplySettings();
    if (video_ != nullptr && mainControl_) {
        mainControl_->StartMouseHook(video_->PanelHandle(), kMsgVideoMouse);
    }
}

void TDVDMain::ApplySettings() {
    if (video_ != nullptr) {
        video_->SetMouseHide(PlayerConfig().AutoHideMouse, PlayerConfig().AutoHideMouseTime * 1000);
    }
    if (playControl_) {
        ApplyPlayerSettings(*playControl_, folders_.System);
    }
    if (playMenu_) {
        playMenu_->UpdatePlaySourceMenu();
    }
}

void TDVDMain::ApplyTranslation() {
    TPlayerTranslation translation;
    if (!translation.Load(plat::text::path::Join(folders_.System, VokradConfig().Language))) {
        return;
    }
    // The forms in the order their texts are taken; those the program does not make yet are left out.
    translation.Apply({static_cast<QWidget*>(this), &mainStrings_, static_cast<QWidget*>(ErrMessage),
                       static_cast<QWidget*>(YesNo), &videoMenu_->Strings()});
    if (configForm_ != nullptr) {
        translation.Apply({static_cast<QWidget*>(configForm_), &configForm_->Strings()});
        configForm_->RebuildPageTree();
    }
    // The menu's captions are taken when it is built.
    videoMenu_->RestartTimer();
}

void TDVDMain::WriteTranslationTemplate() {
    const std::string& file = VokradConfig().GenerateTranslationFile;
    if (!file.empty() && !TPlayerTranslation::WriteTemplate(file, {this, ErrMessage, YesNo},
                                                            {&mainStrings_, &videoMenu_->Strings()})) {
        ShowError(u"Unable to write the translation template " + Wide(file));
    }
}

bool TDVDMain::LoadSkin(const std::string& name, bool fullPath) {
    if (!skin_) {
        return false;
    }
    const bool loaded = skin_->Load(name, fullPath);
    TSkinScript& script = skin_->Script();
    script.SetModeButtons(IsDVDMode(), true);
    videoMenu_->SetLogo(script.MenuLeftBitmap());
    ApplySkinPictures();
    RebuildVideoMenuOwners();
    EnableShortcuts();
    if (video_ != nullptr) {
        video_->update();
    }
    return loaded;
}

void TDVDMain::LoadStartupSkin(bool useDefaultSkin) {
    LoadSkin(useDefaultSkin ? std::string() : config_.GetSkinFileName(), false);
}

void TDVDMain::RebuildVideoMenuOwners() {
    videoMenu_->SetEditMode(editorLock_);
    videoMenu_->AddOwnerForm(nullptr);
    for (QWidget* form : {static_cast<QWidget*>(video_), static_cast<QWidget*>(fullscreen_)}) {
        if (form != nullptr) {
            videoMenu_->AddOwnerForm(form);
        }
    }
    if (skin_) {
        TSkinScript& script = skin_->Script();
        for (TSkinForm* form = script.FirstForm(); form != nullptr; form = script.NextForm()) {
            videoMenu_->AddOwnerForm(form);
        }
    }
    videoMenu_->RestartTimer();
}

void TDVDMain::SetContextMenuAllowed(bool allowed) {
    videoMenu_->SetAllowed(allowed);
}

int32_t TDVDMain::StartPlugins(bool force) {
    if (pluginsOff_ && !force) {
        return 0;
    }
    return plugIns_->Start((folders_.Settings + "Tovrin.ini").c_str());
}

int32_t TDVDMain::ProcessCommandLine(const std::string& text, win::HWND sender) {
    return TCommandLine::Process(text, sender, *this);
}

void TDVDMain::PostAutoexecScript() {
    win::PostMessage(handle_, kMsgAutoexec, 0, 0);
}

void TDVDMain::Ac_QuitExecute() {
    closing_ = true;
    if (attachedEditor_ != 0) {
        const win::LRESULT answer = win::SendMessage(attachedEditor_, kMsgEditorRequest, 0, 0);
        // A refusal leaves the player as it was; an editor that has gone cannot refuse.
        if (answer == 0 && win::IsWindow(attachedEditor_)) {
            closing_ = false;
            return;
        }
        attachedEditor_ = 0;
    }
    // The quit goes ahead: no plug-in command is accepted from here on. The host takes no lock for
    // it, so a plug-in thread waiting for its command cannot hold the main thread up; a refused quit
    // never gets here, so the plug-ins can still start afterwards.
    WithdrawInstance();
    plugIns_->SetQuitting();
    plugIns_->Stop();
    if (video_ != nullptr) {
        SaveFormPosition(video_);
        video_->hide();
    }
    if (skin_) {
        skin_->HideInterface();
    }
    const auto& audio = playControl_->Controllers().Audio;
    PlayerConfig().Mute = audio && audio->IsMuted();
    config_.SaveVolume();
    FormClose();
}

void TDVDMain::HoldInstanceLock(std::unique_ptr<win::NamedMutex> lock) {
    instanceLock_ = std::move(lock);
}

void TDVDMain::WithdrawInstance() {
    if (handle_ != 0) {
        win::SetWindowText(handle_, kCaption);
    }
    instanceLock_.reset();
}

void TDVDMain::closeEvent(QCloseEvent* event) {
    if (!closing_) {
        event->ignore();
        Ac_QuitExecute();
        return;
    }
    event->accept();
}

void TDVDMain::DeleteTempFiles() const {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folders_.Temp, error)) {
        if (entry.is_regular_file(error) || entry.is_symlink(error)) {
            std::filesystem::remove(entry.path(), error);
        }
    }
}

void TDVDMain::FormClose() {
    if (closed_) {
        return;
    }
    closed_ = true;
    // A check still under way must not post to the window after it is gone.
    versionCheck_.reset();
    videoMenu_->DetachPlayer();
    mountWatcher_.reset();
    if (chapters_ != nullptr) {
        chapters_->SetTitles(nullptr);
    }
    if (playControl_) {
        playControl_->DestroyPlayer();
        playControl_.reset();
    }
    if (mainControl_) {
        mainControl_->Stop();
        mainControl_.reset();
    }
    FreeScriptControlUnit();
    DeleteTempFiles();
    if (onClosed_) {
        onClosed_();
    }
}

win::LRESULT TDVDMain::OnCopyData(win::WPARAM sender, const win::COPYDATASTRUCT* copy) {
    const TCommandFrame::Content frame = TCommandFrame::Read(copy);
    switch (frame.kind) {
    case TCommandFrame::Kind::Text:
        return ProcessCommandLine(frame.text, static_cast<win::HWND>(sender));
    case TCommandFrame::Kind::Order: {
        if (frame.record.empty() || !playControl_) {
            return -1;
        }
        // The core reads the record's words in place: give it an aligned copy of its own.
        std::vector<std::uint64_t> record((frame.record.size() + 7) / 8);
        std::memcpy(record.data(), frame.record.data(), frame.record.size());
        return playControl_->SendOrder(static_cast<uint32_t>(frame.code), record.data(), nullptr);
    }
    case TCommandFrame::Kind::Other:
    case TCommandFrame::Kind::Refused:
        break;
    }
    return 0;
}

win::LRESULT TDVDMain::WndProc(win::UINT msg, win::WPARAM wParam, win::LPARAM lParam) {
    switch (msg) {
    case win::WM_COPYDATA:
        return OnCopyData(wParam, reinterpret_cast<const win::COPYDATASTRUCT*>(lParam));
    case kMsgEditorLock:
        ApplyEditorLock(wParam != 0);
        break;
    case kMsgQuit:
        Ac_QuitExecute();
        break;
    case kMsgPluginCommand:
        plugIns_->RunPendingCommand();
        break;
    case kMsgRestore:
        OnApplicationRestore();
        break;
    case kMsgSettingsClosed:
        // Saved: the dialog stored the settings the player now takes; cancelled: those on disk again.
        if (wParam != 0) {
            ApplySettings();
        } else {
            ReloadSettings();
        }
        ApplyTranslation();
        EnableShortcuts();
        break;
    case kMsgAutoexec:
        bridge_->RunAutoexecScript();
        break;
    case kMsgShowSettings:
        // The settings command (disabled while there is no settings dialog to show).
        if (!closing_) {
            bridge_->RunAction(actions_->Find("Ac_EnterConfig"));
        }
        break;
    case kMsgVersionAnswer:
        OnVersionAnswer();
        break;
    default:
        break;
    }
    return win::DefWindowProc(handle_, msg, wParam, lParam);
}

void TDVDMain::OnDropFiles(const std::vector<std::string>& files) {
    if (files.size() == 1) {
        OpenFile(files.front());
        return;
    }
    if (files.empty()) {
        return;
    }
    DeletePlaylistItem(-1);
    for (const std::string& file : files) {
        EnqueueFile(file);
    }
    PlayQueueItem(0);
}

void TDVDMain::OnVolumeArrival(const std::string& root) {
    if (!TMediaOpener::HasVideoTs(root)) {
        return;
    }
    if (mountPending_) {
        opener_->PlayDisc(root);
    }
    mountPending_ = false;
}

void TDVDMain::OnVolumeRemoval(const std::string& root) {
    const std::string& disc = opener_->CurrentDisc();
    if (disc.empty() || TPlayerFolders::AsFolder(disc).rfind(TPlayerFolders::AsFolder(root), 0) != 0) {
        return;
    }
    CloseProfile();
    opener_->Ac_Stop();
}

void TDVDMain::OpenFile(const std::string& path) {
    if (!path.empty()) {
        opener_->OpenFile(Wide(path), u"", false, -1, false);
    }
}

void TDVDMain::EnqueueFile(const std::string& path) {
    playQueue_.AddFile(Wide(path).c_str(), nullptr, 0, nullptr, 0, nullptr, false);
}

void TDVDMain::PlayQueueItem(int32_t index) {
    opener_->PlayQueueItem(index);
}

void TDVDMain::DeletePlaylistItem(int32_t index) {
    playQueue_.Delete(index);
}

// The full-screen window when it is shown, else the video window, comes forward (as far as the window
// manager lets a program raise itself).
void TDVDMain::BringVideoToFront() {
    for (QWidget* form : {static_cast<QWidget*>(fullscreen_), static_cast<QWidget*>(video_)}) {
        if (form != nullptr && form->isVisible()) {
            if (form->isMinimized()) {
                form->showNormal();
            }
            form->raise();
            form->activateWindow();
            return;
        }
    }
}

void TDVDMain::SetFullscreenForm(TFullscreen* fullscreen) {
    fullscreen_ = fullscreen;
    screenMode_.reset();
    if (video_ != nullptr && fullscreen_ != nullptr) {
        screenMode_ = std::make_unique<TScreenMode>(*video_, *fullscreen_);
    }
}

QWidget* TDVDMain::SkinAnchor() const {
    return screenMode_ ? &screenMode_->Anchor() : video_;
}

void TDVDMain::SetScreenMode(int32_t mode) {
    if (!screenMode_) {
        return;
    }
    screenMode_->Set(mode, playControl_.get(), skin_ ? &skin_->Script() : nullptr);
    ApplyVideoStayOnTop();
}

void TDVDMain::SetVideoStayOnTop(bool on) {
    videoStayOnTop_ = on;
    ApplyVideoStayOnTop();
}

void TDVDMain::ApplyVideoStayOnTop() {
    if (video_ != nullptr) {
        TWindowLayering::ApplyStayOnTop(*video_, videoStayOnTop_);
    }
}

void TDVDMain::RestackWindows() {
    if (video_ != nullptr) {
        TWindowLayering::Restack(*video_, skin_ ? &skin_->Script() : nullptr);
    }
    if (attachedEditor_ != 0) {
        win::SendMessage(attachedEditor_, kMsgEditorRequest, 1, 0);
    }
}

// The player comes back: its windows in order, the window of the screen mode shown, forward and
// wholly on its monitor.
void TDVDMain::OnApplicationRestore() {
    if (video_ == nullptr) {
        return;
    }
    RestackWindows();
    QWidget* shown = screenMode_ ? &screenMode_->Anchor() : video_;
    if (shown == video_) {
        video_->showNormal();
        TFormPlacement::MoveOntoMonitor(*video_);
    } else {
        shown->show();
    }
    shown->raise();
    shown->activateWindow();
}

void TDVDMain::ShowMouseCursor(bool show) {
    cursor_.Show(show, playControl_ ? playControl_->Controllers().Video.get() : nullptr);
}

void TDVDMain::SetVideoBackgrounds(const QImage* bitmap, int state) {
    if (video_ != nullptr) {
        video_->SetBackgroundBitmap(bitmap);
        video_->UpdateBackground(state);
    }
    if (fullscreen_ != nullptr) {
        fullscreen_->SetBackgroundBitmap(bitmap);
        fullscreen_->UpdateBackground(state);
    }
}

const QImage* TDVDMain::SkinVideoBackground() const {
    return skin_ ? &skin_->Script().VideoBackground() : nullptr;
}

// The message box and both video windows take their pictures from the skin now loaded; the video
// windows show theirs until a video is shown.
void TDVDMain::ApplySkinPictures() {
    if (!skin_) {
        return;
    }
    if (ErrMessage != nullptr) {
        ErrMessage->ApplySkin(skin_->Script().MessagesBitmap());
    }
    SetVideoBackgrounds(SkinVideoBackground(), 1);
}

void TDVDMain::LoadSkin(const std::string& path) {
    LoadSkin(path, true);
}

void TDVDMain::SetSettingsFolder(const std::string& folder) {
    folders_.Settings = TPlayerFolders::AsFolder(folder);
    placement_.SetFolder(folders_.Settings);
    ReloadSettings();
}

void TDVDMain::LoadAspectProfile(const std::string& /*name*/) {
    // Aspect profiles are read by the aspect dialog, which this program does not make yet.
}

void TDVDMain::RemoteCode(const std::string& code) {
    // While the settings dialog is open a code is shown there, and learnt when it waits for one.
    if (configForm_ != nullptr && configForm_->isVisible()) {
        configForm_->ShowRemoteCode(code);
        if (configForm_->IsWaitingForRemoteCode()) {
            configForm_->AssignRemoteCode(code);
        }
        return;
    }
    bridge_->ExecuteRemoteCode(code);
}

void TDVDMain::HideInterface() {
    if (skin_) {
        skin_->HideInterface();
    }
}

void TDVDMain::ResetWindowsPosition() {
    const auto onto = [](QWidget* form) {
        if (form != nullptr) {
            TFormPlacement::MoveOntoMonitor(*form);
        }
    };
    onto(video_);
    onto(chapters_);
    onto(ErrMessage);
    onto(skin_ ? skin_->Script().MainForm() : nullptr);
}

void TDVDMain::SetSilent(bool silent) {
    silent_ = silent;
    if (ErrMessage != nullptr) {
        ErrMessage->SetSilent(silent);
    }
    if (YesNo != nullptr) {
        YesNo->SetSilent(silent);
    }
}

void TDVDMain::SetEditMode(bool on, win::HWND sender) {
    attachedEditor_ = on ? sender : 0;
    ApplyEditorLock(on);
}

// While an editor edits the profile, the player neither opens nor edits one.
void TDVDMain::ApplyEditorLock(bool on) {
    editorLock_ = on;
    videoMenu_->SetEditMode(editorLock_);
    actions_->SetAllowed("Ac_OpenProfile", !on);
    actions_->SetAllowed("Ac_EditProfile", !on);
}

int32_t TDVDMain::GetTimeCode() {
    return playControl_ ? playControl_->GetTimeCode() : 0;
}

bool TDVDMain::GetDiscId(uint32_t* high, uint32_t* low) {
    return playControl_ && playControl_->GetDiscId(high, low);
}

TProfileSubtitles* TDVDMain::ProfileSubtitles() const {
    return playControl_ ? dynamic_cast<TProfileSubtitles*>(playControl_->Controllers().ProfileSubtitles.get())
                        : nullptr;
}

void TDVDMain::CloseProfile() {
    opener_->CloseProfile();
}

void TDVDMain::ShowProfileSubtitles(bool shown) {
    if (auto* subtitles = ProfileSubtitles()) {
        subtitles->Show(shown);
    }
}

void TDVDMain::RunCommandWord(const std::string& word) {
    bridge_->RunAction(bridge_->FindActionByCommand(word, nullptr));
}

uint8_t TDVDMain::OnPlayerEvent(uint32_t event, intptr_t a, intptr_t b, intptr_t c) {
    if (event == kEventTitleChapter && video_ != nullptr) {
        video_->OnTitleChapterChanged(a, b);
    }
    if (event == kEventTitleChapter && chapters_ != nullptr) {
        chapters_->OnTitleChapterChanged(a, b);
    }
    return events_->OnPlayerEvent(event, a, b, c);
}

void TDVDMain::EnableShortcuts() {
    actionControler_.ApplyShortcuts();
    shortcutFilter_->SetEnabled(true);
}

void TDVDMain::DisableShortcuts() {
    actionControler_.ClearShortcuts();
    shortcutFilter_->SetEnabled(false);
}

void TDVDMain::FormMouseWheelUp() {
    mouse_->WheelUp();
}

void TDVDMain::FormMouseWheelDown() {
    mouse_->WheelDown();
}

void TDVDMain::RunDoubleClickFunction() {
    mouse_->RunDoubleClickFunction();
}

void TDVDMain::VideoPanelMouseDown() {
    if (video_ != nullptr) {
        video_->PanelMouseDown();
    }
}

std::vector<plat::shell::OpticalDrive> TDVDMain::OpticalDrives() const {
    return opener_->Drives();
}

QAction* TDVDMain::FindActionByCommand(std::string_view text, std::string* arguments) const {
    return bridge_->FindActionByCommand(text, arguments);
}

void TDVDMain::SetSeekTarget(uint32_t ms) {
    actions_->SetSeekTarget(ms);
}

uint32_t TDVDMain::SeekTarget() const {
    return actions_->SeekTarget();
}

void TDVDMain::GoToSeekPos() {
    if (QAction* seek = actions_->Find("Act_GoToSeekPos")) {
        seek->trigger();
    }
}

QMenu* TDVDMain::PlaySourceMenu() const {
    return playMenu_.get();
}

bool TDVDMain::IsDVDMode() const {
    return video_ != nullptr && video_->Mode() == TVideo::kModeDisc;
}

bool TDVDMain::IsFileMode() const {
    return video_ != nullptr && video_->Mode() == TVideo::kModeFile;
}

void TDVDMain::SwitchToFileMode() {
    if (playMenu_) {
        playMenu_->SetDiscItemsEnabled(false);
    }
    if (skin_) {
        skin_->Script().SetModeButtons(false, true);
    }
    if (video_ != nullptr) {
        video_->SetMode(TVideo::kModeFile);
    }
}

void TDVDMain::SwitchToDiscMode() {
    if (playMenu_) {
        playMenu_->SetDiscItemsEnabled(true);
    }
    if (skin_) {
        skin_->Script().SetModeButtons(true, true);
    }
    if (video_ != nullptr) {
        video_->SetMode(TVideo::kModeDisc);
    }
}

void TDVDMain::PlayNextQueueItem(bool stopAtEnd) {
    const int32_t before = playQueue_.GetCurrent();
    const int32_t index = playQueue_.Next();
    if (stopAtEnd && index == before) {
        bridge_->RunAction(actions_->Find("Ac_Stop"));
        return;
    }
    PlayQueueItem(index);
}

void TDVDMain::PlayPreviousQueueItem() {
    PlayQueueItem(playQueue_.Prev());
}

bool TDVDMain::ProfileSubtitlesShown() const {
    const TProfileSubtitles* subtitles = ProfileSubtitles();
    return subtitles != nullptr && subtitles->Shown();
}

void TDVDMain::ShowError(const std::u16string& text) {
    if (ErrMessage != nullptr) {
        ErrMessage->Report(TErrMessage::kPlayerError, plat::text::WideToAnsi(text), false);
    }
}

int32_t TDVDMain::DriveIndexFromMask(uint32_t unitMask) {
    for (int32_t index = 0; index < 26; ++index) {
        if ((unitMask & (1u << index)) != 0) {
            return index;
        }
    }
    return 26;
}
