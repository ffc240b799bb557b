#include "editor/TEditorFolders.h"

#include <unistd.h>

TEditorFolders TEditorFolders::Below(const std::string& program) {
    TEditorFolders folders;
    folders.Program = program.empty() || program.back() == '/' ? program : program + "/";
    const std::string& root = folders.Program;
    folders.Temp = root + "Temp/" + std::to_string(getpid()) + "/";
    folders.System = root + "System/";
    folders.Ini = root + "ini/";
    folders.Logs = root + "Logs/";
    folders.DvdGraph = root + "DVD/Graph/";
    folders.MediaGraph = root + "Media/Graph/";
    folders.DvdFilters = root + "DVD/Filters/";
    folders.MediaFilters = root + "Media/Filters/";
    folders.DvdBookmarks = root + "DVD/Bookmarks/";
    folders.MediaBookmarks = root + "Media/Bookmarks/";
    return folders;
}
