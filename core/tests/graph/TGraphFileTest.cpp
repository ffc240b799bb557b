#include "core/src/graph/TGraphFile.h"

#include "core/src/framework/TCoreLogFile.h"
#include "core/src/graph/TGraphLog.h"
#include "core/src/graph/TGraphRecord.h"
#include "core/tests/filters/FilterTestFolder.h"
#include "core/tests/graph/ReportGraphs.h"
#include "core/tests/graph/ReportXml.h"
#include "platform/text/CodePage.h"

#include <gsf/gsf.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace plat::media;
using report_graphs::TestGraph;
using Bytes = std::vector<std::uint8_t>;

struct GObjectUnref {
    void operator()(void* object) const { g_object_unref(object); }
};
template <class T> using GsfRef = std::unique_ptr<T, GObjectUnref>;

std::u16string Wide(const std::string& path) {
    return plat::text::AnsiToWide(path);
}

void WriteBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Bytes ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A compound file of one stream, written by libgsf.
void WriteCompound(const std::string& path, const char* streamName, const Bytes& content) {
    const GsfRef<GsfOutput> output(gsf_output_stdio_new(path.c_str(), nullptr));
    ASSERT_TRUE(output);
    const GsfRef<GsfOutfile> storage(gsf_outfile_msole_new(output.get()));
    const GsfRef<GsfOutput> stream(gsf_outfile_new_child(storage.get(), streamName, FALSE));
    ASSERT_TRUE(gsf_output_write(stream.get(), content.size(), content.data()));
    ASSERT_TRUE(gsf_output_close(stream.get()));
    ASSERT_TRUE(gsf_output_close(GSF_OUTPUT(storage.get())));
    ASSERT_TRUE(gsf_output_is_closed(output.get()));
}

// The names of the root's children as libgsf reads the file, streams marked "(stream)".
std::vector<std::string> CompoundChildren(const std::string& path) {
    const GsfRef<GsfInput> input(gsf_input_stdio_new(path.c_str(), nullptr));
    const GsfRef<GsfInfile> storage(input ? gsf_infile_msole_new(input.get(), nullptr) : nullptr);
    std::vector<std::string> names;
    for (int i = 0; storage && i < gsf_infile_num_children(storage.get()); ++i) {
        const GsfRef<GsfInput> child(gsf_infile_child_by_index(storage.get(), i));
        const bool stream = gsf_infile_num_children(GSF_INFILE(child.get())) == -1;
        names.push_back(std::string(gsf_infile_name_by_index(storage.get(), i)) +
                        (stream ? " (stream)" : ""));
    }
    return names;
}

std::size_t EntriesIn(const std::string& folder) {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

class TGraphFileTest : public ::testing::Test {
protected:
    std::string Log() const { return plat::text::WideToAnsi(report_xml::View(graphLog_.Document())); }

    // Tone → Sink, plus a file source with a source file and no links.
    void BuildSample(TestGraph& graph) {
        WriteBytes(folder_.File("clip.bin"), Bytes(64, 7));
        ASSERT_TRUE(graph.Add("audiotestsrc", "Tone"));
        ASSERT_TRUE(graph.Add("fakesink", "Sink"));
        ASSERT_TRUE(Succeeded(graph.Graph().AddSourceFilter(folder_.File("clip.bin"), "Clip")));
        ASSERT_TRUE(Succeeded(graph.Graph().ConnectDirect({"Tone", "src"}, {"Sink", "sink"})));
    }

    FilterTestFolder folder_;
    TCoreLogFile debugLog_;
    TGraphLog graphLog_{debugLog_};
    TGraphFile files_{graphLog_, debugLog_};
};

TEST_F(TGraphFileTest, SavedGraphIsACompoundFileThatLoadsBackIntoAFreshGraph) {
    TestGraph original;
    BuildSample(original);
    const std::string path = folder_.File("graph.grf");

    ASSERT_EQ(files_.Save(&original.Graph(), Wide(path)), S_OK);

    EXPECT_EQ(CompoundChildren(path), std::vector<std::string>{"ActiveMovieGraph (stream)"});
    EXPECT_EQ(EntriesIn(folder_.Path()), 2u) << "no temporary file stays";
    EXPECT_EQ(std::filesystem::status(path).permissions(),
              std::filesystem::status(folder_.File("clip.bin")).permissions())
        << "made like any other file";
    TestGraph loaded;
    ASSERT_EQ(files_.Load(&loaded.Graph(), Wide(path)), S_OK) << Log();
    const TGraphRecord expected = TGraphFile::Capture(original.Graph());
    EXPECT_EQ(expected.filters.size(), 3u);
    EXPECT_EQ(expected.links.size(), 1u);
    EXPECT_EQ(TGraphFile::Capture(loaded.Graph()), expected);
    EXPECT_EQ(Log(), "");
}

TEST_F(TGraphFileTest, SavingReplacesAnExistingFileWhole) {
    TestGraph graph;
    BuildSample(graph);
    const std::string path = folder_.File("graph.grf");
    WriteBytes(path, Bytes(100000, 0xAB));

    ASSERT_EQ(files_.Save(&graph.Graph(), Wide(path)), S_OK);

    EXPECT_EQ(CompoundChildren(path), std::vector<std::string>{"ActiveMovieGraph (stream)"});
}

TEST_F(TGraphFileTest, SavingIntoAMissingFolderFailsAndLeavesNothing) {
    TestGraph graph;
    BuildSample(graph);

    EXPECT_EQ(files_.Save(&graph.Graph(), Wide(folder_.File("missing/graph.grf"))), PATH_NOT_FOUND_RESULT);

    EXPECT_EQ(EntriesIn(folder_.Path()), 1u); // the clip alone
}

TEST_F(TGraphFileTest, WithoutAGraphSavingFailsAndLoadingDoesNothing) {
    const std::string path = folder_.File("graph.grf");

    EXPECT_EQ(files_.Save(nullptr, Wide(path)), TGraphFile::kNoGraph);
    EXPECT_EQ(files_.Load(nullptr, Wide(path)), S_OK);

    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(Log(), "");
}

TEST_F(TGraphFileTest, ForeignCorruptOrTruncatedFilesAreRefusedWithoutTouchingTheGraph) {
    TestGraph sample;
    BuildSample(sample);
    const std::string good = folder_.File("good.grf");
    ASSERT_EQ(files_.Save(&sample.Graph(), Wide(good)), S_OK);
    const Bytes goodFile = ReadBytes(good);
    const Bytes goodRecord = TGraphFile::Capture(sample.Graph()).Encode();

    struct Case {
        const char* name;
        std::function<void(const std::string&)> make;
        HResult expected;
        const char* reason;
    };
    const std::vector<Case> cases = {
        {"missing file", [](const std::string&) {}, E_FAIL, "cannot be opened"},
        {"text file", [](const std::string& p) { WriteBytes(p, Bytes(600, 'x')); }, E_FAIL,
         "not a compound file"},
        {"truncated compound file",
         [&](const std::string& p) { WriteBytes(p, Bytes(goodFile.begin(), goodFile.begin() + 700)); },
         E_FAIL, "not a compound file"},
        {"no graph stream", [](const std::string& p) { WriteCompound(p, "Contents", Bytes(40, 1)); },
         VFW_E_INVALID_FILE_FORMAT, "has no graph stream"},
        {"persisted data of other filters",
         [](const std::string& p) {
             WriteCompound(p, TGraphFile::kStreamName, Bytes{0x30, 0x30, 0x30, 0x32, 0x0D});
         },
         VFW_E_INVALID_FILE_FORMAT, "no graph this player saved"},
        {"truncated record",
         [&](const std::string& p) {
             WriteCompound(p, TGraphFile::kStreamName, Bytes(goodRecord.begin(), goodRecord.end() - 3));
         },
         VFW_E_INVALID_FILE_FORMAT, "no graph this player saved"},
        {"oversized stream",
         [](const std::string& p) {
             WriteCompound(p, TGraphFile::kStreamName, Bytes(TGraphFile::kMaxStreamSize + 1, 0));
         },
         VFW_E_INVALID_FILE_FORMAT, "no graph this player saved"},
    };
    for (const Case& c : cases) {
        const std::string path = folder_.File(std::string(c.name) + ".grf");
        c.make(path);
        graphLog_.Clear();
        TestGraph graph;

        EXPECT_EQ(files_.Load(&graph.Graph(), Wide(path)), c.expected) << c.name;

        EXPECT_TRUE(graph.Graph().Filters().empty()) << c.name;
        const std::string log = Log();
        EXPECT_EQ(log.rfind("<FAILURE Text=\"Graph file " + path, 0), 0u) << c.name << ": " << log;
        EXPECT_NE(log.find(c.reason), std::string::npos) << c.name << ": " << log;
    }
}

TEST_F(TGraphFileTest, AFilterTheCatalogueLacksFailsTheLoadWithAnEntry) {
    TGraphRecord record;
    record.filters.push_back({*Guid::Parse("{0BADC1A5-0000-0000-0000-000000000000}"), "Ghost", std::nullopt});
    const std::string path = folder_.File("ghost.grf");
    WriteCompound(path, TGraphFile::kStreamName, record.Encode());
    TestGraph graph;

    EXPECT_EQ(files_.Load(&graph.Graph(), Wide(path)), REGDB_E_CLASSNOTREG);

    EXPECT_NE(Log().find("Unable to add filter Ghost ({0BADC1A5-0000-0000-0000-000000000000})"),
              std::string::npos)
        << Log();
}

} // namespace
