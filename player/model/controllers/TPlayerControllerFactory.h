#pragma once
// Makes the hub's controllers that the player model has: video, bookmarks, audio, subpictures,
// angles, the user-operation mask, the filters and the on-screen messages. The others (profile
// subtitles, titles, disc information) are made by nobody yet; the hub does without them.
#include "platform/display/DisplayModes.h"
#include "player/model/controllers/IPlayerControllerFactory.h"

class TPlayerControllerFactory : public IPlayerControllerFactory {
public:
    // The display modes (none: no display-mode switching) outlive the controllers.
    explicit TPlayerControllerFactory(plat::display::DisplayModes* displayModes)
        : displayModes_(displayModes) {}

    std::unique_ptr<IVideoControl> CreateVideoControl(TPlayerObjects& hub) override;
    std::unique_ptr<IBookmarkControl> CreateBookmarkControl(TPlayerObjects& hub) override;
    std::unique_ptr<IAudioInfo> CreateAudioInfo(TPlayerObjects& hub) override;
    std::unique_ptr<ISubsInfo> CreateSubsInfo(TPlayerObjects& hub) override;
    std::unique_ptr<IAngleInfo> CreateAngleInfo(TPlayerObjects& hub) override;
    std::unique_ptr<IUserOperations> CreateUserOperations() override;
    std::unique_ptr<IProfileSubtitles> CreateProfileSubtitles(TPlayerObjects& hub) override;
    std::unique_ptr<IMyTitles> CreateMyTitles(TPlayerObjects& hub) override;
    std::unique_ptr<IFiltersInfo> CreateFiltersInfo(TPlayerObjects& hub) override;
    std::unique_ptr<IOSDControl> CreateOSDControl(TPlayerObjects& hub) override;
    std::unique_ptr<IDVDInfo> CreateDVDInfo() override;

private:
    plat::display::DisplayModes* displayModes_;
};
