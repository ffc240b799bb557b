#pragma once
// The binding of the core library: it loads System/vokrad.so at run time, binds each export by name
// and wraps the exports that the programs call. A wrapper whose export is missing still answers: 0
// for creating a player instance and for the mouse hook, -1 for everything else.
#include "core/include/Vokrad.h"
#include "platform/win/Types.h"

#include <cstdint>
#include <thread>

// Mouse-hook exports that a core may offer (ours does not).
using TFct_StartMouseHook = int32_t (*)(uint32_t window, uint32_t message);
using TFct_StopMouseHook = int32_t (*)();
using TFct_MouseProc = intptr_t (*)(int32_t code, uintptr_t wParam, intptr_t lParam);

class TSendToCore {
public:
    // The library below a folder of the program folder: "<folder>/vokrad.so".
    static constexpr const char* kLibraryFormat = "%s/vokrad.so";
    // The text the core is given with every new player instance.
    static constexpr const char* kInstanceText = "Test";

    // No library, every entry empty.
    TSendToCore() = default;
    TSendToCore(const TSendToCore&) = delete;
    TSendToCore& operator=(const TSendToCore&) = delete;
    // The library stays loaded unless Unload was called: the programs unload it explicitly, after
    // every player instance is freed. A load begun by BeginLoad is waited for.
    virtual ~TSendToCore();

    // Begins Load on a worker thread, so that the library loads while the program builds its
    // windows. Load waits for it and answers as it would have. Nothing else may be called before
    // Load.
    void BeginLoad(const char* folder);

    // Loads the library of the folder (relative to the program folder, never the current directory),
    // binds every export and calls DLL_Start when it was found. True when the library is loaded
    // (also when it already was: nothing is done then).
    virtual bool Load(const char* folder);
    // When a library is loaded: calls DLL_Stop when found, frees the library, empties every entry.
    virtual void Unload();

    virtual TCoreInstance* CreatePlayerInstance(plat::win::HWND clientWindow);
    virtual int32_t FreePlayerInstance(TCoreInstance* instance, plat::win::HWND clientWindow);
    virtual int32_t SendOrder(TCoreInstance* instance, plat::win::HWND clientWindow, uint32_t order,
                              void* record, void** out);
    // Returns a block that the core allocated; *block is not cleared.
    virtual int32_t FreeData(void** block);

    int32_t StartMouseHook(plat::win::HWND window, uint32_t message);
    int32_t StopMouseHook();
    int32_t GetMediaDuration(const char16_t* fileName);
    int32_t GetCommonDsFilters(char16_t** xml);
    int32_t GetAllFilters(char16_t** xml);
    int32_t SetRit(const char16_t* displayName, uint32_t merit);
    int32_t ShowFilterProp(plat::win::HWND ownerWindow, const char16_t* displayName);
    int32_t GetFilterInfo(const char16_t* displayName, char16_t** xml);

    plat::win::HMODULE Module() const { return module_; }
    bool IsLoaded() const { return module_ != nullptr; }

    // The entry points, in the order of the core's export table; empty when not found.
    struct TEntries {
        TDLL_Start DLL_Start = nullptr;
        TDLL_Stop DLL_Stop = nullptr;
        TFct_HtmlHelp Fct_HtmlHelp = nullptr;
        TFct_IsVMR9Present Fct_IsVMR9Present = nullptr;
        TFct_CreatePlayerInstance Fct_CreatePlayerInstance = nullptr;
        TFct_FreePlayerInstance Fct_FreePlayerInstance = nullptr;
        TFct_SendOrder Fct_SendOrder = nullptr;
        TFct_FreeData Fct_FreeData = nullptr;
        TFct_StartMouseHook Fct_StartMouseHook = nullptr;
        TFct_StopMouseHook Fct_StopMouseHook = nullptr;
        TFct_MouseProc Fct_MouseProc = nullptr;
        TFct_GetMediaDuration Fct_GetMediaDuration = nullptr;
        TFct_GetCommonDsFilters Fct_GetCommonDsFilters = nullptr;
        TFct_GetAllFilters Fct_GetAllFilters = nullptr;
        TFct_SetRit Fct_SetRit = nullptr;
        TFct_ShowFilterProp Fct_ShowFilterProp = nullptr;
        TFct_GetFilterInfo Fct_GetFilterInfo = nullptr;
        TFct_GetFCCFilters Fct_GetFCCFilters = nullptr;
    };
    const TEntries& Entries() const { return entries_; }

protected:
    // Loads the library of the folder and binds only the two exports that need no started core, the
    // media duration and the common filter list; DLL_Start is neither bound nor called. True when
    // the library is loaded.
    bool LoadDetached(const char* folder);

private:
    bool LoadNow(const char* folder);
    void BindExports();
    // Joins the worker of BeginLoad, when there is one.
    void AwaitBeginLoad();

    plat::win::HMODULE module_ = nullptr;
    TEntries entries_;
    std::thread loader_;
};
