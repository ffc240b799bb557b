#include "player/model/playlist/TPlaylistItem.h"

void TPlaylistItem::CopyRecord(const TPlaylistItem& other) {
    Path = other.Path;
    DisplayName = other.DisplayName;
    MediaName = other.MediaName;
    Id = other.Id;
    ProfileFile = other.ProfileFile;
    ProfileTitle = other.ProfileTitle;
    Duration = other.Duration;
}
