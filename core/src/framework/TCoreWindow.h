#pragma once
// The base of every core window: an overlapped window by default, with its title text and parent.
// Derived classes change the styles before they create their window.
#include "core/src/framework/TCoreWindowRoot.h"

#include <string_view>

class TCoreWindow : public TCoreWindowRoot {
public:
    explicit TCoreWindow(TCoreObject* owner);

    // Creates the window with the object's styles at the default position and size.
    int CreateDefault(std::string_view className, std::string_view title, HWND parent);

    bool GetText(char* buffer, int size) override;
    bool SetText(std::string_view text) override;
    bool SetParentWindow(HWND parent) override;
};
