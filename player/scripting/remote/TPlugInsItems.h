#pragma once
// One remote-control plug-in file: where it is, what it calls itself, and, while loaded, its library
// and bound exports with the window and event groups it asked for.
#include "platform/win/Types.h"
#include "plugins/remote/include/TovPluginApi.h"

#include <cstdint>
#include <string>

class TPlugIns;

class TPlugInsItems {
public:
    TPlugInsItems() = default;
    ~TPlugInsItems();
    TPlugInsItems(const TPlugInsItems&) = delete;
    TPlugInsItems& operator=(const TPlugInsItems&) = delete;

    // Remembers the owner and the file; the base name is the file name without folder and extension,
    // the description the plug-in's product name (read from the file without running it). False for
    // a null path.
    bool SetFile(TPlugIns* owner, const char* path);

    // Unloads, loads the library and binds the exports; without tovplug_Start or tovplug_Stop the
    // library is freed again and the answer is false. Otherwise starts the plug-in with `argument`.
    bool Load(int32_t argument);
    // Clears the callback, stops the plug-in and frees the library; true when the stop succeeded.
    bool Unload();
    // Hands the plug-in `callback` (null to take it back); true when the plug-in accepted it. The
    // window and group mask are cleared before, and again after a null callback.
    bool BindCallback(TovPluginHostCallback callback);
    // The plug-in's settings dialog over `parent`; a plug-in that is not loaded is loaded for this
    // call only. True when the user confirmed it.
    bool ShowProperties(plat::win::HWND parent);

    TPlugIns* Owner() const { return owner_; }
    const std::string& Path() const { return path_; }
    const std::string& BaseName() const { return baseName_; }
    const std::string& Description() const { return description_; }
    bool Loaded() const { return loaded_; }
    plat::win::HWND Window() const { return window_; }
    uint32_t GroupMask() const { return groupMask_; }

private:
    void BindExports();
    void FreeModule();

    TPlugIns* owner_ = nullptr;
    std::string path_;
    std::string baseName_;
    std::string description_;
    plat::win::HMODULE module_ = nullptr;
    bool loaded_ = false;
    TovPlugStartFn start_ = nullptr;
    TovPlugStopFn stop_ = nullptr;
    TovPlugSetCallbackFn setCallback_ = nullptr;
    TovPlugShowPropertiesFn showProperties_ = nullptr;
    uint32_t window_ = 0;
    uint32_t groupMask_ = 0;
};
