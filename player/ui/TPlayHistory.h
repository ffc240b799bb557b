#pragma once
// The files the player opened, newest first, at most 25, kept in "History.lst" of the play-list
// folder. Reading and writing errors are swallowed: the history is a convenience.
#include "player/model/playlist/TPlayList.h"

#include <cstdint>
#include <functional>
#include <string>

class TPlayHistory {
public:
    static constexpr const char* kFileName = "History.lst";
    static constexpr int32_t kMaxEntries = 25;

    // The play-list folder (ending with "/").
    explicit TPlayHistory(std::string playlistFolder = {});
    void SetFolder(std::string playlistFolder) { folder_ = std::move(playlistFolder); }

    // Told after every change and load (the file manager's History view).
    void SetOnChanged(std::function<void()> onChanged) { onChanged_ = std::move(onChanged); }

    void Load();
    void Save() const;
    // The file goes to the front with its profile and profile title, unless it is the newest entry
    // already (compared as written); the 26th entry falls out. Saved.
    void Add(const std::u16string& file, const std::u16string& profile, int32_t profileTitle);
    void Clear();

    int32_t Count() const { return list_.Count(); }
    // The entry at that 0-based index (0 is the newest); nullptr when there is none.
    const TPlaylistItem* Entry(int32_t index);
    std::string FilePath() const { return folder_ + kFileName; }

private:
    void Changed() const;

    std::string folder_;
    TPlayList list_;
    std::function<void()> onChanged_;
};
