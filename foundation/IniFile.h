#pragma once
// An in-memory Windows-style ini file: "[Section]" lines, then "Key=Value" lines. The file is read
// whole and written whole; every line the program does not change (foreign sections and keys,
// comments, blank lines, line ends) is written back byte for byte, and a changed value is replaced
// where it stands. Section and key names are compared without regard to case. Text is 8-bit (UTF-8).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class IniFile {
public:
    // Reads the file whole. A file that does not exist gives an empty object; false (object
    // unchanged) when the file exists but cannot be read.
    bool Load(const char* path);
    // Writes the text whole to a new file beside `path` and renames it over; false on any failure.
    bool Save(const char* path) const;

    void Parse(std::string_view bytes);
    std::string Text() const;

    bool SectionExists(std::string_view section) const;
    bool ValueExists(std::string_view section, std::string_view key) const;

    // The value with the blanks around it removed; `fallback` when the key is missing.
    std::string ReadString(std::string_view section, std::string_view key, std::string_view fallback) const;
    // A decimal 32-bit number with an optional sign; `fallback` when the key is missing, the value is
    // not a number or it does not fit in 32 bits.
    std::int32_t ReadInteger(std::string_view section, std::string_view key, std::int32_t fallback) const;
    // Set when the number is not zero.
    bool ReadBool(std::string_view section, std::string_view key, bool fallback) const;

    // Replaces the value in place, or adds the key at the end of its section (the section at the end
    // of the file). False, with nothing changed, when the text cannot stand in an ini line: a line
    // break or NUL anywhere, an empty or ill-formed key or section name.
    bool WriteString(std::string_view section, std::string_view key, std::string_view value);
    bool WriteInteger(std::string_view section, std::string_view key, std::int32_t value);
    bool WriteBool(std::string_view section, std::string_view key, bool value);

private:
    enum class LineKind { Other, Section, Value };

    struct Line {
        std::string text;          // without its line end
        std::string_view ending;   // "\r\n", "\n" or "" (the last line of a file without one)
        LineKind kind = LineKind::Other;
        std::string name;          // section or key name, blanks removed
        std::size_t valueBegin = 0; // the value's place in `text`, blanks around it excluded
        std::size_t valueEnd = 0;
    };

    static Line MakeLine(std::string text, std::string_view ending);
    static bool IsWritableName(std::string_view name);

    const Line* FindValue(std::string_view section, std::string_view key) const;
    std::size_t FindValueIndex(std::string_view section, std::string_view key) const;
    std::size_t FindSectionEnd(std::string_view section) const;
    std::string_view NewLineEnding() const;
    void AppendSection(std::string_view section);

    std::vector<Line> lines_;
};
