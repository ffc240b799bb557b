#pragma once
// The hub's controllers with the profile subtitle sender: what the player model's factory makes, plus
// a TProfileSubtitles on the hub, which the hub tells of every new disc.
#include "player/model/controllers/TPlayerControllerFactory.h"

class TProfileControllerFactory : public TPlayerControllerFactory {
public:
    using TPlayerControllerFactory::TPlayerControllerFactory;

    std::unique_ptr<IProfileSubtitles> CreateProfileSubtitles(TPlayerObjects& hub) override;
};
