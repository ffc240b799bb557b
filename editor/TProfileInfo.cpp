#include "editor/TProfileInfo.h"

#include "platform/text/CodePage.h"
#include "subtitles/profiles/ProfileField.h"
#include "subtitles/profiles/TProfileHeader.h"

std::u16string TProfileInfo::DecodeReadme(std::string_view bytes) {
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE) {
        std::u16string text;
        for (std::size_t at = 2; at + 1 < bytes.size(); at += 2) {
            const auto unit = static_cast<char16_t>(static_cast<unsigned char>(bytes[at]) |
                                                    (static_cast<unsigned char>(bytes[at + 1]) << 8));
            if (unit == 0) {
                break;
            }
            text.push_back(unit);
        }
        return text;
    }
    return plat::text::AnsiToWide(bytes.substr(0, bytes.find('\0')));
}

std::string TProfileInfo::EncodeReadme(std::u16string_view text) {
    std::string bytes("\xFF\xFE", 2);
    bytes.reserve(2 + 2 * (text.size() + 1));
    for (const char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    bytes.append(2, '\0');
    return bytes;
}

void TProfileInfo::StoreFields(const TFields& fields, TProfileHeader& header) {
    header.Title = CutToField(fields.Title, TProfileHeader::kMaxTitle);
    header.CreatedBy = CutToField(fields.CreatedBy, TProfileHeader::kMaxCreatedBy);
    header.Version = CutToField(fields.Version, TProfileHeader::kMaxVersion);
    header.LastUpdate = CutToField(fields.LastUpdate, TProfileHeader::kMaxLastUpdate);
}
