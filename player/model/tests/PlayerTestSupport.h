#pragma once
// Shared pieces of the player model tests: the program-wide objects for one test with a recording
// message box, the program folder for one test, and the core's WM_COPYDATA records built byte for
// byte from VokradNotifications.h.
#include "platform/win/Timer.h"
#include "platform/win/Types.h"
#include "player/model/binding/PlayerGlobals.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class TMessageBoxRecorder : public ISystemMessageBox {
public:
    struct TShown {
        std::u16string text;
        std::u16string caption;
        uint32_t style;
    };
    void Show(const char16_t* text, const char16_t* caption, uint32_t style) override {
        shown.push_back({text, caption, style});
    }
    std::vector<TShown> shown;
};

// CreatePlayerGlobals for one test (with the given binding, else a plain one), the error control
// showing its boxes to `box`; DestroyPlayerGlobals at the end.
class TPlayerGlobalsScope {
public:
    explicit TPlayerGlobalsScope(std::unique_ptr<TSendToCore> binding = nullptr);
    ~TPlayerGlobalsScope();
    TPlayerGlobalsScope(const TPlayerGlobalsScope&) = delete;
    TPlayerGlobalsScope& operator=(const TPlayerGlobalsScope&) = delete;

    TMessageBoxRecorder box;
};

// Points TOVRIN_PROGRAM_FOLDER at a folder for one test and restores it afterwards.
class TProgramFolderScope {
public:
    explicit TProgramFolderScope(const std::string& folder);
    ~TProgramFolderScope();
    TProgramFolderScope(const TProgramFolderScope&) = delete;
    TProgramFolderScope& operator=(const TProgramFolderScope&) = delete;

private:
    std::optional<std::string> old_;
};

// Window timers on a manual clock while the object lives.
class TManualTimers {
public:
    TManualTimers() { plat::win::InstallTimerHost(&host); }
    ~TManualTimers() { plat::win::InstallTimerHost(nullptr); }
    TManualTimers(const TManualTimers&) = delete;
    TManualTimers& operator=(const TManualTimers&) = delete;

    plat::win::ManualTimerHost host;
};

// The program folder the build lays out (TOVRIN_DIST_DIR of the test environment).
std::string DistFolder();

// Posts a message and runs the thread's Qt event loop until the message was delivered: a marker
// posted after it to a window of the test ends the loop.
void PostAndDeliver(plat::win::HWND window, plat::win::UINT msg, plat::win::WPARAM wParam,
                    plat::win::LPARAM lParam);
// Runs the Qt event loop until everything posted so far was delivered.
void DeliverPosted();
// Runs the Qt event loop until `done` answers true (false after ten seconds), waking every 50 ms to ask.
bool PumpUntil(const std::function<bool()>& done);

// The core's records.
std::vector<uint8_t> StatusRecord(uint32_t status, uint32_t value1, uint32_t value2);
std::vector<uint8_t> TextRecord(uint8_t severity, std::string_view text);
std::vector<uint8_t> StreamsRecord();

// Sends a block to a window as the core does: WM_COPYDATA, dwData 0, cbData the block's size. Tests
// shorten or lengthen the block itself, so that a read past the delivered bytes is a real overrun.
plat::win::LRESULT DeliverRecord(plat::win::HWND window, const std::vector<uint8_t>& block);
