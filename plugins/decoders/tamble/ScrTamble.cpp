// The exports of scr_tamble, the decoder of line formats described by ".sdf" definitions.
#include "platform/text/Path.h"
#include "plugins/decoders/include/ScrPluginApi.h"
#include "plugins/decoders/support/ScrExports.h"
#include "plugins/decoders/support/ShowAdvancedDialog.h"
#include "plugins/decoders/tamble/TTambleDecoder.h"

#include <dlfcn.h>

namespace {

TTambleDecoder& Decoder() {
    static TTambleDecoder decoder;
    return decoder;
}

// The folder of this library, where its definitions lie.
std::string OwnFolder() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&Decoder), &info) == 0 || info.dli_fname == nullptr) {
        return {};
    }
    return plat::text::path::Folder(info.dli_fname);
}

} // namespace

extern "C" {

__attribute__((visibility("default"))) int32_t Init() {
    const std::string folder = OwnFolder();
    if (!folder.empty()) {
        Decoder().LoadFolder(folder);
    }
    return 1;
}

__attribute__((visibility("default"))) int32_t IsCompatible(const char* type, int32_t length, const char*,
                                                            int32_t) {
    return scr::MatchesNameStart(type, length, {"TXT", ".TXT", "SUB", ".SUB", "SRT", ".SRT"}) ? 1 : 0;
}

__attribute__((visibility("default"))) int32_t DecodeAdv(const void* data, int32_t size, const char* filter,
                                                         void** text, int32_t* textSize, char** advanced,
                                                         int32_t* advancedLength) {
    return Decoder().Decode(data, size, filter, text, textSize, advanced, advancedLength);
}

__attribute__((visibility("default"))) int32_t Decode(const void* data, int32_t size, void** text,
                                                      int32_t* textSize, char** advanced,
                                                      int32_t* advancedLength) {
    return Decoder().Decode(data, size, nullptr, text, textSize, advanced, advancedLength);
}

__attribute__((visibility("default"))) int32_t FreeBuffer(void** text, char** advanced) {
    return scr::FreeHandedOut(text, advanced);
}

__attribute__((visibility("default"))) int32_t ShowAdvanced(uint32_t, char** advanced,
                                                            int32_t* advancedLength) {
    return scr::ShowAdvancedDialog(scr::kFrameRatePrompt,
                                   scr::FormatSetting(Decoder().FrameRate(), scr::kFrameRateSetting),
                                   advanced, advancedLength);
}

__attribute__((visibility("default"))) int32_t GetAdvInfo(void*, void*) {
    return 1;
}

} // extern "C"
