#pragma once
// The language and OSD script files the settings dialog offers: the files of a folder matching a
// pattern (without regard to case, in name order), and a language file's name as its LANGUAGE element
// gives it.
#include <optional>
#include <string>
#include <vector>

class TLanguageFiles {
public:
    static constexpr std::size_t kHeadBytes = 2000;   // bytes of a language file searched for its name
    static constexpr std::size_t kAnsiBytes = 999;    // of which 8-bit text converts at most these
    static constexpr std::size_t kMaxNameUnits = 259; // longest name taken

    // The names of the folder's files that match the pattern ("*.tovrin.lang"), in name order.
    static std::vector<std::string> List(const std::string& folder, const std::string& pattern);
    // The name in the file's first bytes: the quoted value of NAME in a LANGUAGE element, read as
    // UTF-16 after a byte-order mark and as 8-bit text otherwise. Nothing when the file cannot be read
    // or holds no such name.
    static std::optional<std::u16string> ReadLanguageName(const std::string& path);
    // The same on the file's first bytes.
    static std::optional<std::u16string> NameInHead(const std::string& head);
};
