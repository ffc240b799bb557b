#pragma once
// What the command scripts read and change of the current play list.
#include <cstdint>
#include <optional>
#include <string>

struct TScriptPlaylistItem {
    std::u16string Path;
    std::u16string DisplayName;
    std::u16string MediaName;
    std::u16string ProfileFile;
    int32_t ProfileTitle = 0;
    int32_t Duration = 0;
    int32_t Number = 0; // 1-based
};

class IScriptPlayList {
public:
    virtual ~IScriptPlayList() = default;
    virtual int32_t Count() const = 0;
    virtual void DeleteAll() = 0;
    // The current item's 0-based index, -1 when there is none.
    virtual int32_t Current() const = 0;
    // The item at a 0-based index; nothing out of range.
    virtual std::optional<TScriptPlaylistItem> Item(int32_t index) const = 0;
    virtual bool Shuffle() const = 0;
    virtual void SetShuffle(bool on) = 0;
    virtual bool Repeat() const = 0;
    virtual void SetRepeat(bool on) = 0;
};
