#include "player/model/binding/TSendToCore.h"

#include "platform/text/Format.h"
#include "platform/win/Library.h"

#include <string>

namespace win = plat::win;

namespace {

// The export's own answer, or `missing` when the export was not found.
template <class Entry, class Result, class... Args> Result Call(Entry entry, Result missing, Args... args) {
    return entry != nullptr ? entry(args...) : missing;
}

} // namespace

TSendToCore::~TSendToCore() {
    AwaitBeginLoad();
}

void TSendToCore::BeginLoad(const char* folder) {
    AwaitBeginLoad();
    loader_ = std::thread(
        [this, folder = std::string(folder != nullptr ? folder : "")] { LoadNow(folder.c_str()); });
}

void TSendToCore::AwaitBeginLoad() {
    if (loader_.joinable()) {
        loader_.join();
    }
}

bool TSendToCore::Load(const char* folder) {
    AwaitBeginLoad();
    return LoadNow(folder);
}

bool TSendToCore::LoadNow(const char* folder) {
    if (module_ != nullptr) {
        return true;
    }
    const std::string path = plat::text::FormatA(kLibraryFormat, folder != nullptr ? folder : "");
    module_ = win::LoadLibrary(path);
    if (module_ == nullptr) {
        return false;
    }
    BindExports();
    if (entries_.DLL_Start != nullptr) {
        entries_.DLL_Start();
    }
    return true;
}

bool TSendToCore::LoadDetached(const char* folder) {
    AwaitBeginLoad();
    if (module_ == nullptr) {
        module_ = win::LoadLibrary(plat::text::FormatA(kLibraryFormat, folder != nullptr ? folder : ""));
    }
    if (module_ == nullptr) {
        return false;
    }
    entries_ = TEntries{};
    entries_.Fct_GetMediaDuration =
        reinterpret_cast<TFct_GetMediaDuration>(win::GetProcAddress(module_, "Fct_GetMediaDuration"));
    entries_.Fct_GetCommonDsFilters =
        reinterpret_cast<TFct_GetCommonDsFilters>(win::GetProcAddress(module_, "Fct_GetCommonDsFilters"));
    return true;
}

void TSendToCore::BindExports() {
    const auto bind = [this](auto& entry, const char* name) {
        entry =
            reinterpret_cast<std::remove_reference_t<decltype(entry)>>(win::GetProcAddress(module_, name));
    };
    bind(entries_.DLL_Start, "DLL_Start");
    bind(entries_.DLL_Stop, "DLL_Stop");
    bind(entries_.Fct_HtmlHelp, "Fct_HtmlHelp");
    bind(entries_.Fct_IsVMR9Present, "Fct_IsVMR9Present");
    bind(entries_.Fct_CreatePlayerInstance, "Fct_CreatePlayerInstance");
    bind(entries_.Fct_FreePlayerInstance, "Fct_FreePlayerInstance");
    bind(entries_.Fct_SendOrder, "Fct_SendOrder");
    bind(entries_.Fct_FreeData, "Fct_FreeData");
    bind(entries_.Fct_StartMouseHook, "Fct_StartMouseHook");
    bind(entries_.Fct_StopMouseHook, "Fct_StopMouseHook");
    bind(entries_.Fct_MouseProc, "Fct_MouseProc");
    bind(entries_.Fct_GetMediaDuration, "Fct_GetMediaDuration");
    bind(entries_.Fct_GetCommonDsFilters, "Fct_GetCommonDsFilters");
    bind(entries_.Fct_GetAllFilters, "Fct_GetAllFilters");
    bind(entries_.Fct_SetRit, "Fct_SetRit");
    bind(entries_.Fct_ShowFilterProp, "Fct_ShowFilterProp");
    bind(entries_.Fct_GetFilterInfo, "Fct_GetFilterInfo");
    bind(entries_.Fct_GetFCCFilters, "Fct_GetFCCFilters");
}

void TSendToCore::Unload() {
    AwaitBeginLoad();
    if (module_ == nullptr) {
        return;
    }
    if (entries_.DLL_Stop != nullptr) {
        entries_.DLL_Stop();
    }
    win::FreeLibrary(module_);
    module_ = nullptr;
    entries_ = TEntries{};
}

TCoreInstance* TSendToCore::CreatePlayerInstance(win::HWND clientWindow) {
    return Call(entries_.Fct_CreatePlayerInstance, static_cast<TCoreInstance*>(nullptr), clientWindow,
                kInstanceText);
}

int32_t TSendToCore::FreePlayerInstance(TCoreInstance* instance, win::HWND clientWindow) {
    return Call(entries_.Fct_FreePlayerInstance, -1, instance, uintptr_t{clientWindow});
}

int32_t TSendToCore::SendOrder(TCoreInstance* instance, win::HWND clientWindow, uint32_t order, void* record,
                               void** out) {
    return Call(entries_.Fct_SendOrder, -1, instance, uintptr_t{clientWindow}, order, record, out);
}

int32_t TSendToCore::FreeData(void** block) {
    return Call(entries_.Fct_FreeData, -1, block);
}

int32_t TSendToCore::StartMouseHook(win::HWND window, uint32_t message) {
    return Call(entries_.Fct_StartMouseHook, 0, window, message);
}

int32_t TSendToCore::StopMouseHook() {
    return Call(entries_.Fct_StopMouseHook, 0);
}

int32_t TSendToCore::GetMediaDuration(const char16_t* fileName) {
    return Call(entries_.Fct_GetMediaDuration, -1, fileName);
}

int32_t TSendToCore::GetCommonDsFilters(char16_t** xml) {
    return Call(entries_.Fct_GetCommonDsFilters, -1, xml);
}

int32_t TSendToCore::GetAllFilters(char16_t** xml) {
    return Call(entries_.Fct_GetAllFilters, -1, xml);
}

int32_t TSendToCore::SetRit(const char16_t* displayName, uint32_t merit) {
    return Call(entries_.Fct_SetRit, -1, displayName, merit);
}

int32_t TSendToCore::ShowFilterProp(win::HWND ownerWindow, const char16_t* displayName) {
    return Call(entries_.Fct_ShowFilterProp, -1, ownerWindow, displayName);
}

int32_t TSendToCore::GetFilterInfo(const char16_t* displayName, char16_t** xml) {
    return Call(entries_.Fct_GetFilterInfo, -1, displayName, xml);
}
