#pragma once
// The player's ordered list of media files: the current position, shuffle and repeat, and the
// playlist files ".WSX" and ".TOVWSX" (UTF-16LE text with a byte-order mark and CR LF line ends, a
// SMIL-shaped XML). A playlist file named inside a playlist is expanded in place, once.
#include "foundation/TPointer.h"
#include "player/model/playlist/TPlaylistItem.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class TPlayList {
public:
    // The files already expanded on the way down a chain of nested playlists (full paths).
    using VisitedFiles = std::vector<std::u16string>;
    // Draws a random number for shuffle. The default generator is seeded once from the clock and
    // then drawn from, so draws in the same second differ.
    using RandomSource = std::function<uint32_t()>;

    // The longest path or value (in UTF-16 units) an item keeps; an entry with a longer source is
    // skipped rather than cut to a different file.
    static constexpr std::size_t kMaxValue = 4096;

    explicit TPlayList(RandomSource random = {});
    TPlayList(const TPlayList&) = delete;
    TPlayList& operator=(const TPlayList&) = delete;

    // A random source over one generator seeded with `seconds()` at its first draw.
    static RandomSource ClockSeededRandom(std::function<int64_t()> seconds);

    // Deletes every item, keeps the file name, sets the current index to 0 and reads the file (UTF-8
    // path). A file that cannot be opened or is no playlist leaves the list empty. Always 0.
    int32_t LoadFromFile(const std::u16string& fileName, VisitedFiles* visited = nullptr);
    // The same with the file's text already read.
    int32_t LoadFromText(const std::u16string& fileName, const std::u16string& text,
                         VisitedFiles* visited = nullptr);
    // Writes the list in place of the file; false, with the old file kept, when that fails.
    bool SaveToFile(const std::u16string& fileName) const;
    // The text SaveToFile writes, without the byte-order mark.
    std::u16string PlaylistText() const;
    // The file's text: UTF-16LE after an FF FE mark, else its bytes as ANSI (UTF-8).
    static std::optional<std::u16string> ReadTextFile(const std::u16string& fileName);

    // Adds a media file at the end (or the front), or expands a playlist file in its place. 1; the
    // expansion's result for a playlist file; 0 for a null path or a path longer than kMaxValue.
    int32_t AddFile(const char16_t* path, const char16_t* profileFile, int32_t duration, const char16_t* id,
                    int32_t profileTitle, VisitedFiles* visited, bool atFront);
    // Appends the items of a playlist file; false when it is already being expanded further up.
    bool AddPlaylistFile(const std::u16string& fileName, VisitedFiles* visited);

    // The item at `index` (a negative index: the current one); with `makeCurrent` it also becomes
    // the current index. nullptr when there is none.
    TPlaylistItem* GetItem(int32_t index, bool makeCurrent);
    // Deletes the item at `index`, or every item for a negative index; false when out of range.
    bool Delete(int32_t index);
    bool Move(int32_t from, int32_t to);
    // Sets the profile when given and the title when not 0.
    void SetItemProfile(int32_t index, const char16_t* profileFile, int32_t title);

    int32_t SetCurrent(int32_t index);
    int32_t GetCurrent();
    int32_t Next();
    int32_t Prev();
    int32_t First();
    int32_t Last();
    // Draws another item than the current one when there are at least two.
    int32_t RandomIndex();
    int32_t IndexOf(const char16_t* path) const;

    int32_t Count() const { return Items.Count; }
    const std::u16string& FileName() const { return FileName_; }

    bool Shuffle = false;
    bool Repeat = false;

private:
    void Normalize();
    int32_t Normalized(int32_t index) const;
    TPlaylistItem* ItemAt(int32_t index) const;
    void ReadDocument(const std::u16string& text, VisitedFiles* visited);
    static std::u16string FullPath(const std::u16string& path);
    // A path written in the play list as the list means it: a relative one from the list's own folder.
    std::u16string EntryPath(const std::u16string& written) const;
    // The same file under every name that leads to it (links and "." or ".." resolved).
    static std::u16string VisitKey(const std::u16string& path);

    std::u16string FileName_;
    int32_t Current = -1;
    TPointer<TPlaylistItem> Items;
    RandomSource Random;
};
