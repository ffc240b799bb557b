// Opening a ".zds" profile whose one language loads 20 scripts of 2,000 events each, against reading
// the same 20 scripts from plain files with the SubStation reader alone: what the archive and the
// profile layers (unzipping, the volume and language files, the script pool) add to the reading.
#include "BenchScriptText.h"
#include "PeerRatioReporter.h"
#include "platform/text/CodePage.h"
#include "subtitles/profiles/TDVDProfile.h"
#include "subtitles/profiles/TScriptsPool.h"
#include "subtitles/scripts/TScriptControl.h"
#include "subtitles/zip/TZipControl.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kScripts = 20;
constexpr int kEvents = 2000;

// The scripts as plain files and the profile holding them, in a folder removed at exit.
class TBenchFiles {
public:
    TBenchFiles() {
        std::string pattern = (std::filesystem::temp_directory_path() / "profilebench-XXXXXX").string();
        folder_ = ::mkdtemp(pattern.data());
        TZipControl zip;
        zip.Create((folder_ + "/bench.zds").c_str());
        std::string language = "[Script]\r\n";
        for (int i = 1; i <= kScripts; ++i) {
            const std::string name = "script" + std::to_string(i) + ".ass";
            const std::string text = BenchScriptText("script " + std::to_string(i), kEvents);
            std::FILE* file = std::fopen((folder_ + "/" + name).c_str(), "wb");
            std::fwrite(text.data(), 1, text.size(), file);
            std::fclose(file);
            zip.AddEntry(name.c_str(), text.data(), static_cast<uint32_t>(text.size()));
            language += "load: " + name + ",SSA4,,0,0\r\nSelect: 0:00:00.00,1:00:00.00," + std::to_string(i) +
                        ",0:00:00.00,0,Part\r\nInfo: 1\r\n";
            paths_.push_back(plat::text::AnsiToWide(folder_ + "/" + name));
        }
        const std::string volumes =
            "[Volumes]\r\nVolume: Bench\r\nLanguage: English\r\nScript: 1-English.ds\r\n";
        zip.AddEntry("volumes.vl", volumes.data(), static_cast<uint32_t>(volumes.size()));
        zip.AddEntry("1-English.ds", language.data(), static_cast<uint32_t>(language.size()));
        zip.Close();
    }
    ~TBenchFiles() { std::filesystem::remove_all(folder_); }
    TBenchFiles(const TBenchFiles&) = delete;
    TBenchFiles& operator=(const TBenchFiles&) = delete;

    std::u16string Profile() const { return plat::text::AnsiToWide(folder_ + "/bench.zds"); }
    const std::vector<std::u16string>& Scripts() const { return paths_; }

private:
    std::string folder_;
    std::vector<std::u16string> paths_;
};

const TBenchFiles& Files() {
    static const TBenchFiles files;
    return files;
}

void BM_ProfileOpenZds(benchmark::State& state) {
    const std::u16string path = Files().Profile();
    for (auto _ : state) {
        TDVDProfile profile;
        if (!profile.Load(path, false, true) || profile.Pool->Entries.Count != kScripts ||
            profile.Pool->Entries.Tail->GetScript()->Events.Count != kEvents) {
            state.SkipWithError("the profile was not read");
            break;
        }
        benchmark::DoNotOptimize(profile.Pool->Entries.Head);
    }
}

// The scripts are kept until all are read, as the profile keeps them.
void BM_SsaReaderAlone(benchmark::State& state) {
    for (auto _ : state) {
        std::vector<std::unique_ptr<TScriptControl>> scripts;
        for (const std::u16string& path : Files().Scripts()) {
            scripts.push_back(std::make_unique<TScriptControl>());
            if (!scripts.back()->LoadFile(path, 0) || scripts.back()->Events.Count != kEvents) {
                state.SkipWithError("a script was not read");
                break;
            }
        }
        benchmark::DoNotOptimize(scripts.data());
    }
}

BENCHMARK(BM_ProfileOpenZds)->Apply(PeerRatioReporter::Repeated);
BENCHMARK(BM_SsaReaderAlone)->Apply(PeerRatioReporter::Repeated);

} // namespace

int main(int argc, char** argv) {
    return PeerRatioReporter::Main(argc, argv, {{"BM_ProfileOpenZds", "BM_SsaReaderAlone", 1.2}});
}
