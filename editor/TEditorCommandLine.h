#pragma once
// The editor's command texts: the start command line and the texts that command frames carry.
// "/O:" opens a profile file, "/CMD:" sets the main window's caption; keys are found without regard
// to case. A value that begins with a double quote runs to the closing quote (a doubled quote stands
// for one), so quoted POSIX paths pass whole; an unquoted value ends at the next '/' or '"'.
#include <cstddef>
#include <string>
#include <string_view>

class TEditorCommandLine {
public:
    class ITarget {
    public:
        virtual ~ITarget() = default;
        virtual void OpenProfileFromCommand(const std::string& path) = 0;
        virtual void SetCaptionFromCommand(const std::u16string& caption) = 0;
    };

    static void Run(std::u16string_view text, ITarget& target);
    // Reads the value that follows a key from `position`; false, `value` empty, when there is none.
    // The position ends past a closing quote, on a '/' that ended the value, or at the end.
    static bool ParseCommandValue(std::u16string_view text, std::u16string& value, std::size_t& position);
    // The quoting the parser reads back: "text" with every inner quote doubled.
    static std::string Quote(std::string_view text);
};
