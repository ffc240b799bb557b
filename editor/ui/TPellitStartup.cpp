#include "editor/ui/TPellitStartup.h"

#include "editor/TShared.h"
#include "editor/ui/TAbout.h"
#include "editor/ui/TErrMessage.h"
#include "editor/ui/TEventsListing.h"
#include "editor/ui/TInfo.h"
#include "editor/ui/TPellitMain.h"
#include "editor/ui/TWaitForm.h"
#include "editor/ui/TWaveEditorLink.h"
#include "editor/ui/TYesNo.h"
#include "editor/ui/wave/TWaveControl.h"
#include "platform/win/NamedMutex.h"
#include "player/model/binding/PlayerGlobals.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace win = plat::win;

namespace {

bool HasDisplay() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    return (platform != nullptr && *platform != 0) || std::getenv("DISPLAY") != nullptr ||
           std::getenv("WAYLAND_DISPLAY") != nullptr;
}

std::u16string CommandLine(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    return arguments.join(' ').toStdU16String();
}

// The forms of the run, made in their fixed order; forms of later parts of the editor join the order
// as they are built.
struct TForms {
    std::unique_ptr<TPellitMain> Main;
    std::unique_ptr<TEventsListing> Listing;
    // The link outlives the wave display, which reports through it.
    std::unique_ptr<TWaveEditorLink> WaveLink;
    std::unique_ptr<TWaveControl> Wave;
    std::unique_ptr<TYesNo> YesNo;
    std::unique_ptr<TInfo> Info;
    std::unique_ptr<TAbout> About;
    std::unique_ptr<TErrMessage> Errors;
};

TForms CreateForms(TShared& shared) {
    TForms forms;
    forms.Main = std::make_unique<TPellitMain>(shared);
    shared.SetWaitInfo(u"Events Listing");
    forms.Listing = std::make_unique<TEventsListing>(shared);
    forms.WaveLink = std::make_unique<TWaveEditorLink>(shared);
    forms.Wave = std::make_unique<TWaveControl>(*forms.WaveLink);
    forms.WaveLink->Attach(forms.Wave.get());
    forms.YesNo = std::make_unique<TYesNo>(forms.Main.get());
    shared.SetWaitInfo(u"Information");
    forms.Info = std::make_unique<TInfo>(shared, forms.Main.get());
    forms.About = std::make_unique<TAbout>(forms.Main.get());
    shared.SetWaitInfo(u"Error Message");
    forms.Errors = std::make_unique<TErrMessage>(forms.Main.get());
    return forms;
}

int RunEditor(int argc, char** argv) {
    QApplication application(argc, argv);
    TShared shared;
    TWaitForm wait;
    shared.SetViews({nullptr, nullptr, nullptr, &wait});
    shared.ShowWait(u"Loading Pellit", u"");
    int result = 0;
    try {
        TForms forms = CreateForms(shared);
        shared.SetViews(
            {forms.Main.get(), forms.Listing.get(), forms.Info.get(), &wait, forms.WaveLink.get()});
        forms.Main->PostInit({forms.Listing.get(), forms.YesNo.get(), forms.Info.get(), forms.About.get(),
                              forms.Errors.get(), &wait, forms.Wave.get()});
        shared.HideWait();
        forms.Main->setWindowState(Qt::WindowNoState);
        forms.Main->show();
        forms.Main->repaint();
        const std::u16string commandLine = CommandLine(argc, argv);
        if (!commandLine.empty()) {
            forms.Main->RunCommandLine(commandLine);
        }
        result = QApplication::exec();
        shared.SetViews({});
    } catch (const std::exception& error) {
        std::fprintf(stderr, "Pellit: %s\n", error.what());
    }
    DestroyPlayerGlobals();
    return result;
}

} // namespace

int TPellitStartup::Run(int argc, char** argv) {
    std::unique_ptr<win::NamedMutex> mutex;
    const auto taken = win::NamedMutex::TryAcquire(kMutexName, &mutex);
    if (taken == win::NamedMutex::Result::HeldElsewhere) {
        return 0;
    }
    if (taken == win::NamedMutex::Result::Failed) {
        std::fprintf(stderr,
                     "Pellit: the runtime folder cannot be used; a second editor will not be kept out\n");
    }
    if (!HasDisplay()) {
        std::fprintf(stderr,
                     "Pellit: no display to show the editor on (neither DISPLAY nor WAYLAND_DISPLAY is "
                     "set; QT_QPA_PLATFORM=offscreen runs it without one)\n");
        return 1;
    }
    return RunEditor(argc, argv);
}
