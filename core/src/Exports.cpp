// The fifteen exports of the library. None lets an exception escape: a failure answers the export's
// failure value.
#include "core/include/Vokrad.h"
#include "core/src/TCoreInstance.h"
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
    return Guarded<int32_t>(-1, [&] {
        TCorePlayer* player = TCoreInstance::PlayerOf(instance);
        return player != nullptr ? player->SendOrder(order, record, out) : -1;
    });
}

int32_t Fct_FreeData(void** data) {
    if (data == nullptr || *data == nullptr) {
        return -1;
    }
    std::free(*data);
    return 0;
}

// The filter catalogue, the media detector and the renderer probe belong to the media layer, which
// the library does not have yet: each answers its failure value.
int32_t Fct_GetCommonDsFilters(char16_t** out) {
    return 0;
}
int32_t Fct_GetAllFilters(char16_t** out) {
    return 0;
}
int32_t Fct_GetFCCFilters(uint32_t fourCC, char16_t** out) {
    return 0;
}
int32_t Fct_GetFilterInfo(const char16_t* displayName, char16_t** out) {
    return -1;
}
int32_t Fct_ShowFilterProp(uint32_t ownerWindow, const char16_t* displayName) {
    return 0;
}
int32_t Fct_SetRit(const char16_t* displayName, uint32_t merit) {
    return 0;
}
int32_t Fct_GetMediaDuration(const char16_t* fileName) {
    return 0;
}
int32_t Fct_IsVMR9Present(void) {
    return 0;
}

int32_t Fct_HtmlHelp(uintptr_t, uintptr_t, uintptr_t) {
    return 1;
}

} // extern "C"
