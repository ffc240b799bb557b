#pragma once
// Filter merits as exact 32-bit values per class id, kept in a file "merits.txt" in a folder of the
// caller's choice. GStreamer ranks are per process; persistence across runs comes from this file.
#include "platform/media/Guid.h"
#include "platform/media/Result.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>

namespace plat::media {

constexpr std::uint32_t MERIT_DO_NOT_USE = 0x200000;
constexpr std::uint32_t MERIT_UNLIKELY = 0x400000;
constexpr std::uint32_t MERIT_NORMAL = 0x600000;
constexpr std::uint32_t MERIT_PREFERRED = 0x800000;

class MeritStore {
public:
    explicit MeritStore(std::filesystem::path folder);

    // S_OK when read, S_FALSE when there is no file yet (the store is empty), VFW_E_INVALID_FILE_FORMAT
    // for a file with a malformed line (the store is then left empty), E_FAIL when it cannot be read.
    HResult Load();
    // Writes a temporary file and renames it over the old one; E_FAIL when that fails.
    HResult Save() const;

    std::optional<std::uint32_t> Find(const Guid& classId) const;
    void Set(const Guid& classId, std::uint32_t merit);
    bool Erase(const Guid& classId);
    const std::map<Guid, std::uint32_t>& Merits() const { return merits_; }
    std::filesystem::path FilePath() const;

    // The GStreamer rank a merit projects onto: monotonic, and rank NONE (never autoplugged) for a
    // merit of MERIT_DO_NOT_USE or less.
    static unsigned RankForMerit(std::uint32_t merit);
    // The merit a filter without a stored value shows for its rank: the inverse of RankForMerit.
    static std::uint32_t MeritForRank(unsigned rank);

private:
    std::filesystem::path folder_;
    std::map<Guid, std::uint32_t> merits_;
};

} // namespace plat::media
