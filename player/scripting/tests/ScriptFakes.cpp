#include "player/scripting/tests/ScriptFakes.h"

#include "platform/text/CaseFold.h"
#include "platform/text/CodePage.h"
#include "platform/text/Format.h"

namespace {

std::string N(int64_t value) {
    return std::to_string(value);
}

std::string A(const char16_t* text) {
    return text != nullptr ? plat::text::WideToAnsi(text) : "null";
}

} // namespace

std::optional<std::string> TRecordingMainWindow::FindActionByCommand(const std::string& command) {
    for (const std::string& action : actions) {
        if (plat::text::EqualsNoCaseA(action, command) ||
            plat::text::EqualsNoCaseA(action, "Ac_" + command)) {
            return action;
        }
    }
    return std::nullopt;
}
void TRecordingMainWindow::ExecuteAction(const std::string& action) {
    Log("action " + action + " direct=" + N(directControl));
}
void TRecordingMainWindow::SetActionChecked(const std::string& action, bool checked) {
    Log("check " + action + " " + N(checked));
}
void TRecordingMainWindow::ExecuteRemoteCode(const std::string& code) {
    Log("remote " + code);
}
void TRecordingMainWindow::PostMessage(uint32_t message) {
    Log("post " + N(message));
}
void TRecordingMainWindow::SetDirectControl(bool on) {
    directControl = on;
    Log("direct " + N(on));
}
void TRecordingMainWindow::SetScreenMode(int32_t mode) {
    Log("screen " + N(mode));
}
void TRecordingMainWindow::SetVideoStayOnTop(bool on) {
    Log("stayontop " + N(on));
}
void TRecordingMainWindow::ApplyVideoStayOnTop() {
    Log("apply stayontop");
}
void TRecordingMainWindow::SetContextMenuAllowed(bool allowed) {
    Log("contextmenu " + N(allowed));
}
void TRecordingMainWindow::ShowVideoCaption(bool shown) {
    Log("caption " + N(shown));
}
void TRecordingMainWindow::SetVideoSizingBorder(bool on) {
    sizingBorder = on;
    Log("border " + N(on));
}
void TRecordingMainWindow::SetVideoBounds(const TScriptRect& rect) {
    bounds = rect;
    Log("bounds " + N(rect.Left) + "," + N(rect.Top) + "," + N(rect.Width) + "," + N(rect.Height));
}
void TRecordingMainWindow::SetVideoWindowVisible(bool visible) {
    videoVisible = visible;
    Log("video visible " + N(visible));
}
void TRecordingMainWindow::SetFullScreenWindowVisible(bool visible) {
    fullScreenVisible = visible;
    Log("fullscreen visible " + N(visible));
}
void TRecordingMainWindow::UpdateVideoBackground(int32_t backgroundSwitch) {
    Log("background " + N(backgroundSwitch));
}
void TRecordingMainWindow::HideInterface() {
    Log("interface hide");
}
void TRecordingMainWindow::ShowInterface() {
    Log("interface show");
}
int32_t TRecordingMainWindow::OpenFile(const char16_t* media, const char16_t* profileFile, bool firstFlag,
                                       int32_t title, bool lastFlag) {
    Log("open " + A(media) + " " + A(profileFile) + " " + N(firstFlag) + " " + N(title) + " " + N(lastFlag));
    return 0;
}
void TRecordingMainWindow::PlayQueueItem(int32_t index) {
    Log("play item " + N(index));
}

void TRecordingSettingsDialog::ShowRemoteCode(const std::string& code) {
    log_.push_back("settings show " + code);
}
void TRecordingSettingsDialog::AssignRemoteCode(const std::string& code) {
    log_.push_back("settings assign " + code);
}

bool TRecordingPlaylistWindow::AddFile(const char16_t* path) {
    log_.push_back("list add " + A(path));
    return true;
}
void TRecordingPlaylistWindow::MoveItem(int32_t from, int32_t to) {
    log_.push_back("list move " + N(from) + " " + N(to));
}
void TRecordingPlaylistWindow::LoadList(const char16_t* path) {
    log_.push_back("list load " + A(path));
}
bool TRecordingPlaylistWindow::SaveList(const char16_t* path) {
    log_.push_back("list save " + A(path));
    return true;
}
int32_t TRecordingPlaylistWindow::IndexOfFile(const char16_t* path) {
    const auto it = indexes.find(path);
    return it != indexes.end() ? it->second : -1;
}
void TRecordingPlaylistWindow::DeleteItem(int32_t index) {
    log_.push_back("list delete " + N(index));
}

void TFakePlayList::DeleteAll() {
    items.clear();
    current = -1;
    log_.push_back("playlist clear");
}
std::optional<TScriptPlaylistItem> TFakePlayList::Item(int32_t index) const {
    if (index < 0 || index >= Count()) {
        return std::nullopt;
    }
    return items[static_cast<size_t>(index)];
}
void TFakePlayList::SetShuffle(bool on) {
    shuffle = on;
    log_.push_back("playlist shuffle " + N(on));
}
void TFakePlayList::SetRepeat(bool on) {
    repeat = on;
    log_.push_back("playlist repeat " + N(on));
}

void TFakeProfile::SelectVolume(int32_t index) {
    log_.push_back("profile volume " + N(index));
}
void TFakeProfile::SelectLanguage(int32_t index) {
    log_.push_back("profile language " + N(index));
}
std::optional<TScriptVolume> TFakeProfile::Volume(int32_t index) const {
    index = index == -1 ? currentVolume : index;
    if (index < 0 || index >= VolumeCount()) {
        return std::nullopt;
    }
    return volumes[static_cast<size_t>(index)].volume;
}
std::optional<TScriptLanguage> TFakeProfile::CurrentLanguage() const {
    return VolumeLanguage(currentVolume, currentLanguage);
}
std::optional<TScriptLanguage> TFakeProfile::VolumeLanguage(int32_t volume, int32_t index) const {
    if (volume < 0 || volume >= VolumeCount()) {
        return std::nullopt;
    }
    const std::vector<TScriptLanguage>& languages = volumes[static_cast<size_t>(volume)].languages;
    if (index < 0 || index >= static_cast<int32_t>(languages.size())) {
        return std::nullopt;
    }
    return languages[static_cast<size_t>(index)];
}

std::u16string TFixedSystem::TimeText(const TLocalTime& time) const {
    return plat::text::Format(u"%02d:%02d:%02d", time.Hour, time.Minute, time.Second);
}
std::u16string TFixedSystem::DateText(const TLocalTime& time) const {
    return plat::text::Format(u"%02d/%02d/%04d", time.Month, time.Day, time.Year);
}
