#pragma once
// The editor's main form with the forms its start-up docks in it, made and torn down in the start-up's
// order, for tests that drive the main window on the offscreen platform.
#include "editor/IEditorDialogs.h"
#include "editor/TShared.h"
#include "editor/ui/TAbout.h"
#include "editor/ui/TErrMessage.h"
#include "editor/ui/TEventsListing.h"
#include "editor/ui/TInfo.h"
#include "editor/ui/TPellitMain.h"
#include "editor/ui/TWaitForm.h"
#include "editor/ui/TYesNo.h"

#include <memory>

struct EditorFormsFixture {
    // Makes the forms and runs the main form's PostInit; the wave display and its view are docked
    // when given.
    bool Make(TShared& shared, IEditorDialogs& dialogs, TWaveControl* wave = nullptr,
              IWaveView* waveView = nullptr) {
        Main = std::make_unique<TPellitMain>(shared);
        Listing = std::make_unique<TEventsListing>(shared);
        YesNo = std::make_unique<TYesNo>();
        Info = std::make_unique<TInfo>(shared);
        About = std::make_unique<TAbout>();
        Errors = std::make_unique<TErrMessage>();
        shared.SetViews({Main.get(), Listing.get(), Info.get(), &Wait, waveView});
        Main->UseDialogs(dialogs);
        return Main->PostInit(
            {Listing.get(), YesNo.get(), Info.get(), About.get(), Errors.get(), &Wait, wave});
    }
    // Docked forms sit in the main window's panels: they go before it. A docked wave display is
    // destroyed by its owner before this.
    void Destroy(TShared& shared) {
        shared.SetViews({});
        Errors.reset();
        About.reset();
        Info.reset();
        YesNo.reset();
        Listing.reset();
        Main.reset();
    }

    TWaitForm Wait;
    std::unique_ptr<TPellitMain> Main;
    std::unique_ptr<TEventsListing> Listing;
    std::unique_ptr<TYesNo> YesNo;
    std::unique_ptr<TInfo> Info;
    std::unique_ptr<TAbout> About;
    std::unique_ptr<TErrMessage> Errors;
};
