#pragma once
// The block of a profile that is cleared as a whole before each load: the [Header] texts of
// "volumes.vl", where the profile was read from and how its languages are loaded.
#include <cstddef>
#include <cstdint>
#include <string>

struct TProfileHeader {
    // The 8-bit fields keep at most this many bytes (a fixed field less its terminator).
    static constexpr std::size_t kMaxTitle = 254;
    static constexpr std::size_t kMaxCreatedBy = 99;
    static constexpr std::size_t kMaxVersion = 9;
    static constexpr std::size_t kMaxLastUpdate = 99;

    std::string Title;
    std::string CreatedBy;
    std::string Version;
    std::string LastUpdate;
    std::u16string ArchivePath; // the ".zds" the profile was read from; empty for other forms
    uint8_t FromArchive = 0;
    uint8_t LoadAll = 0; // the languages of every volume are loaded at once
};
