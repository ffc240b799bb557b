#pragma once
// The files of a program data folder, for the settings model's scans: names compared without regard
// to case, as program data is found.
#include <string>
#include <string_view>
#include <vector>

// The names of the regular files (or links to them) in the folder, in case-insensitive order; none
// when the folder cannot be read.
std::vector<std::string> FolderFileNames(const std::string& folder);

// True when the name ends in the suffix, compared without regard to case.
bool EndsWithNoCase(std::string_view name, std::string_view suffix);
