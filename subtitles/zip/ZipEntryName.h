#pragma once
// Entry names of zip archives: decoding the stored bytes, checking names before they are written into
// an archive or onto the disk. Names are UTF-8 with '/' between folders; '\' is read as a separator.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zipname {

// The stored name as UTF-8: names flagged UTF-8, or valid UTF-8 without the flag, are kept (invalid
// sequences become U+FFFD); other names are in the zip format's legacy code page 437. Every '\'
// becomes '/'.
std::string Decode(std::string_view stored, bool utf8Flag);

// The name with every '\' turned into '/', for lookups.
std::string WithSlashes(std::string_view name);

// The folders and file name a name stands for below a folder, or nothing when it would leave the
// folder: an empty name, a leading separator, a leading drive letter ("C:" with or without a
// separator after it) or a ".." component. "." components are dropped.
std::optional<std::vector<std::string>> SafeComponents(std::string_view name);

// The name to store for a new entry ('/' separators, repeated separators collapsed), or nothing when
// it is not valid UTF-8, is longer than a record holds or is not a safe relative name.
std::optional<std::string> ForNewEntry(std::string_view name);

// True when the name is plain ASCII (written without the UTF-8 flag).
bool IsAscii(std::string_view name);

} // namespace zipname
