#include "subtitles/decoders/TLoaderItems.h"

#include "platform/win/Library.h"

namespace {

template <class Fn> Fn Bind(plat::win::HMODULE module, const char* name) {
    return reinterpret_cast<Fn>(plat::win::GetProcAddress(module, name));
}

} // namespace

TLoaderItems::~TLoaderItems() {
    Unload();
}

bool TLoaderItems::Load(const std::string& path) {
    if (FModule == nullptr) {
        FModule = plat::win::LoadLibrary(path);
        if (FModule == nullptr) {
            return false;
        }
        FPath = path;
        BindExports();
    }
    if (!HasRequiredExports()) {
        Unload();
        return false;
    }
    return true;
}

void TLoaderItems::BindExports() {
    FInit = Bind<ScrInitFn>(FModule, scr_exports::kInit);
    FIsCompatible = Bind<ScrIsCompatibleFn>(FModule, scr_exports::kIsCompatible);
    FDecode = Bind<ScrDecodeFn>(FModule, scr_exports::kDecode);
    FDecodeAdv = Bind<ScrDecodeAdvFn>(FModule, scr_exports::kDecodeAdv);
    FFreeBuffer = Bind<ScrFreeBufferFn>(FModule, scr_exports::kFreeBuffer);
    FShowAdvanced = Bind<ScrShowAdvancedFn>(FModule, scr_exports::kShowAdvanced);
    FGetAdvInfo = Bind<ScrGetAdvInfoFn>(FModule, scr_exports::kGetAdvInfo);
    if (HasRequiredExports() && FInit != nullptr) {
        FInit();
    }
}

bool TLoaderItems::HasRequiredExports() const {
    return FIsCompatible != nullptr && FDecode != nullptr && FFreeBuffer != nullptr && FShowAdvanced != nullptr;
}

void TLoaderItems::Unload() {
    if (FModule != nullptr) {
        plat::win::FreeLibrary(FModule);
    }
    FModule = nullptr;
    FInit = nullptr;
    FIsCompatible = nullptr;
    FDecode = nullptr;
    FDecodeAdv = nullptr;
    FFreeBuffer = nullptr;
    FShowAdvanced = nullptr;
    FGetAdvInfo = nullptr;
}

int32_t TLoaderItems::IsCompatible(const char* type, int32_t length, const char* extra, int32_t extraLength) const {
    return FIsCompatible != nullptr ? FIsCompatible(type, length, extra, extraLength) : 0;
}

int32_t TLoaderItems::Decode(const void* data, int32_t size, void** text, int32_t* textSize, char** advanced,
                             int32_t* advancedLength) const {
    if (FDecodeAdv != nullptr) {
        return FDecodeAdv(data, size, nullptr, text, textSize, advanced, advancedLength);
    }
    return FDecode != nullptr ? FDecode(data, size, text, textSize, advanced, advancedLength) : 0;
}

int32_t TLoaderItems::FreeBuffer(void** text, char** advanced) const {
    return FFreeBuffer != nullptr ? FFreeBuffer(text, advanced) : 0;
}

int32_t TLoaderItems::ShowAdvanced(plat::win::HWND parent, char** advanced, int32_t* advancedLength) const {
    return FShowAdvanced != nullptr ? FShowAdvanced(parent, advanced, advancedLength) : 0;
}
