#pragma once
// Converts a line-based legacy graph script (".dvdgraph", ".mediagraph") into an XGR text. Each line
// is a command keyword with arguments in parentheses, separated by commas; the commands that build a
// graph become FILTER, SETFILENAME, CONNECT and RENDER elements inside one GRAPH element.
#include <array>
#include <cstddef>
#include <string_view>

class TMemoryObject;

class TLegacyScriptConverter {
public:
    // Appends the XGR text with a terminating zero character to `xgr`; false, with nothing
    // appended, for a null or empty script.
    static bool Convert(const char16_t* script, TMemoryObject& xgr);

private:
    // A command, the element it writes and the attribute each of its arguments becomes.
    struct Command {
        const char16_t* name;
        const char16_t* opening; // null: the command writes nothing
        std::array<const char16_t*, 4> attributes;
        const char16_t* closing;
        int mediaFileArgument; // the argument that may stand for the media file, or -1
    };
    static const Command kCommands[];

    TLegacyScriptConverter(std::u16string_view script, TMemoryObject& xgr);

    void Run();
    // Skips characters that cannot start a keyword and reads the keyword; false at the end.
    bool NextKeyword(std::u16string_view& keyword);
    void ConvertCommand(std::u16string_view keyword);
    void WriteElement(const Command& command);
    // Reads the next argument; false when it is missing.
    bool NextArgument(bool last, std::u16string_view& argument);
    void WriteAttribute(const char16_t* name, std::u16string_view value);
    // Moves past the next line feed or form feed and the characters that cannot start a keyword.
    void NextLine();
    // Finds the end and the last ')' of the line holding the reading position.
    void UpdateLine();
    std::size_t NextComma();

    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    std::u16string_view script_;
    TMemoryObject& xgr_;
    std::size_t at_ = 0;
    std::size_t lineEnd_ = kNone;
    std::size_t lastClose_ = kNone; // none when the line has no ')'
    std::size_t nextComma_ = kNone;
};
