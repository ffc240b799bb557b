#include "player/ui/TPlayHistory.h"

#include "platform/text/CodePage.h"

#include <filesystem>

TPlayHistory::TPlayHistory(std::string playlistFolder) : folder_(std::move(playlistFolder)) {}

void TPlayHistory::Changed() const {
    if (onChanged_) {
        onChanged_();
    }
}

void TPlayHistory::Load() {
    list_.LoadFromFile(plat::text::AnsiToWide(FilePath()));
    Changed();
}

void TPlayHistory::Save() const {
    std::error_code error;
    std::filesystem::create_directories(folder_, error);
    list_.SaveToFile(plat::text::AnsiToWide(FilePath()));
}

void TPlayHistory::Add(const std::u16string& file, const std::u16string& profile, int32_t profileTitle) {
    const TPlaylistItem* newest = Entry(0);
    if (newest == nullptr || newest->Path != file) {
        list_.AddFile(file.c_str(), profile.empty() ? nullptr : profile.c_str(), 0, nullptr, profileTitle,
                      nullptr, true);
        if (list_.Count() > kMaxEntries) {
            list_.Delete(kMaxEntries);
        }
        Save();
    }
    Changed();
}

void TPlayHistory::Clear() {
    list_.Delete(-1);
    Save();
    Changed();
}

const TPlaylistItem* TPlayHistory::Entry(int32_t index) {
    return index >= 0 ? list_.GetItem(index, false) : nullptr;
}
