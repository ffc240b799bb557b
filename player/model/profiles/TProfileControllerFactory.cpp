#include "player/model/profiles/TProfileControllerFactory.h"

#include "player/model/profiles/TProfileSubtitles.h"

std::unique_ptr<IProfileSubtitles> TProfileControllerFactory::CreateProfileSubtitles(TPlayerObjects& hub) {
    return std::make_unique<TProfileSubtitles>(&hub);
}
