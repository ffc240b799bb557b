#pragma once
// The version check's messages and question on the player's own message box and yes/no box, and the
// download page in the user's web browser. Without the boxes nothing is shown and the answer is No.
#include "player/ui/IVersionCheckUser.h"

class TVersionCheckDialogs : public IVersionCheckUser {
public:
    void Report(uint8_t kind, const std::u16string& text, bool force) override;
    int32_t Ask(const std::u16string& line1, const std::u16string& line2, const std::u16string& line3,
                bool yesNo) override;
    void OpenPage(const std::string& url) override;
};
