#pragma once
// One entry of a playlist: the media file with the names shown for it, its subtitle profile and its
// duration. Copying copies the record, never the list links.
#include "foundation/TPointer.h"

#include <cstdint>
#include <string>

class TPlaylistItem : public TListItem<TPlaylistItem> {
public:
    std::u16string Path;
    std::u16string DisplayName; // file-name part of the full path (the path when it has none)
    std::u16string MediaName;   // the name shown for the medium
    std::u16string Id;          // free identifier carried through the file
    std::u16string ProfileFile; // subtitle profile for this item; empty for none
    int32_t ProfileTitle = 0;   // title number inside that profile
    int32_t Duration = 0;       // milliseconds; 0 when not known

    void CopyRecord(const TPlaylistItem& other);
};
