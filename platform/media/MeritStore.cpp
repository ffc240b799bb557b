#include "platform/media/MeritStore.h"

#include <QSaveFile>

#include <charconv>
#include <fstream>
#include <string>

namespace plat::media {

namespace {

constexpr const char* kFileName = "merits.txt";

// The rank scale's fixed points: NONE, MARGINAL, SECONDARY, PRIMARY against their merits.
struct Point {
    std::uint32_t merit;
    unsigned rank;
};
constexpr Point kScale[] = {
    {MERIT_DO_NOT_USE, 0}, {MERIT_UNLIKELY, 64}, {MERIT_NORMAL, 128}, {MERIT_PREFERRED, 256}};
constexpr std::uint32_t kMeritPerRankAbovePrimary = 0x10000;

// One line: "{class id} merit" with the merit in decimal.
std::optional<std::pair<Guid, std::uint32_t>> ParseLine(const std::string& line) {
    const auto space = line.find(' ');
    if (space == std::string::npos) {
        return std::nullopt;
    }
    const auto id = Guid::Parse(std::string_view(line).substr(0, space));
    std::uint32_t merit = 0;
    const char* first = line.data() + space + 1;
    const char* last = line.data() + line.size();
    const auto [end, error] = std::from_chars(first, last, merit);
    if (!id || error != std::errc() || end != last || first == last) {
        return std::nullopt;
    }
    return std::make_pair(*id, merit);
}

} // namespace

MeritStore::MeritStore(std::filesystem::path folder) : folder_(std::move(folder)) {}

std::filesystem::path MeritStore::FilePath() const {
    return folder_ / kFileName;
}

HResult MeritStore::Load() {
    merits_.clear();
    std::error_code error;
    if (!std::filesystem::exists(FilePath(), error)) {
        return error ? E_FAIL : S_FALSE;
    }
    std::ifstream file(FilePath());
    if (!file) {
        return E_FAIL;
    }
    std::map<Guid, std::uint32_t> merits;
    for (std::string line; std::getline(file, line);) {
        if (line.empty()) {
            continue;
        }
        const auto entry = ParseLine(line);
        if (!entry) {
            return VFW_E_INVALID_FILE_FORMAT;
        }
        merits[entry->first] = entry->second;
    }
    merits_ = std::move(merits);
    return S_OK;
}

HResult MeritStore::Save() const {
    QSaveFile file(QString::fromStdString(FilePath().string()));
    if (!file.open(QIODevice::WriteOnly)) {
        return E_FAIL;
    }
    for (const auto& [id, merit] : merits_) {
        const std::string line = id.ToString() + ' ' + std::to_string(merit) + '\n';
        if (file.write(line.data(), static_cast<qint64>(line.size())) != static_cast<qint64>(line.size())) {
            file.cancelWriting();
            return E_FAIL;
        }
    }
    return file.commit() ? S_OK : E_FAIL;
}

std::optional<std::uint32_t> MeritStore::Find(const Guid& classId) const {
    const auto it = merits_.find(classId);
    return it == merits_.end() ? std::nullopt : std::optional(it->second);
}

void MeritStore::Set(const Guid& classId, std::uint32_t merit) {
    merits_[classId] = merit;
}

bool MeritStore::Erase(const Guid& classId) {
    return merits_.erase(classId) > 0;
}

unsigned MeritStore::RankForMerit(std::uint32_t merit) {
    if (merit <= kScale[0].merit) {
        return 0;
    }
    for (std::size_t i = 1; i < std::size(kScale); ++i) {
        if (merit <= kScale[i].merit) {
            const Point low = kScale[i - 1];
            const Point high = kScale[i];
            const std::uint64_t offset = std::uint64_t(merit - low.merit) * (high.rank - low.rank);
            const unsigned rank = low.rank + static_cast<unsigned>(offset / (high.merit - low.merit));
            return rank == 0 ? 1 : rank; // only a merit of MERIT_DO_NOT_USE or less means NONE
        }
    }
    return 256 + 1 + (merit - MERIT_PREFERRED - 1) / kMeritPerRankAbovePrimary;
}

std::uint32_t MeritStore::MeritForRank(unsigned rank) {
    for (std::size_t i = 1; i < std::size(kScale); ++i) {
        if (rank <= kScale[i].rank) {
            const Point low = kScale[i - 1];
            const Point high = kScale[i];
            const std::uint64_t offset = std::uint64_t(rank - low.rank) * (high.merit - low.merit);
            return low.merit + static_cast<std::uint32_t>(offset / (high.rank - low.rank));
        }
    }
    const std::uint64_t merit = MERIT_PREFERRED + std::uint64_t(rank - 256) * kMeritPerRankAbovePrimary;
    return merit > UINT32_MAX ? UINT32_MAX : static_cast<std::uint32_t>(merit);
}

} // namespace plat::media
