#pragma once
// The program-wide owner of the core binding: it creates the hidden window "TovrinCallbackWindow",
// loads and starts the core, forwards the calls that need no player instance and stops and unloads
// the core at the end.
#include "foundation/TCommon.h"
#include "player/model/binding/TCallbackWindow.h"
#include "player/model/binding/TSendToCore.h"

#include <cstdint>
#include <memory>

class TMainControl : public TCommon, private TCallbackWindow::THandler {
public:
    static constexpr const char* kClassName = "TovrinCallbackWindow";
    // The core's folder below the program folder.
    static constexpr const char* kCoreFolder = "System";

    TMainControl();
    // Closes the window; the class is unregistered when no window of it is left.
    ~TMainControl() override;

    // Creates the hidden window (unless this object has one; the class is registered unless it
    // exists), then LoadCore. 0.
    int32_t Start();
    // Loads the program-wide binding's library from kCoreFolder. -1, after reporting "::MCL::CC::
    // Unable to find the core engine" at level 0, when it cannot be loaded; 0 otherwise (also when
    // there is no binding).
    int32_t LoadCore();
    // When there is a binding: stops the mouse hook and unloads the core. 0.
    int32_t Stop();

    // Forward to the program-wide binding; 0 when there is none.
    int32_t FreeData(void** block);
    int32_t GetCommonDsFilters(char16_t** xml);
    int32_t GetAllFilters(char16_t** xml);
    int32_t GetMediaDuration(const char16_t* fileName);
    int32_t GetFilterInfo(const char16_t* displayName, char16_t** xml);
    int32_t SetRit(const char16_t* displayName, uint32_t merit);
    int32_t ShowFilterProp(plat::win::HWND ownerWindow, const char16_t* displayName);
    int32_t StartMouseHook(plat::win::HWND window, uint32_t message);
    int32_t StopMouseHook();

    // The hidden window, 0 before Start or when it could not be created.
    plat::win::HWND Window() const { return window_ ? window_->Handle() : 0; }

private:
    plat::win::LRESULT HandleMessage(plat::win::HWND hwnd, plat::win::UINT msg, plat::win::WPARAM wParam,
                                     plat::win::LPARAM lParam) override;

    std::unique_ptr<TCallbackWindow> window_;
};
