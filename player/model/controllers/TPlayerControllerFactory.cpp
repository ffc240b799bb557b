#include "player/model/controllers/TPlayerControllerFactory.h"

#include "player/model/controllers/IDVDInfo.h"
#include "player/model/controllers/IMyTitles.h"
#include "player/model/controllers/IProfileSubtitles.h"
#include "player/model/controllers/TAngleInfo.h"
#include "player/model/controllers/TAudioInfo.h"
#include "player/model/controllers/TFiltersInfo.h"
#include "player/model/controllers/TOSDControl.h"
#include "player/model/controllers/TSubsInfo.h"
#include "player/model/controllers/TUOPS.h"
#include "player/model/controllers/TVideoControl.h"
#include "player/model/storage/TBookmarkControl.h"
#include "player/model/storage/TSteadyTickSource.h"
#include "player/model/discinfo/TDVDInfo.h"
#include "player/model/titles/TMyTitles.h"

std::unique_ptr<IVideoControl> TPlayerControllerFactory::CreateVideoControl(TPlayerObjects& hub) {
    return std::make_unique<TVideoControl>(hub, displayModes_);
}

std::unique_ptr<IBookmarkControl> TPlayerControllerFactory::CreateBookmarkControl(TPlayerObjects& hub) {
    return std::make_unique<TBookmarkControl>(hub, std::make_unique<TSteadyTickSource>());
}

std::unique_ptr<IAudioInfo> TPlayerControllerFactory::CreateAudioInfo(TPlayerObjects& hub) {
    return std::make_unique<TAudioInfo>(hub);
}

std::unique_ptr<ISubsInfo> TPlayerControllerFactory::CreateSubsInfo(TPlayerObjects& hub) {
    return std::make_unique<TSubsInfo>(hub);
}

std::unique_ptr<IAngleInfo> TPlayerControllerFactory::CreateAngleInfo(TPlayerObjects& hub) {
    return std::make_unique<TAngleInfo>(hub);
}

std::unique_ptr<IUserOperations> TPlayerControllerFactory::CreateUserOperations() {
    return std::make_unique<TUOPS>();
}

std::unique_ptr<IProfileSubtitles> TPlayerControllerFactory::CreateProfileSubtitles(TPlayerObjects&) {
    return nullptr;
}

std::unique_ptr<IMyTitles> TPlayerControllerFactory::CreateMyTitles(TPlayerObjects& hub) {
    return std::make_unique<TMyTitles>(hub);
}

std::unique_ptr<IFiltersInfo> TPlayerControllerFactory::CreateFiltersInfo(TPlayerObjects& hub) {
    return std::make_unique<TFiltersInfo>(hub);
}

std::unique_ptr<IOSDControl> TPlayerControllerFactory::CreateOSDControl(TPlayerObjects& hub) {
    return std::make_unique<TOSDControl>(hub);
}

std::unique_ptr<IDVDInfo> TPlayerControllerFactory::CreateDVDInfo() {
    return std::make_unique<TDVDInfo>();
}
