#pragma once
// What the version check shows the user: the player's message box and yes/no box, and the shell
// that opens a web page.
#include <cstdint>
#include <string>

class IVersionCheckUser {
public:
    static constexpr uint8_t kWarning = 2;
    static constexpr uint8_t kInformation = 3;
    static constexpr int32_t kYes = 6;

    virtual ~IVersionCheckUser() = default;
    // One message of that kind; `force` shows it even when the box shows only errors.
    virtual void Report(uint8_t kind, const std::u16string& text, bool force) = 0;
    // A modal question of three lines; kYes for Yes.
    virtual int32_t Ask(const std::u16string& line1, const std::u16string& line2, const std::u16string& line3,
                        bool yesNo) = 0;
    virtual void OpenPage(const std::string& url) = 0;
};
