#pragma once
// The start command line of the player, rebuilt from the program's arguments into the 8-bit command
// text the parser reads. Options ("/" followed by a keyword of the language) are kept, their file
// and folder values quoted; an argument that names an existing file is a file even when it reads like
// an option; any other argument is a file, given as its absolute path in quotes. One file is opened
// ("/O:"); several replace the play list, in their order, which then plays from its first entry
// ("/PL:clear", one "/PL:" each, "/PL:1"), so that each plays after the other.
#include <string>
#include <vector>

class StartCommandLine {
public:
    static std::string Build(const std::vector<std::string>& arguments, const std::string& currentFolder);
    // True when one argument is exactly "/ds" (use the default skin); never found inside a path.
    static bool UsesDefaultSkin(const std::vector<std::string>& arguments);
};
