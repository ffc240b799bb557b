#include "player/ui/TPlayerStartup.h"

#include "platform/win/Message.h"
#include "platform/win/NamedMutex.h"
#include "platform/win/Peer.h"
#include "player/dialogs/TErrMessage.h"
#include "player/dialogs/TYesNo.h"
#include "player/dialogs/config/TConfig.h"
#include "player/model/binding/PlayerGlobals.h"
#include "player/model/binding/TMainControl.h"
#include "player/ui/StartCommandLine.h"
#include "player/ui/TChapters.h"
#include "player/model/binding/TCommandFrame.h"
#include "player/ui/TDVDMain.h"
#include "player/ui/TFullscreen.h"
#include "player/ui/TVideo.h"

#include <QApplication>
#include <QFontMetrics>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>

namespace win = plat::win;

namespace {

using TFormMaker = std::unique_ptr<QWidget> (*)(TPlayerStartup::TForms& forms);

std::unique_ptr<QWidget> MakeVideo(TPlayerStartup::TForms& forms) {
    auto video = std::make_unique<TVideo>(*forms.Main);
    forms.Main->SetVideoForm(video.get());
    return video;
}

std::unique_ptr<QWidget> MakeErrMessage(TPlayerStartup::TForms& forms) {
    auto box = std::make_unique<TErrMessage>();
    forms.Main->LoadFormPosition(box.get());
    return box;
}

std::unique_ptr<QWidget> MakeYesNo(TPlayerStartup::TForms&) {
    return std::make_unique<TYesNo>();
}

std::unique_ptr<QWidget> MakeFullscreen(TPlayerStartup::TForms& forms) {
    auto fullscreen = std::make_unique<TFullscreen>(*forms.Main);
    forms.Main->SetFullscreenForm(fullscreen.get());
    return fullscreen;
}

std::unique_ptr<QWidget> MakeChapters(TPlayerStartup::TForms& forms) {
    auto chapters = std::make_unique<TChapters>();
    forms.Main->SetChaptersForm(chapters.get());
    return chapters;
}

// The settings dialog comes last.
std::unique_ptr<QWidget> MakeConfig(TPlayerStartup::TForms& forms) {
    auto config = std::make_unique<TConfig>(*forms.Main);
    forms.Main->SetConfigForm(config.get());
    return config;
}

// The forms after the main form, in the order they are created; forms are appended as they come.
constexpr std::array<TFormMaker, 6> kFormOrder = {&MakeVideo,      &MakeErrMessage, &MakeYesNo,
                                                  &MakeFullscreen, &MakeChapters,   &MakeConfig};

std::vector<std::string> Arguments(int argc, char** argv) {
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.emplace_back(argv[i] != nullptr ? argv[i] : "");
    }
    return arguments;
}

int RunFirstInstance(int argc, char** argv, const std::string& commandLine, bool useDefaultSkin,
                     std::unique_ptr<win::NamedMutex> instanceLock) {
    if (!TPlayerStartup::HasDisplay()) {
        return 1;
    }
    // The core loads while Qt starts and the font configuration loads; the main form's start takes
    // it over where it needs it.
    CreatePlayerGlobals();
    SendToCore()->BeginLoad(TMainControl::kCoreFolder);
    QApplication application(argc, argv);
    // The first text measured loads the font configuration, which the forms need: done now, it
    // runs while the core is loading.
    QFontMetrics(QApplication::font()).height();
    QApplication::setApplicationName(TDVDMain::kCaption);
    QApplication::setQuitOnLastWindowClosed(false);
    try {
        TPlayerStartup::TForms forms = TPlayerStartup::CreateForms();
        forms.Main->SetOnClosed([] { QCoreApplication::exit(0); });
        forms.Main->HoldInstanceLock(std::move(instanceLock));
        forms.Main->InitAfterForms(useDefaultSkin);
        forms.Main->ProcessCommandLine(commandLine, 0);
        forms.Main->StartPlugins(false);
        forms.Main->PostAutoexecScript();
        if (!forms.Main->IsClosing()) {
            QApplication::exec();
        }
        // The other forms go before the main form that they refer to; the message box keeps its place.
        forms.Main->SaveFormPosition(ErrMessage);
        if (forms.Main->ConfigForm() != nullptr) {
            forms.Main->SaveFormPosition(forms.Main->ConfigForm());
        }
        forms.Main->SetFullscreenForm(nullptr);
        forms.Main->SetConfigForm(nullptr);
        forms.Main->SetChaptersForm(nullptr);
        forms.Main->SetVideoForm(nullptr);
        forms.Others.clear();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "Tovrin: %s\n", error.what());
    } catch (...) {
        std::fprintf(stderr, "Tovrin: \n");
    }
    return 0;
}

} // namespace

bool TPlayerStartup::HasDisplay() {
    const auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value != nullptr && *value != '\0';
    };
    if (set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY")) {
        return true;
    }
    std::fprintf(stderr, "Tovrin: no display to show the player on (neither DISPLAY nor WAYLAND_DISPLAY is "
                         "set; QT_QPA_PLATFORM=offscreen runs it without one)\n");
    return false;
}

TPlayerStartup::TForms TPlayerStartup::CreateForms() {
    TForms forms;
    forms.Main = std::make_unique<TDVDMain>();
    forms.Main->FormCreate();
    for (const TFormMaker make : kFormOrder) {
        forms.Others.push_back(make(forms));
    }
    return forms;
}

void TPlayerStartup::SendCommandLineToWindow(win::HWND target, const std::string& text) {
    const std::vector<uint8_t> frame = TCommandFrame::BuildText(text);
    const win::COPYDATASTRUCT copy{0, static_cast<win::DWORD>(frame.size()), frame.data()};
    win::SendMessage(target, win::WM_COPYDATA, 0, reinterpret_cast<win::LPARAM>(&copy));
}

int TPlayerStartup::Run(int argc, char** argv) {
    const std::vector<std::string> arguments = Arguments(argc, argv);
    std::error_code error;
    const std::string commandLine =
        StartCommandLine::Build(arguments, std::filesystem::current_path(error).string());
    std::unique_ptr<win::NamedMutex> mutex;
    auto taken = win::NamedMutex::TryAcquire(kMutexName, &mutex);
    if (taken == win::NamedMutex::Result::HeldElsewhere) {
        // The running player may still be starting: its window is waited for, and should it end
        // meanwhile, this start takes its place, so no file given here is dropped.
        const win::HWND running = win::WaitForPeerWindow(
            TDVDMain::kClassName, TDVDMain::kFindTitle, kHandOverWait, kLockRecheck, [&] {
                taken = win::NamedMutex::TryAcquire(kMutexName, &mutex);
                return taken != win::NamedMutex::Result::HeldElsewhere;
            });
        if (running != 0) {
            SendCommandLineToWindow(running, commandLine);
            return 0;
        }
        if (taken == win::NamedMutex::Result::HeldElsewhere) {
            std::fprintf(stderr, "Tovrin: another player holds the instance lock but shows no window; "
                                 "the command line was not handed over\n");
            return 1;
        }
    }
    if (taken == win::NamedMutex::Result::Failed) {
        std::fprintf(stderr,
                     "Tovrin: the runtime folder cannot be used; other starts will not find this player\n");
    }
    return RunFirstInstance(argc, argv, commandLine, StartCommandLine::UsesDefaultSkin(arguments),
                            std::move(mutex));
}
