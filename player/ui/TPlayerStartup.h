#pragma once
// The entry of the player: one player per user at a time. A second start hands its command line to
// the running player's main window and ends; the first creates the forms in their fixed order (the
// main form first, never shown), runs the main form's start sequence and the event loop until the
// main form has closed.
#include "platform/win/Types.h"

#include <QWidget>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

class TDVDMain;

class TPlayerStartup {
public:
    static constexpr const char* kMutexName = "TovrinMutex";
    // How long a second start waits for the running player's window, and how often it looks whether
    // that player ended meanwhile.
    static constexpr std::chrono::milliseconds kHandOverWait{30000};
    static constexpr std::chrono::milliseconds kLockRecheck{100};

    // The forms of the player, owned until the program ends.
    struct TForms {
        std::unique_ptr<TDVDMain> Main;
        std::vector<std::unique_ptr<QWidget>> Others; // in creation order
    };

    // The whole run; what the program answers.
    static int Run(int argc, char** argv);

    // Creates the main form (running its FormCreate), then every other form in the fixed order.
    static TForms CreateForms();

    // Hands a command text to another player's main window and waits until it has run it.
    static void SendCommandLineToWindow(plat::win::HWND target, const std::string& text);

    // False, after saying so, when Qt has no display to open the windows on.
    static bool HasDisplay();
};
