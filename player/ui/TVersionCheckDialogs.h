#pragma once
// The version check's messages and question on Qt's standard boxes over the player's window, and the
// download page in the user's web browser. In silent mode nothing is shown and the question is
// answered No: no page opens that the user did not ask for.
#include "player/ui/IVersionCheckUser.h"

#include <functional>

class QWidget;

class TVersionCheckDialogs : public IVersionCheckUser {
public:
    // `parent` (may be none) owns the boxes; `silent` tells whether the player is in silent mode.
    TVersionCheckDialogs(QWidget* parent, std::function<bool()> silent);

    void Report(uint8_t kind, const std::u16string& text, bool force) override;
    int32_t Ask(const std::u16string& line1, const std::u16string& line2, const std::u16string& line3,
                bool yesNo) override;
    void OpenPage(const std::string& url) override;

private:
    QWidget* parent_;
    std::function<bool()> silent_;
};
