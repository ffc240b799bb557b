#include "player/ui/TDVDMain.h"

#include "foundation/TGrVariant.h"
#include "platform/display/DisplayModes.h"
#include "platform/text/CaseFold.h"
#include "platform/text/CodePage.h"
#include "platform/text/Path.h"
#include "platform/win/Library.h"
#include "platform/win/Message.h"
#include "platform/win/Peer.h"
#include "platform/win/Window.h"
#include "player/model/binding/PlayerGlobals.h"
#include "player/model/binding/TMainControl.h"
#include "player/model/controllers/IAudioInfo.h"
#include "player/model/controllers/IVideoControl.h"
#include "player/model/errors/ISystemMessageBox.h"
#include "player/model/events/PlayerEvents.h"
#include "player/model/hub/TPlayControl.h"
#include "player/model/playlist/TPlaylistItem.h"
#include "player/model/profiles/TProfileControllerFactory.h"
#include "player/model/profiles/TProfileSubtitles.h"
#include "player/model/settings/Tag_PlayerConfig.h"
#include "player/scripting/TScriptRunner.h"
#include "player/scripting/TScriptServices.h"
#include "player/scripting/remote/TPlugIns.h"
#include "player/ui/TCommandFrame.h"
#include "player/ui/TCommandLine.h"
#include "player/ui/TMountWatcher.h"
#include "player/ui/TPlaySourceMenu.h"
#include "player/ui/TPlayerSkin.h"
#include "player/ui/TVideo.h"
#include "subtitles/decoders/TNewScriptLoader.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QStyleHints>

#include <cstdio>
#include <cstring>
#include <filesystem>

namespace win = plat::win;

namespace {

// 8-bit text is UTF-8 (the process code page).
std::u16string Wide(const std::string& text) {
    return plat::text::AnsiToWide(text);
}

} // namespace

TDVDMain::TDVDMain(QWidget* owner) : QWidget(owner), config_(hints_), plugIns_(TPlugIns::Create()) {
    setObjectName("DVDMain");
    setWindowTitle(kCaption);
    resize(189, 66);
    CreateActions();
}

void TDVDMain::CreateActions() {
    struct TActionSpec {
        const char* name;
        const char* category;
        const char* caption;
        void (TDVDMain::*run)();
    };
    static const TActionSpec kActions[] = {
        {"Ac_Quit", "General", "Quit", &TDVDMain::Ac_QuitExecute},
        {"Ac_Play", "Playback", "Play", nullptr},
        {"Ac_Pause", "Playback", "Pause", nullptr},
        {"Ac_Stop", "Playback", "Stop", nullptr},
        {"Ac_NextChapter", "Playback", "Next chapter", nullptr},
        {"Ac_PrevChapter", "Playback", "Previous chapter", nullptr},
        {"Ac_VolumeMore", "Sound", "More Volume", nullptr},
        {"Ac_VolumeLess", "Sound", "Less Volume", nullptr},
        {"Ac_VolumeMute", "Sound", "Volume Mute", nullptr},
        {"Ac_EnterFileMode", "Playback", "Enter File Mode", nullptr},
        {"Ac_EnterDVDMode", "Playback", "Enter DVD Mode", nullptr},
        {"Ac_OpenProfile", "Profile", "Open Profile", nullptr},
        {"Ac_EditProfile", "Profile", "Edit Profile", nullptr},
        {"Ac_ShowHideScriptSub", "Profile", "Show/Hide Profile Subtitles", nullptr},
    };
    for (const TActionSpec& spec : kActions) {
        auto* action = new QAction(tr(spec.caption), this);
        action->setObjectName(spec.name);
        action->setProperty(TActionControler::kCategoryProperty, spec.category);
        dvdControl_.append(action);
    }
    const auto on = [this](const char* name, auto run) {
        connect(findChild<QAction*>(name), &QAction::triggered, this, run);
    };
    on("Ac_Quit", [this] { Ac_QuitExecute(); });
    on("Ac_Play", [this] { opener_->Ac_Play(); });
    on("Ac_Pause", [this] {
        if (playControl_)
            playControl_->Pause();
    });
    on("Ac_Stop", [this] { opener_->Ac_Stop(); });
    on("Ac_EnterFileMode", [this] { opener_->Ac_EnterFileMode(); });
    on("Ac_EnterDVDMode", [this] { opener_->Ac_EnterDVDMode(); });
    on("Ac_OpenProfile", [this] { opener_->OpenProfileDialog(); });
    on("Ac_EditProfile", [this] { opener_->Ac_EditProfile(); });
    on("Ac_ShowHideScriptSub", [this] {
        if (const TProfileSubtitles* subtitles = ProfileSubtitles())
            ShowProfileSubtitles(!subtitles->Shown());
    });
    on("Ac_NextChapter", [this] {
        if (playControl_)
            playControl_->NextChapter();
    });
    on("Ac_PrevChapter", [this] {
        if (playControl_)
            playControl_->PrevChapter();
    });
    on("Ac_VolumeMore", [this] { ChangeVolume(PlayerConfig().VolumeIncrement); });
    on("Ac_VolumeLess", [this] { ChangeVolume(-PlayerConfig().VolumeIncrement); });
    on("Ac_VolumeMute", [this] {
        if (IAudioInfo* audio = Audio())
            audio->Mute(-1);
    });
}

IAudioInfo* TDVDMain::Audio() const {
    return playControl_ ? playControl_->Controllers().Audio.get() : nullptr;
}

void TDVDMain::ChangeVolume(int32_t step) {
    if (IAudioInfo* audio = Audio()) {
        audio->ChangeVolume(step);
    }
}

TDVDMain::~TDVDMain() {
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

void TDVDMain::FormCreate() {
    PlayerConfig() = Tag_PlayerConfig{};
    CreatePlayerGlobals();
    ErrorControl()->AddListener(static_cast<IMainWindowServices*>(this), kListenerTag,
                                &IMainWindowServices::PlayerEventCallback);
    folders_ = TPlayerFolders::Below(win::ProgramFolder());
    opener_ = std::make_unique<TMediaOpener>(*this);
    playMenu_ = std::make_unique<TPlaySourceMenu>(*this);

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
        return RunPluginScript(command, consumed, answer);
    });
    plugIns_->Scan((folders_.Program + "Plug-ins").c_str());
    std::error_code error;
    std::filesystem::create_directories(folders_.Temp, error);
    std::filesystem::create_directories(folders_.Logs, error);

    actionControler_.BuildFromActionList(dvdControl_);
    config_.SetRootFolder(folders_.Program);
    config_.FillConfigForm(mainControl_.get(), nullptr);
    ReloadSettings();
    playControl_->SetLogFile((folders_.Logs + "vokrad.log").c_str());
    // Only now can a second start find the player and hand it its command line.
    if (handle_ != 0) {
        win::SetWindowText(handle_, kFindTitle);
    }
}

void TDVDMain::InitAfterForms(bool useDefaultSkin) {
    auto& controllers = playControl_->Controllers();
    if (controllers.Audio) {
        controllers.Audio->SetVolume(PlayerConfig().Volume, true);
    }
    if (controllers.Video && video_ != nullptr) {
        controllers.Video->SetVideoWindow(video_->PanelHandle());
    }
    const QStyleHints* styleHints = QGuiApplication::styleHints();
    doubleClickSpeed_ =
        styleHints->mouseDoubleClickInterval() > 0 ? styleHints->mouseDoubleClickInterval() : 500;
    doubleClickHeight_ =
        styleHints->mouseDoubleClickDistance() > 0 ? styleHints->mouseDoubleClickDistance() : 4;
    scriptLoader_ = std::make_unique<TNewScriptLoader>();
    scriptLoader_->LoadFolder(folders_.System);
    mountWatcher_ = std::make_unique<TMountWatcher>(
        mountTable_, [this](const std::string& root) { OnVolumeArrival(root); },
        [this](const std::string& root) { OnVolumeRemoval(root); });
    if (video_ != nullptr) {
        // The main form is never shown: its shortcuts work through the visible video window.
        video_->addActions(dvdControl_);
        video_->show();
    }
    opener_->History().Load();
    skin_ = std::make_unique<TPlayerSkin>(*this, folders_.Skins);
    skin_->LoadStartup(useDefaultSkin, config_.GetSkinFileName());
    // The volume was set silently above: its display learns it here.
    skin_->OnPlayerEvent(kEventVolume, PlayerConfig().Volume, 0);
}

void TDVDMain::ReloadSettings() {
    config_.Load((folders_.Settings + "Tovrin.ini").c_str());
    actionControler_.ClearShortcuts();
    actionControler_.LoadFromFile(folders_.Settings + TActionControler::kFileName);
    actionControler_.ApplyShortcuts();
}

void TDVDMain::StartPlugins(bool force) {
    if (!pluginsOff_ || force) {
        plugIns_->Start((folders_.Settings + "Tovrin.ini").c_str());
    }
}

int32_t TDVDMain::RunPluginScript(std::u16string_view command, size_t& consumed, std::u16string& answer) {
    TScriptServices services;
    services.Hub = playControl_.get();
    TGrVariant value(250);
    TGrVariant output(250);
    const int32_t result = TScriptRunner(services).RunScript(command, &consumed, value, output);
    if (output.Type == TGrVariant::vtText) {
        answer = output.Text();
    } else if (output.Type == TGrVariant::vtInt) {
        const std::string number = std::to_string(output.IntValue());
        answer.assign(number.begin(), number.end());
    }
    return result;
}

void TDVDMain::RunAction(QAction* action) {
    if (action == nullptr) {
        return;
    }
    if (action->objectName() == "Ac_Quit") {
        win::PostMessage(handle_, kMsgQuit, 0, 0);
    } else {
        action->trigger();
    }
}

int32_t TDVDMain::ProcessCommandLine(const std::string& text, win::HWND sender) {
    return TCommandLine::Process(text, sender, *this);
}

void TDVDMain::PostAutoexecScript() {
    win::PostMessage(handle_, kMsgAutoexec, 0, 0);
}

void TDVDMain::RunAutoexecScript() {
    TScriptServices services;
    services.Hub = playControl_.get();
    std::error_code error;
    const auto folder = std::filesystem::current_path(error);
    if (!error) {
        TScriptRunner(services).RunAutoexecScript(folder.string());
    }
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
    plugIns_->Stop();
    if (video_ != nullptr) {
        video_->hide();
    }
    if (skin_) {
        skin_->HideInterface();
    }
    config_.SaveVolume();
    FormClose();
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
    mountWatcher_.reset();
    if (playControl_) {
        playControl_->DestroyPlayer();
        playControl_.reset();
    }
    if (mainControl_) {
        mainControl_->Stop();
        mainControl_.reset();
    }
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
        editorLock_ = wParam != 0;
        break;
    case kMsgQuit:
        // No plug-in command is accepted from here on; the host takes no lock for it, so a plug-in
        // thread waiting for its command cannot hold the main thread up.
        plugIns_->SetQuitting();
        closing_ = true;
        Ac_QuitExecute();
        break;
    case kMsgPluginCommand:
        plugIns_->RunPendingCommand();
        break;
    case kMsgRestore:
        if (video_ != nullptr) {
            video_->showNormal();
            video_->raise();
            video_->activateWindow();
        }
        break;
    case kMsgSettingsClosed:
        ReloadSettings();
        EnableShortcuts();
        break;
    case kMsgAutoexec:
        RunAutoexecScript();
        break;
    default:
        break;
    }
    return win::DefWindowProc(handle_, msg, wParam, lParam);
}

void TDVDMain::OnDropFiles(const std::vector<std::string>& files) {
    if (!files.empty()) {
        OpenFile(files.front());
    }
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

void TDVDMain::BringVideoToFront() {
    if (video_ != nullptr && video_->isVisible()) {
        video_->raise();
        video_->activateWindow();
    }
}

void TDVDMain::SetScreenMode(int32_t mode) {
    if (playControl_ && playControl_->Controllers().Video) {
        playControl_->Controllers().Video->SetDisplayMode(static_cast<uint32_t>(mode));
    }
}

void TDVDMain::LoadSkin(const std::string& path) {
    if (skin_) {
        skin_->Load(path, true);
    }
}

void TDVDMain::SetSettingsFolder(const std::string& folder) {
    folders_.Settings = TPlayerFolders::AsFolder(folder);
    ReloadSettings();
}

void TDVDMain::LoadAspectProfile(const std::string& /*name*/) {
    // Aspect profiles are read by the aspect dialog, which this program does not make yet.
}

void TDVDMain::RemoteCode(const std::string& code) {
    RunAction(actionControler_.FindActionByRemoteCode(code));
}

void TDVDMain::HideInterface() {
    if (skin_) {
        skin_->HideInterface();
    }
}

void TDVDMain::ResetWindowsPosition() {
    if (video_ != nullptr) {
        video_->ResetPosition();
    }
}

void TDVDMain::SetEditMode(bool on, win::HWND sender) {
    editorLock_ = on;
    attachedEditor_ = on ? sender : 0;
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
    // "Name(arguments)": the name alone names the command.
    RunAction(actionControler_.FindActionByName(word.substr(0, word.find('('))));
}

uint8_t TDVDMain::OnPlayerEvent(uint32_t event, intptr_t a, intptr_t b, intptr_t /*c*/) {
    // Event 32: a UTF-16 error text and its level; level 6 is a progress text for listeners only.
    if (event == TErrorControl::kErrorEvent && a != 0 && b != TErrorControl::kListenerOnlyLevel) {
        ShowError(reinterpret_cast<const char16_t*>(a));
    }
    if (skin_) {
        skin_->OnPlayerEvent(event, a, b);
    }
    return 1;
}

void TDVDMain::ShowError(const std::u16string& text) {
    if (silent_) {
        return;
    }
    if (messageBox_ != nullptr) {
        messageBox_->Show(text.c_str(), u"Error :", ISystemMessageBox::kErrorStyle);
    } else {
        std::fprintf(stderr, "Tovrin: %s\n", plat::text::WideToAnsi(text).c_str());
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
