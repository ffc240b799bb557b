#include "player/model/binding/TMainControl.h"

#include "player/model/binding/PlayerGlobals.h"

namespace win = plat::win;

namespace {

// The binding's answer, 0 when there is no binding.
template <class Op, class... Args> int32_t Forward(Op op, Args... args) {
    TSendToCore* binding = SendToCore();
    return binding != nullptr ? (binding->*op)(args...) : 0;
}

} // namespace

TMainControl::TMainControl() = default;

TMainControl::~TMainControl() = default;

int32_t TMainControl::Start() {
    if (!window_) {
        window_ =
            std::make_unique<TCallbackWindow>(kClassName, u"::MCL::CONS::", static_cast<THandler&>(*this));
    }
    LoadCore();
    return 0;
}

int32_t TMainControl::LoadCore() {
    TSendToCore* binding = SendToCore();
    if (binding == nullptr) {
        return 0;
    }
    if (!binding->Load(kCoreFolder)) {
        ReportError(0, u"::MCL::CC:: Unable to find the core engine");
        return -1;
    }
    return 0;
}

int32_t TMainControl::Stop() {
    if (TSendToCore* binding = SendToCore()) {
        binding->StopMouseHook();
        binding->Unload();
    }
    return 0;
}

int32_t TMainControl::FreeData(void** block) {
    return Forward(&TSendToCore::FreeData, block);
}

int32_t TMainControl::GetCommonDsFilters(char16_t** xml) {
    return Forward(&TSendToCore::GetCommonDsFilters, xml);
}

int32_t TMainControl::GetAllFilters(char16_t** xml) {
    return Forward(&TSendToCore::GetAllFilters, xml);
}

int32_t TMainControl::GetMediaDuration(const char16_t* fileName) {
    return Forward(&TSendToCore::GetMediaDuration, fileName);
}

int32_t TMainControl::GetFilterInfo(const char16_t* displayName, char16_t** xml) {
    return Forward(&TSendToCore::GetFilterInfo, displayName, xml);
}

int32_t TMainControl::SetRit(const char16_t* displayName, uint32_t merit) {
    return Forward(&TSendToCore::SetRit, displayName, merit);
}

int32_t TMainControl::ShowFilterProp(win::HWND ownerWindow, const char16_t* displayName) {
    return Forward(&TSendToCore::ShowFilterProp, ownerWindow, displayName);
}

int32_t TMainControl::StartMouseHook(win::HWND window, uint32_t message) {
    return Forward(&TSendToCore::StartMouseHook, window, message);
}

int32_t TMainControl::StopMouseHook() {
    return Forward(&TSendToCore::StopMouseHook);
}

win::LRESULT TMainControl::HandleMessage(win::HWND hwnd, win::UINT msg, win::WPARAM wParam,
                                         win::LPARAM lParam) {
    return TCallbackWindow::DefaultAnswer(hwnd, msg, wParam, lParam);
}
