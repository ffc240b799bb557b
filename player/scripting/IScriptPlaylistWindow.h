#pragma once
// What the command scripts rely on of the play-list window: changes to the current play list that the
// window must show.
#include <cstdint>

class IScriptPlaylistWindow {
public:
    virtual ~IScriptPlaylistWindow() = default;
    // False for a missing path or a file the player cannot play.
    virtual bool AddFile(const char16_t* path) = 0;
    virtual void MoveItem(int32_t from, int32_t to) = 0;
    virtual void LoadList(const char16_t* path) = 0;
    virtual bool SaveList(const char16_t* path) = 0;
    // The 0-based index of the file in the current play list, -1 when absent.
    virtual int32_t IndexOfFile(const char16_t* path) = 0;
    // Stops playback first when the item is the one being played.
    virtual void DeleteItem(int32_t index) = 0;
};
