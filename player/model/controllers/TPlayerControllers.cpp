#include "player/model/controllers/TPlayerControllers.h"

void TPlayerControllers::Create(IPlayerControllerFactory& factory, TPlayerObjects& hub) {
    Destroy();
    Video = factory.CreateVideoControl(hub);
    Bookmarks = factory.CreateBookmarkControl(hub);
    Audio = factory.CreateAudioInfo(hub);
    Subs = factory.CreateSubsInfo(hub);
    Angles = factory.CreateAngleInfo(hub);
    UserOperations = factory.CreateUserOperations();
    ProfileSubtitles = factory.CreateProfileSubtitles(hub);
    Titles = factory.CreateMyTitles(hub);
    Filters = factory.CreateFiltersInfo(hub);
    OSD = factory.CreateOSDControl(hub);
    if (Audio) {
        Audio->SetOSDControl(OSD.get());
    }
    if (Video) {
        Video->SetOSDControl(OSD.get());
    }
}

void TPlayerControllers::Destroy() {
    Video.reset();
    Bookmarks.reset();
    Audio.reset();
    Subs.reset();
    Angles.reset();
    UserOperations.reset();
    ProfileSubtitles.reset();
    Titles.reset();
    Filters.reset();
    OSD.reset();
}
