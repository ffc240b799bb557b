// Saving a bookmark into a per-disc storage file that already holds 60 saved states (with their
// index and a titles list), against copying that file once, on the same file in one run. The save
// renames a bookmark through the bookmark control: the index is read from the file under its lock,
// changed, written as a new file that replaces the old one (synced to disk first), and read back.
#include "PeerRatioReporter.h"
#include "core/include/StateIndex.h"
#include "platform/storage/CompoundFile.h"
#include "platform/text/CodePage.h"
#include "player/model/storage/TBookmarkControl.h"
#include "player/model/storage/TSteadyTickSource.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

constexpr int kStates = 60;
constexpr std::size_t kStateBytes = 56; // a media file's saved state

// A folder for the run's files, removed at the end.
class BenchFolder {
public:
    BenchFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "storage-bench-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~BenchFolder() { std::filesystem::remove_all(path_); }
    std::string Path(const char* name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

const BenchFolder& Folder() {
    static const BenchFolder folder;
    return folder;
}

// The storage file: 60 states, each with its slot in the index, and a titles list.
const std::string& StorageFile() {
    static const std::string file = [] {
        const std::string path = Folder().Path("disc.dsi");
        plat::storage::CompoundFile storage;
        if (!storage.Open(path, plat::storage::CompoundFile::Access::Update, true)) {
            std::abort();
        }
        TStateIndex index{};
        std::vector<std::pair<std::u16string, std::string>> streams;
        for (int i = 0; i < kStates; ++i) {
            char name[8];
            std::snprintf(name, sizeof name, "B%04d", i + 1);
            TStateIndexSlot& slot = index.entries[index.count++];
            std::memcpy(slot.identifier, name, 6);
            std::snprintf(slot.caption, sizeof slot.caption, "Bookmark %d", i + 1);
            slot.title = 1;
            slot.chapter = static_cast<uint8_t>(i % 30 + 1);
            slot.time = 1000u * static_cast<uint32_t>(i);
            streams.emplace_back(plat::text::AnsiToWide(name),
                                 std::string(kStateBytes, static_cast<char>(i)));
        }
        streams.emplace_back(kStateIndexStream,
                             std::string(reinterpret_cast<const char*>(&index), sizeof index));
        streams.emplace_back(u"TitlesChaptersInfo", std::string(4000, 'T'));
        std::vector<plat::storage::CompoundFile::StreamWrite> writes;
        for (const auto& [name, bytes] : streams) {
            writes.push_back({name, bytes});
        }
        if (!storage.WriteStreams(writes)) {
            std::abort();
        }
        return path;
    }();
    return file;
}

void BM_SaveBookmark(benchmark::State& state) {
    TPlayerObjects hub(nullptr);
    TBookmarkControl bookmarks(hub, std::make_unique<TSteadyTickSource>());
    if (bookmarks.SetStorageFile(plat::text::AnsiToWide(StorageFile()).c_str()) != 0 ||
        bookmarks.Count() != kStates) {
        state.SkipWithError("the storage file did not load");
        return;
    }
    int round = 0;
    for (auto _ : state) {
        const std::u16string name = u"Renamed " + plat::text::AnsiToWide(std::to_string(round++));
        if (bookmarks.RenameBookmark(round % kStates, name.c_str())) {
            state.SkipWithError("the save failed");
            break;
        }
    }
    state.counters["file bytes"] = static_cast<double>(std::filesystem::file_size(StorageFile()));
}

void BM_CopyFile(benchmark::State& state) {
    const std::string copy = Folder().Path("copy.dsi");
    for (auto _ : state) {
        std::filesystem::copy_file(StorageFile(), copy, std::filesystem::copy_options::overwrite_existing);
    }
}

// The copy made as durable as the save: the copy is synced to disk before it counts as done.
void BM_CopyFileSynced(benchmark::State& state) {
    const std::string copy = Folder().Path("copy-synced.dsi");
    for (auto _ : state) {
        std::filesystem::copy_file(StorageFile(), copy, std::filesystem::copy_options::overwrite_existing);
        const int fd = ::open(copy.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0 || ::fsync(fd) != 0) {
            state.SkipWithError("the copy could not be synced");
        }
        ::close(fd);
    }
}

BENCHMARK(BM_SaveBookmark)->Apply(PeerRatioReporter::Repeated);
BENCHMARK(BM_CopyFile)->Apply(PeerRatioReporter::Repeated);
BENCHMARK(BM_CopyFileSynced)->Apply(PeerRatioReporter::Repeated);

} // namespace

int main(int argc, char** argv) {
    return PeerRatioReporter::Main(
        argc, argv, {{"BM_SaveBookmark", "BM_CopyFile", 3.0}, {"BM_SaveBookmark", "BM_CopyFileSynced", 3.0}});
}
