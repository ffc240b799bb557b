#pragma once
// The hub's controllers, each absent until made (and when its factory makes none).
#include "player/model/controllers/IAngleInfo.h"
#include "player/model/controllers/IAudioInfo.h"
#include "player/model/controllers/IBookmarkControl.h"
#include "player/model/controllers/IDVDInfo.h"
#include "player/model/controllers/IFiltersInfo.h"
#include "player/model/controllers/IMyTitles.h"
#include "player/model/controllers/IOSDControl.h"
#include "player/model/controllers/IPlayerControllerFactory.h"
#include "player/model/controllers/IProfileSubtitles.h"
#include "player/model/controllers/ISubsInfo.h"
#include "player/model/controllers/IUserOperations.h"
#include "player/model/controllers/IVideoControl.h"

#include <memory>

class TPlayerControllers {
public:
    // Destroys the old ones, then makes every controller in the hub's order (video first, on-screen messages
    // last) and gives the audio and the video controller the on-screen message controller.
    void Create(IPlayerControllerFactory& factory, TPlayerObjects& hub);
    // Destroys them in the same order.
    void Destroy();

    std::unique_ptr<IVideoControl> Video;
    std::unique_ptr<IBookmarkControl> Bookmarks;
    std::unique_ptr<IAudioInfo> Audio;
    std::unique_ptr<ISubsInfo> Subs;
    std::unique_ptr<IAngleInfo> Angles;
    std::unique_ptr<IUserOperations> UserOperations;
    std::unique_ptr<IProfileSubtitles> ProfileSubtitles;
    std::unique_ptr<IMyTitles> Titles;
    std::unique_ptr<IFiltersInfo> Filters;
    std::unique_ptr<IOSDControl> OSD;
};
