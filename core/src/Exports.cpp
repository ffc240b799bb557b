// The fifteen exports of the library. None lets an exception escape: a failure answers the export's
// failure value.
#include "core/include/Vokrad.h"
#include "core/src/TCoreInstance.h"
#include "core/src/filters/TFilterServices.h"
#include "core/src/filters/TMediaProbes.h"
#include "platform/win/Debug.h"

#include <cstdlib>

namespace {

template <class Result, class Run> Result Guarded(Result failure, Run run) noexcept {
    try {
        return run();
    } catch (...) {
        return failure;
    }
}

} // namespace

extern "C" {

int32_t DLL_Start(void) {
    return 1;
}

int32_t DLL_Stop(void) {
    return Guarded<int32_t>(0, [] {
        plat::win::OutputDebugString("\n\n---> CORE Destroyed <----");
        return 0;
    });
}

TCoreInstance* Fct_CreatePlayerInstance(uint32_t hostWindow, const char* text) {
    return Guarded<TCoreInstance*>(nullptr, [&] { return TCoreInstance::Create(hostWindow, text); });
}

int32_t Fct_FreePlayerInstance(TCoreInstance* instance, uintptr_t) {
    return Guarded<int32_t>(-1, [&] { return TCoreInstance::Free(instance); });
}

int32_t Fct_SendOrder(TCoreInstance* instance, uintptr_t, uint32_t order, void* record, void** out) {
    return Guarded<int32_t>(-1, [&] { return TCoreInstance::SendOrder(instance, order, record, out); });
}

int32_t Fct_FreeData(void** data) {
    if (data == nullptr || *data == nullptr) {
        return -1;
    }
    std::free(*data);
    return 0;
}

// Each filter service builds the catalogue afresh over the merit store of the library's folder.
int32_t Fct_GetCommonDsFilters(char16_t** out) {
    return Guarded<int32_t>(0, [&] { return TFilterServices::ForLibrary().GetCommonDsFilters(out); });
}
int32_t Fct_GetAllFilters(char16_t** out) {
    return Guarded<int32_t>(0, [&] { return TFilterServices::ForLibrary().GetAllFilters(out); });
}
int32_t Fct_GetFCCFilters(uint32_t fourCC, char16_t** out) {
    return Guarded<int32_t>(0, [&] { return TFilterServices::ForLibrary().GetFCCFilters(fourCC, out); });
}
int32_t Fct_GetFilterInfo(const char16_t* displayName, char16_t** out) {
    return Guarded<int32_t>(-1,
                            [&] { return TFilterServices::ForLibrary().GetFilterInfo(displayName, out); });
}
// Answers 0 whether or not a frame was shown.
int32_t Fct_ShowFilterProp(uint32_t owner, const char16_t* displayName) {
    return Guarded<int32_t>(0, [&] {
        TFilterServices::ForLibrary().ShowFilterProp(owner, displayName);
        return 0;
    });
}
int32_t Fct_SetRit(const char16_t* displayName, uint32_t merit) {
    return Guarded<int32_t>(0, [&] { return TFilterServices::ForLibrary().SetRit(displayName, merit); });
}
int32_t Fct_GetMediaDuration(const char16_t* fileName) {
    return Guarded<int32_t>(0, [&] { return TMediaProbes::MediaDuration(fileName); });
}
int32_t Fct_IsVMR9Present(void) {
    return Guarded<int32_t>(0, [] {
        const TFilterServices services = TFilterServices::ForLibrary();
        return TMediaProbes::MixingRendererVersion(services.Catalogue());
    });
}

int32_t Fct_HtmlHelp(uintptr_t, uintptr_t, uintptr_t) {
    return 1;
}

} // extern "C"
