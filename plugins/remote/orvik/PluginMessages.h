#pragma once
// Where the plug-in's error messages go: message boxes with the caption "IR-Man Plug-In Error" in
// the player, a record in tests. Callable from any thread; never blocks the caller.
#include <string>

namespace orvik {

class PluginMessages {
public:
    static constexpr const char* Caption = "IR-Man Plug-In Error";
    static constexpr const char* NoAnswer = "No Answer from IR-Man unit";

    virtual ~PluginMessages() = default;
    virtual void ShowMessage(const std::string& text) = 0;
    // The system's text for an error number.
    void ShowSystemError(int error);
};

} // namespace orvik
