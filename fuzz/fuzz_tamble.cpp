// The template decoder over outside input. An input starting with 'D' is a definition text and a
// subject separated by the first zero byte, matched by a fresh registry (the reader and the engine
// with any templates); any other input is a subtitle file decoded with the shipped definitions.
#include "plugins/decoders/support/ScrExports.h"
#include "plugins/decoders/tamble/SubjectText.h"
#include "plugins/decoders/tamble/TFormatRegistry.h"
#include "plugins/decoders/tamble/TTambleDecoder.h"

#include <cstdint>
#include <cstring>
#include <string_view>

namespace {

TTambleDecoder& Decoder() {
    static TTambleDecoder decoder;
    static const int loaded = decoder.LoadFolder(TAMBLE_SDF_DIR);
    (void)loaded;
    return decoder;
}

void MatchWithOwnDefinitions(std::string_view input) {
    const std::size_t split = input.find('\0');
    const std::string_view definitions = input.substr(0, split);
    const std::string_view subject =
        split == std::string_view::npos ? std::string_view() : input.substr(split + 1);
    TFormatRegistry registry;
    registry.LoadDefinitions(SubjectText(definitions));
    registry.Match(SubjectText(subject), std::nullopt, true);
}

void DecodeFile(std::string_view input) {
    // The first byte's low bit also hands in a frame-rate setting.
    char setting[] = "23.976";
    char* advanced = (input[0] & 1) != 0 ? setting : nullptr;
    int32_t advancedLength = advanced != nullptr ? static_cast<int32_t>(std::strlen(setting)) : 0;
    void* text = nullptr;
    int32_t size = 0;
    if (Decoder().Decode(input.data(), static_cast<int32_t>(input.size()), nullptr, &text, &size, &advanced,
                         &advancedLength) == 1) {
        scr::FreeHandedOut(&text, &advanced);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    if (input[0] == 'D') {
        MatchWithOwnDefinitions(input.substr(1));
    } else {
        DecodeFile(input);
    }
    return 0;
}
