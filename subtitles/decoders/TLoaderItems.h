#pragma once
// One loaded decoder plug-in: its library and the exports bound by name.
#include "plugins/decoders/include/ScrPluginApi.h"
#include "platform/win/Types.h"

#include <cstdint>
#include <string>

class TLoaderItems {
public:
    TLoaderItems() = default;
    ~TLoaderItems();
    TLoaderItems(const TLoaderItems&) = delete;
    TLoaderItems& operator=(const TLoaderItems&) = delete;

    // Loads the library (when none is loaded yet) and binds its exports. Keeps it only when
    // IsCompatible, Decode, FreeBuffer and ShowAdvanced are all there; then runs Init once.
    bool Load(const std::string& path);
    void Unload();

    int32_t IsCompatible(const char* type, int32_t length, const char* extra, int32_t extraLength) const;
    // DecodeAdv (with no filter) when the plug-in has it, else Decode.
    int32_t Decode(const void* data, int32_t size, void** text, int32_t* textSize, char** advanced,
                   int32_t* advancedLength) const;
    int32_t FreeBuffer(void** text, char** advanced) const;
    int32_t ShowAdvanced(plat::win::HWND parent, char** advanced, int32_t* advancedLength) const;

    bool HasDecodeAdv() const { return FDecodeAdv != nullptr; }
    const std::string& Path() const { return FPath; }

    TLoaderItems* Prev = nullptr;
    TLoaderItems* Next = nullptr;
    int32_t Index = 0;

private:
    void BindExports();
    bool HasRequiredExports() const;

    std::string FPath;
    plat::win::HMODULE FModule = nullptr;
    ScrInitFn FInit = nullptr;
    ScrIsCompatibleFn FIsCompatible = nullptr;
    ScrDecodeFn FDecode = nullptr;
    ScrDecodeAdvFn FDecodeAdv = nullptr;
    ScrFreeBufferFn FFreeBuffer = nullptr;
    ScrShowAdvancedFn FShowAdvanced = nullptr;
    ScrGetAdvInfoFn FGetAdvInfo = nullptr;
};
