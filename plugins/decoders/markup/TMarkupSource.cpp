#include "plugins/decoders/markup/TMarkupSource.h"

#include "platform/text/CodePage.h"
#include "platform/text/Unicode.h"

namespace {

bool StartsWith(std::string_view data, std::string_view prefix) {
    return data.substr(0, prefix.size()) == prefix;
}

bool IsValidUtf8(std::string_view bytes) {
    for (std::size_t pos = 0; pos < bytes.size();) {
        if (static_cast<unsigned char>(bytes[pos]) < 0x80) {
            ++pos;
            continue;
        }
        const plat::text::unicode::Step step = plat::text::unicode::DecodeUtf8(bytes, pos);
        if (!step.valid) {
            return false;
        }
        pos += step.length;
    }
    return true;
}

} // namespace

TMarkupSource::TMarkupSource(std::string_view data) : FBytes(data) {
    const bool little = StartsWith(data, "\xFF\xFE");
    if (little || StartsWith(data, "\xFE\xFF")) {
        plat::text::WString wide;
        plat::text::MultiByteToWide(little ? plat::text::kCpUtf16Le : plat::text::kCpUtf16Be, data.substr(2),
                                    wide);
        FConverted = plat::text::WideToAnsi(wide);
        FBytes = FConverted;
        return;
    }
    if (StartsWith(data, "\xEF\xBB\xBF")) {
        FBytes = data.substr(3);
    }
    FUtf8 = IsValidUtf8(FBytes);
}
