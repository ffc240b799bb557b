#pragma once
// The texts of the Info window: the profile's four descriptive fields and the readme buffers of the
// profile and of a language. A readme buffer that starts FF FE holds UTF-16LE text; any other holds
// 8-bit text. Edited readmes are stored as FF FE, UTF-16LE text and a NUL character.
#include <string>
#include <string_view>

struct TProfileHeader;

class TProfileInfo {
public:
    struct TFields {
        std::string Title;
        std::string CreatedBy;
        std::string Version;
        std::string LastUpdate;
    };

    static std::u16string DecodeReadme(std::string_view bytes);
    static std::string EncodeReadme(std::u16string_view text);
    // Writes the fields into the header, each cut to its width at a character boundary.
    static void StoreFields(const TFields& fields, TProfileHeader& header);
};
