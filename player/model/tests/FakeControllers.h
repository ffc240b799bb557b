#pragma once
// Stand-ins for the hub's controllers: each records the calls it gets, in one log shared by all,
// and answers what the test sets.
#include "player/model/controllers/IDVDInfo.h"
#include "player/model/controllers/TPlayerControllers.h"

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

class TControllerLog {
public:
    void Add(std::string call) { calls_.push_back(std::move(call)); }
    // The calls since the last Take.
    std::vector<std::string> Take() { return std::exchange(calls_, {}); }

private:
    std::vector<std::string> calls_;
};

// The part every fake shares: its name and the log; the fake's destruction is logged too.
class TFake {
public:
    TFake(TControllerLog& log, const char* name) : log_(log), name_(name) {}
    ~TFake() { log_.Add("~" + name_); }
    TFake(const TFake&) = delete;
    TFake& operator=(const TFake&) = delete;

protected:
    void Log(const std::string& call) { log_.Add(name_ + "." + call); }

private:
    TControllerLog& log_;
    std::string name_;
};

class TFakeVideo : public IVideoControl, private TFake {
public:
    explicit TFakeVideo(TControllerLog& log) : TFake(log, "Video") {}
    void SetOSDControl(IOSDControl* osd) override;
    void SetVideoWindow(plat::win::HWND window) override;
    void SetFullScreenWindow(plat::win::HWND window) override;
    int32_t Refresh(bool flag) override;
    int32_t Show() override;
    int32_t Hide() override;
    int32_t SetColorKey(uint32_t colour, bool temporary) override;
    int32_t ShowCursor(bool visible) override;
    int32_t SetDisplayMode(uint32_t mode) override;
    int32_t GetDisplayMode() override;
    void SetAspectOptions(bool apply, bool windowOnly) override;
    bool GetAspectSettings(TAspectSettings* settings) const override;
    int32_t SetAspectSettings(const TAspectSettings* settings) override;
    int32_t SendAspectSettings() override;
    bool IsResolutionSwitchOn() const override { return false; }
    int32_t SwitchResolution(int32_t kind) override;
    bool ApplyAspectRatioFile(const char16_t* path) override;
    void SetAspectRatioFile(const char16_t* path) override;
    bool AspectRatioFileExists() const override { return false; }
    bool aspectReadable = false;
};

class TFakeBookmarks : public IBookmarkControl, private TFake {
public:
    explicit TFakeBookmarks(TControllerLog& log) : TFake(log, "Bookmarks") {}
    int32_t SetStorageFile(const char16_t* file) override;
    void Clear(bool silent) override;
    void GoToStartupBookmark() override;
    int32_t SaveResumePoint() override;
    int32_t RestoreResumePoint() override;
    int32_t saveResult = 0;
};

class TFakeAudio : public IAudioInfo, private TFake {
public:
    explicit TFakeAudio(TControllerLog& log) : TFake(log, "Audio") {}
    void SetOSDControl(IOSDControl* osd) override;
    int32_t AddListener(void*, uint32_t, TPlayerEventCallback) override { return 0; }
    void Clear(bool silent) override;
    void AddTrack(std::span<const uint8_t, kTrackBytes> record) override;
    int32_t GetCount() const override { return 0; }
    int32_t GetCurrent() const override { return -1; }
    bool SetCurrent(int32_t index) override;
    void NotifyAll() override;
    std::optional<uint32_t> GetTrackLanguage(int32_t index) const override;
    int32_t SelectStream(int32_t index) override;
    int32_t NextStream() override;
    int32_t SetVolume(int32_t volume, bool silent) override;
    int32_t ChangeVolume(int32_t step) override;
    int32_t GetVolume() override { return 0; }
    int32_t Mute(int32_t argument) override;
    bool IsMuted() const override { return false; }
    bool asked = false;
    std::map<int32_t, uint32_t> languages;
};

class TFakeSubs : public ISubsInfo, private TFake {
public:
    explicit TFakeSubs(TControllerLog& log) : TFake(log, "Subs") {}
    int32_t AddListener(void*, uint32_t, TPlayerEventCallback) override { return 0; }
    void Clear(bool silent) override;
    void AddTrack(std::span<const uint8_t, kTrackBytes> record) override;
    int32_t GetCount() const override { return 0; }
    int32_t GetCurrent() const override { return -1; }
    bool IsShown() const override { return false; }
    bool SetCurrent(int32_t index, bool shown) override;
    void NotifyAll() override;
    std::optional<uint32_t> GetTrackLanguage(int32_t index) const override;
    int32_t SelectStream(int32_t index) override;
    int32_t ShowSubtitles(bool shown) override;
    int32_t NextStream() override;
    bool asked = false;
    std::map<int32_t, uint32_t> languages;
};

class TFakeAngles : public IAngleInfo, private TFake {
public:
    explicit TFakeAngles(TControllerLog& log) : TFake(log, "Angles") {}
    int32_t AddListener(void*, uint32_t, TPlayerEventCallback) override { return 0; }
    void Clear(bool silent) override;
    void SetCount(int32_t count) override;
    int32_t GetCount() const override { return 0; }
    int32_t GetCurrent() const override { return -1; }
    bool SetCurrent(int32_t index) override;
    int32_t SelectAngle(int32_t index) override;
    int32_t NextAngle() override;
    bool asked = false;
};

class TFakeUserOperations : public IUserOperations, private TFake {
public:
    explicit TFakeUserOperations(TControllerLog& log) : TFake(log, "UOPS") {}
    void Set(int32_t mask) override;
    int32_t Get() const override { return -1; }
    bool Allows(uint32_t) const override { return false; }
};

class TFakeProfileSubtitles : public IProfileSubtitles, private TFake {
public:
    explicit TFakeProfileSubtitles(TControllerLog& log) : TFake(log, "Profile") {}
    bool SelectVolumeForDisc(uint32_t idHigh, uint32_t idLow, bool suppress) override;
    int32_t SetSubtitleOffset(int32_t milliseconds) override;
};

class TFakeTitles : public IMyTitles, private TFake {
public:
    explicit TFakeTitles(TControllerLog& log) : TFake(log, "Titles") {}
    void Clear() override;
    int32_t Load(const char16_t* storageFile) override;
    void NotifyChanged() override;
    int32_t SetTitleCount(int32_t count) override;
    int32_t SetChapterCount(int32_t titleNumber, int32_t count) override;
    void SetCurrent(int32_t title, int32_t chapter) override;
    int32_t NextChapter() override;
    int32_t PrevChapter() override;
    int32_t chapterResult = 0;
};

class TFakeFilters : public IFiltersInfo, private TFake {
public:
    explicit TFakeFilters(TControllerLog& log) : TFake(log, "Filters") {}
    int32_t AddListener(void*, uint32_t, TPlayerEventCallback) override { return 0; }
    void Clear(bool silent) override;
    void ParseFiltersXml(const char16_t* xml) override;
    int32_t GetCount() const override { return 0; }
    const TFiltersEntry* GetFilter(int32_t) const override { return nullptr; }
    const TFiltersEntry* FindByName(const char16_t*, bool) const override { return nullptr; }
    const TFiltersEntry* FindByClsid(const char16_t*) const override { return nullptr; }
    int32_t ShowFilterProperties(plat::win::HWND owner, int32_t number) override;
};

class TFakeOSD : public IOSDControl, private TFake {
public:
    explicit TFakeOSD(TControllerLog& log) : TFake(log, "OSD") {}
    bool LoadScript(const char16_t* path) override;
    bool ShowCommand(const char16_t* name) override;
    void SetVariable(const char16_t* name, const char16_t* value) override;
    bool SetStyle(const TSubtitleStyleRecord* style, uint32_t defaultDuration, bool enabled) override;
};

class TFakeDVDInfo : public IDVDInfo, private TFake {
public:
    explicit TFakeDVDInfo(TControllerLog& log) : TFake(log, "DVDInfo") {}
    void Clear() override;
    void Load(const char16_t* file) override;
};

// Makes every fake (and logs each creation) unless its name ("Video", "Audio", ...) is in `omit`;
// keeps a pointer to each fake it made, which the hub owns.
class TFakeFactory : public IPlayerControllerFactory {
public:
    explicit TFakeFactory(TControllerLog& log, std::set<std::string> omit = {})
        : log_(log), omit_(std::move(omit)) {}
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

    TFakeVideo* video = nullptr;
    TFakeBookmarks* bookmarks = nullptr;
    TFakeAudio* audio = nullptr;
    TFakeSubs* subs = nullptr;
    TFakeAngles* angles = nullptr;
    TFakeTitles* titles = nullptr;

private:
    template <class Fake> std::unique_ptr<Fake> Make(const char* name, Fake** keep = nullptr);

    TControllerLog& log_;
    std::set<std::string> omit_;
};
