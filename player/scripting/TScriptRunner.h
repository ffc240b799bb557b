#pragma once
// How the player runs command scripts: a whole script text with the caller's value and output (as the
// main window and the remote plug-in host hand them over), and the start-up script "Autoexec.tovcmd".
#include "foundation/TGrVariant.h"
#include "player/scripting/TScriptServices.h"

#include <cstdint>
#include <string>
#include <string_view>

class TScriptRunner {
public:
    static constexpr const char* kAutoexecName = "Autoexec.tovcmd";

    // The services outlive the runner.
    explicit TScriptRunner(const TScriptServices& services) : services_(services) {}

    // Runs the script; *consumed (when given) gets the characters of the text read. The output holds
    // what "print" wrote, or the script's value when nothing was printed. The result code.
    int32_t RunScript(std::u16string_view text, size_t* consumed, TGrVariant& value,
                      TGrVariant& output) const;

    // Loads "Autoexec.tovcmd" from the folder (its name matched without regard to case) as UTF-16 text
    // (after a UTF-16LE mark) or UTF-8, and runs it; 16 when the file is missing or empty.
    int32_t RunAutoexecScript(const std::string& folder) const;

private:
    const TScriptServices& services_;
};
