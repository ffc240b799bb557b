#include "player/model/tests/FakeControllers.h"

#include "platform/text/CodePage.h"

namespace {

std::string A(const char16_t* text) {
    return text != nullptr ? plat::text::WideToAnsi(text) : "null";
}

std::string N(int64_t value) {
    return std::to_string(value);
}

} // namespace

void TFakeVideo::SetOSDControl(IOSDControl* osd) {
    Log(osd != nullptr ? "SetOSDControl(osd)" : "SetOSDControl(null)");
}
void TFakeVideo::SetVideoWindow(plat::win::HWND window) {
    Log("SetVideoWindow(" + N(window) + ")");
}
void TFakeVideo::SetFullScreenWindow(plat::win::HWND window) {
    Log("SetFullScreenWindow(" + N(window) + ")");
}
int32_t TFakeVideo::Refresh(bool flag) {
    Log("Refresh(" + N(flag) + ")");
    return 0;
}
int32_t TFakeVideo::Show() {
    Log("Show()");
    return 0;
}
int32_t TFakeVideo::Hide() {
    Log("Hide()");
    return 0;
}
int32_t TFakeVideo::SetColorKey(uint32_t colour, bool temporary) {
    Log("SetColorKey(" + N(colour) + ", " + N(temporary) + ")");
    return 0;
}
int32_t TFakeVideo::ShowCursor(bool visible) {
    Log("ShowCursor(" + N(visible) + ")");
    return 0;
}
int32_t TFakeVideo::SetDisplayMode(uint32_t mode) {
    Log("SetDisplayMode(" + N(mode) + ")");
    return 0;
}
int32_t TFakeVideo::GetDisplayMode() {
    Log("GetDisplayMode()");
    return 1;
}
void TFakeVideo::SetAspectOptions(bool apply, bool windowOnly) {
    Log("SetAspectOptions(" + N(apply) + ", " + N(windowOnly) + ")");
}
bool TFakeVideo::GetAspectSettings(TAspectSettings* settings) const {
    return settings != nullptr;
}
int32_t TFakeVideo::SetAspectSettings(const TAspectSettings*) {
    Log("SetAspectSettings()");
    return 0;
}
int32_t TFakeVideo::SendAspectSettings() {
    Log("SendAspectSettings()");
    return 0;
}
int32_t TFakeVideo::SwitchResolution(int32_t kind) {
    Log("SwitchResolution(" + N(kind) + ")");
    return -1;
}
bool TFakeVideo::ApplyAspectRatioFile(const char16_t* path) {
    Log("ApplyAspectRatioFile(" + A(path) + ")");
    return aspectReadable;
}
void TFakeVideo::SetAspectRatioFile(const char16_t* path) {
    Log("SetAspectRatioFile(" + A(path) + ")");
}

int32_t TFakeBookmarks::SetStorageFile(const char16_t* file) {
    Log("SetStorageFile(" + A(file) + ")");
    return 0;
}
void TFakeBookmarks::Clear(bool silent) {
    Log("Clear(" + N(silent) + ")");
}
void TFakeBookmarks::GoToStartupBookmark() {
    Log("GoToStartupBookmark()");
}
int32_t TFakeBookmarks::SaveResumePoint() {
    Log("SaveResumePoint()");
    return saveResult;
}
int32_t TFakeBookmarks::RestoreResumePoint() {
    Log("RestoreResumePoint()");
    return 0;
}

void TFakeAudio::SetOSDControl(IOSDControl* osd) {
    Log(osd != nullptr ? "SetOSDControl(osd)" : "SetOSDControl(null)");
}
void TFakeAudio::Clear(bool silent) {
    Log("Clear(" + N(silent) + ")");
}
void TFakeAudio::AddTrack(std::span<const uint8_t, kTrackBytes> record) {
    Log("AddTrack(" + N(record[0]) + ")");
}
bool TFakeAudio::SetCurrent(int32_t index) {
    Log("SetCurrent(" + N(index) + ")");
    return std::exchange(asked, false);
}
void TFakeAudio::NotifyAll() {
    Log("NotifyAll()");
}
std::optional<uint32_t> TFakeAudio::GetTrackLanguage(int32_t index) const {
    const auto it = languages.find(index);
    return it != languages.end() ? std::optional(it->second) : std::nullopt;
}
int32_t TFakeAudio::SelectStream(int32_t index) {
    Log("SelectStream(" + N(index) + ")");
    return 0;
}
int32_t TFakeAudio::NextStream() {
    Log("NextStream()");
    return 0;
}
int32_t TFakeAudio::SetVolume(int32_t volume, bool silent) {
    Log("SetVolume(" + N(volume) + ", " + N(silent) + ")");
    return 0;
}
int32_t TFakeAudio::ChangeVolume(int32_t step) {
    Log("ChangeVolume(" + N(step) + ")");
    return 0;
}
int32_t TFakeAudio::Mute(int32_t argument) {
    Log("Mute(" + N(argument) + ")");
    return 0;
}

void TFakeSubs::Clear(bool silent) {
    Log("Clear(" + N(silent) + ")");
}
void TFakeSubs::AddTrack(std::span<const uint8_t, kTrackBytes> record) {
    Log("AddTrack(" + N(record[0]) + ")");
}
bool TFakeSubs::SetCurrent(int32_t index, bool shown) {
    Log("SetCurrent(" + N(index) + ", " + N(shown) + ")");
    return std::exchange(asked, false);
}
void TFakeSubs::NotifyAll() {
    Log("NotifyAll()");
}
std::optional<uint32_t> TFakeSubs::GetTrackLanguage(int32_t index) const {
    const auto it = languages.find(index);
    return it != languages.end() ? std::optional(it->second) : std::nullopt;
}
int32_t TFakeSubs::SelectStream(int32_t index) {
    Log("SelectStream(" + N(index) + ")");
    return 0;
}
int32_t TFakeSubs::ShowSubtitles(bool shown) {
    Log("ShowSubtitles(" + N(shown) + ")");
    return 0;
}
int32_t TFakeSubs::NextStream() {
    Log("NextStream()");
    return 0;
}

void TFakeAngles::Clear(bool silent) {
    Log("Clear(" + N(silent) + ")");
}
void TFakeAngles::SetCount(int32_t count) {
    Log("SetCount(" + N(count) + ")");
}
bool TFakeAngles::SetCurrent(int32_t index) {
    Log("SetCurrent(" + N(index) + ")");
    return std::exchange(asked, false);
}
int32_t TFakeAngles::SelectAngle(int32_t index) {
    Log("SelectAngle(" + N(index) + ")");
    return 0;
}
int32_t TFakeAngles::NextAngle() {
    Log("NextAngle()");
    return 0;
}

void TFakeUserOperations::Set(int32_t mask) {
    Log("Set(" + N(mask) + ")");
}

bool TFakeProfileSubtitles::SelectVolumeForDisc(uint32_t idHigh, uint32_t idLow, bool suppress) {
    Log("SelectVolumeForDisc(" + N(idHigh) + ", " + N(idLow) + ", " + N(suppress) + ")");
    return false;
}
int32_t TFakeProfileSubtitles::SetSubtitleOffset(int32_t milliseconds) {
    Log("SetSubtitleOffset(" + N(milliseconds) + ")");
    return 1;
}

void TFakeTitles::Clear() {
    Log("Clear()");
}
int32_t TFakeTitles::Load(const char16_t* storageFile) {
    Log("Load(" + A(storageFile) + ")");
    return 0;
}
void TFakeTitles::NotifyChanged() {
    Log("NotifyChanged()");
}
int32_t TFakeTitles::SetTitleCount(int32_t count) {
    Log("SetTitleCount(" + N(count) + ")");
    return count;
}
int32_t TFakeTitles::SetChapterCount(int32_t titleNumber, int32_t count) {
    Log("SetChapterCount(" + N(titleNumber) + ", " + N(count) + ")");
    return count;
}
void TFakeTitles::SetCurrent(int32_t title, int32_t chapter) {
    Log("SetCurrent(" + N(title) + ", " + N(chapter) + ")");
}
int32_t TFakeTitles::NextChapter() {
    Log("NextChapter()");
    return chapterResult;
}
int32_t TFakeTitles::PrevChapter() {
    Log("PrevChapter()");
    return chapterResult;
}

void TFakeFilters::Clear(bool silent) {
    Log("Clear(" + N(silent) + ")");
}
void TFakeFilters::ParseFiltersXml(const char16_t* xml) {
    Log("ParseFiltersXml(" + A(xml) + ")");
}
int32_t TFakeFilters::ShowFilterProperties(plat::win::HWND owner, int32_t number) {
    Log("ShowFilterProperties(" + N(owner) + ", " + N(number) + ")");
    return 0;
}

bool TFakeOSD::LoadScript(const char16_t* path) {
    Log("LoadScript(" + A(path) + ")");
    return true;
}
bool TFakeOSD::SetStyle(const TSubtitleStyleRecord* style, uint32_t defaultDuration, bool enabled) {
    Log("SetStyle(" + std::string(style != nullptr ? "style" : "none") + ", " +
        std::to_string(defaultDuration) + ", " + (enabled ? "on" : "off") + ")");
    return true;
}
bool TFakeOSD::ShowCommand(const char16_t* name) {
    Log("ShowCommand(" + A(name) + ")");
    return true;
}
void TFakeOSD::SetVariable(const char16_t* name, const char16_t* value) {
    Log("SetVariable(" + A(name) + ", " + A(value) + ")");
}

void TFakeDVDInfo::Clear() {
    Log("Clear()");
}
void TFakeDVDInfo::Load(const char16_t* file) {
    Log("Load(" + A(file) + ")");
}

template <class Fake> std::unique_ptr<Fake> TFakeFactory::Make(const char* name, Fake** keep) {
    if (omit_.contains(name)) {
        return nullptr;
    }
    log_.Add(std::string("+") + name);
    auto fake = std::make_unique<Fake>(log_);
    if (keep != nullptr) {
        *keep = fake.get();
    }
    return fake;
}

std::unique_ptr<IVideoControl> TFakeFactory::CreateVideoControl(TPlayerObjects&) {
    return Make("Video", &video);
}
std::unique_ptr<IBookmarkControl> TFakeFactory::CreateBookmarkControl(TPlayerObjects&) {
    return Make("Bookmarks", &bookmarks);
}
std::unique_ptr<IAudioInfo> TFakeFactory::CreateAudioInfo(TPlayerObjects&) {
    return Make("Audio", &audio);
}
std::unique_ptr<ISubsInfo> TFakeFactory::CreateSubsInfo(TPlayerObjects&) {
    return Make("Subs", &subs);
}
std::unique_ptr<IAngleInfo> TFakeFactory::CreateAngleInfo(TPlayerObjects&) {
    return Make("Angles", &angles);
}
std::unique_ptr<IUserOperations> TFakeFactory::CreateUserOperations() {
    return Make<TFakeUserOperations>("UOPS");
}
std::unique_ptr<IProfileSubtitles> TFakeFactory::CreateProfileSubtitles(TPlayerObjects&) {
    return Make<TFakeProfileSubtitles>("Profile");
}
std::unique_ptr<IMyTitles> TFakeFactory::CreateMyTitles(TPlayerObjects&) {
    return Make("Titles", &titles);
}
std::unique_ptr<IFiltersInfo> TFakeFactory::CreateFiltersInfo(TPlayerObjects&) {
    return Make<TFakeFilters>("Filters");
}
std::unique_ptr<IOSDControl> TFakeFactory::CreateOSDControl(TPlayerObjects&) {
    return Make<TFakeOSD>("OSD");
}
std::unique_ptr<IDVDInfo> TFakeFactory::CreateDVDInfo() {
    return Make<TFakeDVDInfo>("DVDInfo");
}
