#pragma once
// The player's folders below the program folder, each ending with "/". The settings folder can be
// replaced by the command text's "/CONFIG:".
#include <string>

struct TPlayerFolders {
    std::string Program;
    std::string Settings;
    std::string Skins;
    std::string DVDGraph;
    std::string MediaGraph;
    std::string MediaFilters;
    std::string DVDFilters;
    std::string DVDBookmarks;
    std::string MediaBookmarks;
    std::string Playlists;
    std::string System;
    std::string Temp;
    std::string Logs;

    // Every folder below the given program folder.
    static TPlayerFolders Below(const std::string& programFolder);
    // A folder as the player keeps it: both separators accepted, one "/" at the end.
    static std::string AsFolder(const std::string& folder);
};
