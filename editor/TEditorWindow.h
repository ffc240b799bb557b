#pragma once
// The editor's main window as other processes see it: a message sink of class "TPellitMain" that
// the player finds and messages. It takes command frames (WM_COPYDATA) and the player's quit
// question (message 2023), and it owns the main form's two timers: the auto refresh, which sends
// the edited language 500 ms after the last change, and the GUI refresh, which collapses play
// requests made within 200 ms into the last one.
#include "platform/win/Types.h"

#include <cstdint>
#include <string>

class TEditorWindow {
public:
    static constexpr const char* kClassName = "TPellitMain";
    static constexpr const char* kTitle = "Pellit";
    static constexpr plat::win::UINT kMsgPlayerRequest = 2023;
    static constexpr plat::win::UINT_PTR kAutoRefreshTimer = 1;
    static constexpr plat::win::UINT_PTR kRefreshGuiTimer = 2;
    static constexpr plat::win::UINT kAutoRefreshMs = 500;
    static constexpr plat::win::UINT kRefreshGuiMs = 200;

    class IHandler {
    public:
        virtual ~IHandler() = default;
        virtual void RunCommandText(const std::u16string& text) = 0;
        virtual void BringToFront() = 0;
        // Runs the close sequence; true when the close was confirmed.
        virtual bool CloseRequested() = 0;
        virtual void AutoRefreshTick() = 0;
        virtual void PlayAtTitleTime(int32_t title, int32_t chapter, uint32_t packedTime) = 0;
    };

    explicit TEditorWindow(IHandler& handler);
    ~TEditorWindow();
    TEditorWindow(const TEditorWindow&) = delete;
    TEditorWindow& operator=(const TEditorWindow&) = delete;

    // Creates the window on the calling thread and publishes it; false when it cannot be created.
    bool Create();
    plat::win::HWND Handle() const { return handle_; }

    void RestartAutoRefresh();
    void StopAutoRefresh();
    void QueuePlayAtTitleTime(int32_t title, int32_t chapter, uint32_t packedTime);

private:
    static plat::win::LRESULT Procedure(plat::win::HWND hwnd, plat::win::UINT msg, plat::win::WPARAM wParam,
                                        plat::win::LPARAM lParam);
    plat::win::LRESULT WndProc(plat::win::UINT msg, plat::win::WPARAM wParam, plat::win::LPARAM lParam);
    void OnTimer(plat::win::UINT_PTR id);

    IHandler& handler_;
    plat::win::HWND handle_ = 0;
    int32_t playTitle_ = -1;
    int32_t playChapter_ = -1;
    uint32_t playTime_ = 0;
};
