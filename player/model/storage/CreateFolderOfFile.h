#pragma once
// Creates the folder a file is to go in (one level: the part of the path before its last separator,
// '\' or '/'), unless that part is empty. An existing folder is left as it is.
#include <string_view>

void CreateFolderOfFile(std::u16string_view path);
