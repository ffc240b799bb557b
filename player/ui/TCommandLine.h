#pragma once
// The player's command language: the start command line, the one a second instance hands over and
// the command texts of the editor. Options begin with "/" and are matched without regard to case;
// they run from left to right, and the answer is that of the last query.
//
// Argument tokens: blanks, slashes and double quotes before a token are skipped. A token opened by a
// double quote runs to the closing quote, slashes and blanks included, so that file paths of any
// form pass; a doubled quote inside stands for one quote. An unquoted token runs to the next slash
// or quote and keeps its blanks.
#include "player/ui/ICommandTarget.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class TCommandLine {
public:
    // Runs the text; 0 (doing nothing) while the target is closing.
    static int32_t Process(std::string_view text, plat::win::HWND sender, ICommandTarget& target);

    // Reads the token at *position; false (token empty) when the text ends first.
    static bool ReadCommandToken(std::string_view text, std::string* token, size_t* position);
    // True when every character is a digit or a blank (also for the empty text).
    static bool IsQueueNumber(std::string_view text);

    // The text as a quoted token that ReadCommandToken reads back unchanged.
    static std::string Quote(std::string_view text);

private:
    static void ProcessPlaylist(std::string_view text, size_t* position, ICommandTarget& target);
    static bool ProcessQuery(const std::string& word, ICommandTarget& target, int32_t* answer);
};
