#pragma once
// The editor's folders below its program folder, each ending in '/'.
#include <string>

struct TEditorFolders {
    std::string Program;
    std::string Temp;
    std::string System;
    std::string Ini;
    std::string Logs;
    std::string DvdGraph;
    std::string MediaGraph;
    std::string DvdFilters;
    std::string MediaFilters;
    std::string DvdBookmarks;
    std::string MediaBookmarks;

    // The set below a program folder (with or without its trailing '/'). Temp is one folder per
    // process ("Temp/<pid>/"), so two editors never empty each other's files.
    static TEditorFolders Below(const std::string& program);
    // The settings file, "Pellit.ini" in the ini folder.
    std::string SettingsFile() const { return Ini + "Pellit.ini"; }
};
