#pragma once
// Where the error control shows a text when nobody listens. The programs install a real message box;
// the model library's default writes the text to standard error.
#include <cstdint>

class ISystemMessageBox {
public:
    // The style of the error control's box: warning icon, brought to the foreground.
    static constexpr uint32_t kErrorStyle = 0x10030;

    virtual ~ISystemMessageBox() = default;
    // Shows the text with the caption, owned by no window, and returns when it is dismissed.
    virtual void Show(const char16_t* text, const char16_t* caption, uint32_t style) = 0;
};
