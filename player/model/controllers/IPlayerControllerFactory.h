#pragma once
// Makes the hub's controllers. Each is given the hub as its parent, through which it sends its
// orders. A factory may answer nullptr for a controller it does not make; the hub then does without.
#include <memory>

class IAngleInfo;
class IAudioInfo;
class IBookmarkControl;
class IDVDInfo;
class IFiltersInfo;
class IMyTitles;
class IOSDControl;
class IProfileSubtitles;
class ISubsInfo;
class IUserOperations;
class IVideoControl;
class TPlayerObjects;

class IPlayerControllerFactory {
public:
    virtual ~IPlayerControllerFactory() = default;
    virtual std::unique_ptr<IVideoControl> CreateVideoControl(TPlayerObjects& hub) = 0;
    virtual std::unique_ptr<IBookmarkControl> CreateBookmarkControl(TPlayerObjects& hub) = 0;
    virtual std::unique_ptr<IAudioInfo> CreateAudioInfo(TPlayerObjects& hub) = 0;
    virtual std::unique_ptr<ISubsInfo> CreateSubsInfo(TPlayerObjects& hub) = 0;
    virtual std::unique_ptr<IAngleInfo> CreateAngleInfo(TPlayerObjects& hub) = 0;
    virtual std::unique_ptr<IUserOperations> CreateUserOperations() = 0;
    virtual std::unique_ptr<IProfileSubtitles> CreateProfileSubtitles(TPlayerObjects& hub) = 0;
    virtual std::unique_ptr<IMyTitles> CreateMyTitles(TPlayerObjects& hub) = 0;
    virtual std::unique_ptr<IFiltersInfo> CreateFiltersInfo(TPlayerObjects& hub) = 0;
    virtual std::unique_ptr<IOSDControl> CreateOSDControl(TPlayerObjects& hub) = 0;
    // The disc information, made with the hub itself (before the other controllers).
    virtual std::unique_ptr<IDVDInfo> CreateDVDInfo() = 0;
};
