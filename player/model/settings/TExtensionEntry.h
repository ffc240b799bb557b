#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// A file type the player registers.
struct TExtensionEntry {
    static constexpr std::size_t kMaxUnits = 14; // UTF-16 units of the extension text

    std::u16string Extension;
    bool Associate = false;
    bool OpenWithFileManager = false;
    std::uint8_t Type = 0; // the settings dialog's business

    friend bool operator==(const TExtensionEntry&, const TExtensionEntry&) = default;
};
