#include "player/ui/TPlayerFolders.h"

#include "platform/text/Path.h"

std::string TPlayerFolders::AsFolder(const std::string& folder) {
    std::string normal = plat::text::path::Normalize(folder);
    while (normal.size() > 1 && normal.back() == '/') {
        normal.pop_back();
    }
    return normal == "/" ? normal : normal + "/";
}

TPlayerFolders TPlayerFolders::Below(const std::string& programFolder) {
    TPlayerFolders folders;
    folders.Program = AsFolder(programFolder);
    const auto below = [&](const char* relative) { return folders.Program + relative; };
    folders.Settings = below("INI/");
    folders.Skins = below("Skins/");
    folders.DVDGraph = below("DVD/Graph/");
    folders.MediaGraph = below("Media/Graph/");
    folders.DVDFilters = below("DVD/Filters/");
    folders.MediaFilters = below("Media/Filters/");
    folders.Playlists = below("Playlist/");
    folders.DVDBookmarks = below("DVD/Bookmarks/");
    folders.MediaBookmarks = below("Media/Bookmarks/");
    folders.System = below("System/");
    folders.Temp = below("temp/");
    folders.Logs = below("Logs/");
    return folders;
}
