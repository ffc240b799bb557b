#pragma once
// What kind of file the player is asked to open, decided by the settings' extension table alone, and
// the subtitle profile that goes with a media file: a profile file of the same name beside it.
#include "player/model/settings/TExtensionEntry.h"

#include <cstdint>
#include <string>
#include <vector>

class TFileTypes {
public:
    // The types of the extension table.
    static constexpr int32_t kNoType = -1;
    static constexpr int32_t kProfile = 0;
    static constexpr int32_t kVideo = 1;
    static constexpr int32_t kAudio = 2;
    static constexpr int32_t kDiscImage = 3;
    static constexpr int32_t kPlaylist = 4;

    // The last "." among the last 10 characters of the file's name and what follows it (".avi");
    // empty when there is none. A dot in a folder's name is never an extension.
    static std::u16string ExtensionOf(const std::u16string& file);
    // The type of the first entry whose extension equals the given one without regard to case;
    // kNoType when none does or the extension is empty.
    static int32_t GetFileType(const std::vector<TExtensionEntry>& table, const std::u16string& extension);
    // The first file (in name order, without regard to case) named as the media file up to its
    // extension, followed by "." and anything, whose own extension is of the profile type; the name is
    // matched as it is written, so characters such as '*', '?' or '[' in it stand for themselves.
    // Empty when there is none.
    static std::u16string FindCompanionProfile(const std::vector<TExtensionEntry>& table,
                                               const std::u16string& mediaFile);
    // The filter pairs ("name|masks|...") of the chooser that opens profiles and media: the fixed
    // masks first, then every extension of the table that they leave out, each in the pair its type
    // belongs to, so the chooser never hides a file the player opens.
    static std::string OpenDialogFilter(const std::vector<TExtensionEntry>& table);
};
