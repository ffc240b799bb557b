// Graph descriptions built on real pipelines through the core's orders: filters, source files, direct
// and intelligent connections, rendering, the sample grabber, forbidden filters and merit changes with
// the undo log, the request to register the graph, and descriptions that cannot give a playable graph.
#include "core/include/VokradNotifications.h"
#include "core/include/VokradOrders.h"
#include "core/src/filters/TFilterServices.h"
#include "core/src/filters/TMeritUndoLog.h"
#include "core/tests/engine/EnginePlayer.h"
#include "platform/media/FilterCatalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace {

using plat::media::FilterCatalogue;

constexpr char16_t kFileSource[] = u"{E436EBB5-524F-11CE-9F53-0020AF0BA770}";
constexpr char16_t kAviSplitter[] = u"{1B544C20-FD0B-11CE-8C63-00AA0044B51E}";
constexpr char16_t kVideoRenderer[] = u"{70E102B0-5556-11CE-97C0-00AA0055595A}";
constexpr char16_t kAudioRenderer[] = u"{79376820-07D0-11CF-A24D-444553540000}";

std::u16string ClassOf(const char* factory) {
    return EnginePlayer::Wide(FilterCatalogue::ClassIdForFactory(factory).ToString());
}

std::u16string DisplayNameOf(const char* factory) {
    static const FilterCatalogue catalogue;
    return EnginePlayer::Wide(FilterCatalogue::DisplayName(*catalogue.FindByFactoryName(factory)));
}

std::u16string Graph(const std::u16string& steps) {
    return u"<GRAPH version=\"1.0\">\r\n" + steps + u"</GRAPH>";
}

std::u16string Filter(const std::u16string& id, const std::u16string& clsid) {
    return u"<FILTER ID=\"" + id + u"\" clsid=\"" + clsid + u"\"/>\r\n";
}

std::u16string SetFileName(const std::u16string& id) {
    return u"<SETFILENAME FILTERID=\"" + id + u"\" FILE=\"##TOVVAR:FileName##\"/>\r\n";
}

std::u16string Connect(const std::u16string& source, const std::u16string& sourcePin,
                       const std::u16string& dest, const std::u16string& destPin,
                       const std::u16string& direct) {
    return u"<CONNECT src=\"" + source + u"\" srcpin=\"" + sourcePin + u"\" dest=\"" + dest +
           u"\" destpin=\"" + destPin + u"\" Direct=\"" + direct + u"\"/>\r\n";
}

bool Contains(const std::u16string& text, const std::u16string& part) {
    return text.find(part) != std::u16string::npos;
}

std::uint32_t MeritOf(const std::string& folder, const char* factory) {
    TFilterServices services(folder);
    std::uint32_t merit = 0xDEADBEEF;
    services.Merits().ReadMeritByName(DisplayNameOf(factory), merit);
    return merit;
}

TEST(TGraphEngineDescriptionTest, FiltersSourcesConnectionsAndRenderingMakeAPlayableGraph) {
    EnginePlayer player;
    const std::u16string xgr =
        Graph(Filter(u"Source", kFileSource) + SetFileName(u"Source") + Filter(u"Splitter", kAviSplitter) +
              Filter(u"Screen", kVideoRenderer) + Filter(u"Speaker", kAudioRenderer) +
              Connect(u"Source", u"Output", u"Splitter", u"Input", u"yes") +
              Connect(u"Splitter", u"video_%u", u"Screen", u"sink", u"no") +
              u"<RENDEREX id=\"Splitter\" pin=\"audio_%u\"/>\r\n<ADDTOROT/>\r\n");
    player.Describe(xgr, EnginePlayer::Fixture("clip.avi"));
    ASSERT_EQ(player.Send(kOrderPlay), 0) << testing::PrintToString(player.Texts());
    const std::u16string log = player.GraphLog();
    for (const std::u16string& entry :
         {std::u16string(
              u"<SUCCESS Text=\"Filter Added to Graph : File Source (Async) (Source)\"></SUCCESS>"),
          std::u16string(u"<SUCCESS Text=\"Filter Added to Graph : AVI Splitter (Splitter)\"></SUCCESS>"),
          std::u16string(u"<SUCCESS Text=\"Filter Added to Graph : Video Renderer (Screen)\"></SUCCESS>"),
          std::u16string(u"<FAILURE Text=\"Unable to find the source PIN (Output)\"></FAILURE>"),
          std::u16string(u"<INFO Text=\"Try to get the first output pin instead\"></INFO>"),
          std::u16string(u"<FAILURE Text=\"Unable to find the Destination PIN (Input)\"></FAILURE>"),
          std::u16string(u"<SUCCESS Text=\"Success\"></SUCCESS>"),
          std::u16string(
              u"<INFO Text=\"Graph not added to R.O.T.: there is no Running Object Table\"></INFO>"),
          std::u16string(u"<INFO Text=\"Graph Building Finished\"></INFO>\r\n</GRAPHLOG>")}) {
        EXPECT_TRUE(Contains(log, entry)) << std::string(entry.begin(), entry.end());
    }
    EXPECT_FALSE(Contains(log, u"Graph Added to R.O.T."));
    EXPECT_EQ(std::count(log.begin(), log.end(), u'\n'), std::count(log.begin(), log.end(), u'\r'));
    EXPECT_FALSE(Contains(log, u"GRAPH CREATION FAILED"));
    EXPECT_EQ(player.Volume(-1000), -1000); // the audio renderer of the description plays the sound
    EXPECT_TRUE(Contains(player.FilterList(), u"<Name>Video Renderer</Name>"));
    // The media name of order 302: an unset tag, the size word 12, the name with its terminator.
    void* out = nullptr;
    ASSERT_EQ(player.Send(kOrderMediaName, nullptr, &out), 0);
    const auto* name = static_cast<const std::uint8_t*>(out);
    std::uint32_t sizeWord = 0;
    std::memcpy(&sizeWord, name + 4, sizeof(sizeWord));
    EXPECT_EQ(sizeWord, 12u);
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(name + 8)),
              EnginePlayer::Wide(EnginePlayer::Fixture("clip.avi")));
    std::free(out);
    ASSERT_EQ(player.Send(kOrderMediaContent, nullptr, &out), 0);
    EXPECT_TRUE(std::u16string(static_cast<const char16_t*>(out)).starts_with(u"<MEDIACONTENT>\r\n"));
    std::free(out);
    ASSERT_TRUE(EnginePlayer::PumpUntil([&] { return player.HasStatus(kStatusEndOfMedia); }));
}

TEST(TGraphEngineDescriptionTest, RenderingEveryPinOfEveryFilterPlaysTheFile) {
    EnginePlayer player;
    player.Describe(Graph(Filter(u"Source", kFileSource) + SetFileName(u"Source") +
                          u"<RENDER id=\"All\" pin=\"All\"/>\r\n"),
                    EnginePlayer::Fixture("clip.ogg"));
    ASSERT_EQ(player.Send(kOrderPlay), 0) << testing::PrintToString(player.Texts());
    EXPECT_TRUE(Contains(player.GraphLog(), u"RENDERALLPIN : PIN Rendered Successfully"));
    EXPECT_TRUE(Contains(player.FilterList(), u"<Name>Audio Renderer</Name>"));
}

// The video of the mpeg clip connected to a video renderer through whatever decoder fits; `between`
// comes before that connection.
std::u16string MpegGraphSteps(const std::u16string& between) {
    return Filter(u"Source", kFileSource) + SetFileName(u"Source") +
           Filter(u"Demux", ClassOf("mpegpsdemux")) + Filter(u"Screen", kVideoRenderer) +
           Connect(u"Source", u"src", u"Demux", u"sink", u"Yes") + between +
           Connect(u"Demux", u"video_%02x", u"Screen", u"sink", u"No");
}

// mpeg2 video has three decoders; the one of lowest rank is taken only while the others are forbidden.
TEST(TGraphEngineDescriptionTest, AForbiddenDecoderMakesConnectionTakeAnotherForOneBuild) {
    EnginePlayer player;
    const std::uint32_t merit = MeritOf(player.Folder(), "avdec_mpeg2video");
    const auto xgr = [](const std::u16string& forbid) { return Graph(MpegGraphSteps(forbid)); };
    player.Describe(xgr(u""), EnginePlayer::Fixture("clip.mpg"));
    ASSERT_EQ(player.Send(kOrderPlay), 0) << testing::PrintToString(player.Texts());
    EXPECT_TRUE(Contains(player.FilterList(), ClassOf("avdec_mpeg2video")));
    ASSERT_EQ(player.Send(kOrderStop), 0);

    const std::uint32_t otherMerit = MeritOf(player.Folder(), "avdec_mpegvideo");
    player.Describe(xgr(u"<FORBIDFILTER DisplayName=\"" + DisplayNameOf("avdec_mpeg2video") + u"\"/>\r\n" +
                        u"<FORBIDFILTER DisplayName=\"" + DisplayNameOf("avdec_mpegvideo") + u"\"/>\r\n"));
    ASSERT_EQ(player.Send(kOrderPlay), 0) << testing::PrintToString(player.Texts());
    EXPECT_TRUE(Contains(player.GraphLog(), u"<INFO Text=\"Forbid Usage of the following filter " +
                                                DisplayNameOf("avdec_mpegvideo") +
                                                u"\">\r\n      <SUCCESS Text=\"Success\"></SUCCESS>"));
    const std::u16string filters = player.FilterList();
    EXPECT_TRUE(Contains(filters, ClassOf("mpeg2dec")));
    EXPECT_FALSE(Contains(filters, ClassOf("avdec_mpeg2video")));
    // The merit came back once the description had run, and the undo log is gone.
    EXPECT_EQ(MeritOf(player.Folder(), "avdec_mpeg2video"), merit);
    EXPECT_EQ(MeritOf(player.Folder(), "avdec_mpegvideo"), otherMerit);
    EXPECT_FALSE(std::filesystem::exists(TMeritUndoLog(player.Folder()).Path()));
}

TEST(TGraphEngineDescriptionTest, ABuildUndoesTheMeritsACrashLeftLoweredAndKeepsMeritChanges) {
    EnginePlayer player;
    const std::uint32_t merit = MeritOf(player.Folder(), "avdec_mpeg2video");
    {
        // A build that ended with the process: the merit is still 0 and the undo log remains.
        TFilterServices crashed(player.Folder());
        ASSERT_TRUE(crashed.Merits().ForbidFilterByName(DisplayNameOf("avdec_mpeg2video")));
    }
    ASSERT_EQ(MeritOf(player.Folder(), "avdec_mpeg2video"), 0u);
    player.Describe(Graph(u"<CHANGEMERIT DisplayName=\"" + DisplayNameOf("fakesink") +
                          u"\" Merit=\"2097152\"/>\r\n" + MpegGraphSteps(u"")),
                    EnginePlayer::Fixture("clip.mpg"));
    ASSERT_EQ(player.Send(kOrderPlay), 0) << testing::PrintToString(player.Texts());
    EXPECT_EQ(MeritOf(player.Folder(), "avdec_mpeg2video"), merit);
    EXPECT_FALSE(std::filesystem::exists(TMeritUndoLog(player.Folder()).Path()));
    EXPECT_TRUE(Contains(player.FilterList(), ClassOf("avdec_mpeg2video")));
    EXPECT_EQ(MeritOf(player.Folder(), "fakesink"), 2097152u);
}

TEST(TGraphEngineDescriptionTest, AMultimediaStreamGraphPlaysTheVideoOnly) {
    EnginePlayer player;
    player.Describe(Graph(u"<CREATEMULTIMEDIAGRAPH/>\r\n"), EnginePlayer::Fixture("clip.mp4"));
    ASSERT_EQ(player.Send(kOrderPlay), 0) << testing::PrintToString(player.Texts());
    const std::u16string filters = player.FilterList();
    EXPECT_TRUE(Contains(filters, u"<Name>Video Renderer</Name>"));
    EXPECT_FALSE(Contains(filters, u"<Name>Audio Renderer</Name>"));
    EXPECT_TRUE(Contains(player.GraphLog(), u"Filter Added to Graph : Video Renderer (Video Renderer)"));

    ASSERT_EQ(player.Send(kOrderStop), 0);
    player.Describe(Graph(u"<CREATEMULTIMEDIAGRAPH/>\r\n"), "/no/such/clip.mp4");
    EXPECT_EQ(player.Send(kOrderPlay), -1);
    EXPECT_TRUE(Contains(player.GraphLog(), u"GRAPH CREATION FAILED"));
}

TEST(TGraphEngineDescriptionTest, ASavedGraphFileBuildsTheSameGraphAgain) {
    EnginePlayer player;
    const std::u16string file = EnginePlayer::Wide(player.Folder() + "/saved.grf");
    TOrderSaveGraph save{{0, sizeof(TOrderSaveGraph)}, file.c_str()};
    EXPECT_EQ(player.Send(kOrderSaveGraph, &save), -1); // no graph yet
    player.Describe(Graph(MpegGraphSteps(u"")), EnginePlayer::Fixture("clip.mpg"));
    ASSERT_EQ(player.Send(kOrderPlay), 0) << testing::PrintToString(player.Texts());
    const std::u16string filters = player.FilterList();
    ASSERT_EQ(player.Send(kOrderSaveGraph, &save), 0);
    ASSERT_EQ(player.Send(kOrderStop), 0);

    TOrderGraphDescription description{{0, sizeof(TOrderGraphDescription)}, 2, file.c_str()};
    ASSERT_EQ(player.Send(kOrderGraphDescription, &description), 0);
    ASSERT_EQ(player.Send(kOrderPlay), 0) << testing::PrintToString(player.Texts());
    const std::u16string log = player.GraphLog();
    EXPECT_TRUE(Contains(log, u"<INFO Text=\"Loading GRF file : " + file + u"\">"));
    EXPECT_FALSE(Contains(log, u"FAILURE"));
    EXPECT_EQ(player.FilterList(), filters);
}

struct BadCase {
    const char* name;
    std::u16string xgr;
    std::string file;
    int playAnswer;
    std::vector<std::u16string> entries;
    std::vector<std::string> texts;
};

std::vector<BadCase> BadCases() {
    const std::u16string renderFile = u"<RENDERFILE Filename=\"##TOVVAR:FileName##\"/>\r\n";
    return {
        {"a missing file",
         Graph(Filter(u"Source", kFileSource) + SetFileName(u"Source") + renderFile),
         "/no/such/folder/clip.avi",
         -1,
         {u"<FAILURE Text=\"File Not Found\"></FAILURE>",
          u"<FAILURE Text=\"GRAPH CREATION FAILED\"></FAILURE>"},
         {"File Not Found"}},
        {"a corrupt file",
         Graph(renderFile),
         EnginePlayer::Fixture("corrupt.mp4"),
         -1,
         {u"Unable to preroll the graph", u"<FAILURE Text=\"GRAPH CREATION FAILED\"></FAILURE>"},
         {"Unable to playback file."}},
        {"an unknown class id",
         Graph(Filter(u"Mystery", u"{01234567-89AB-CDEF-0123-456789ABCDEF}") + renderFile),
         EnginePlayer::Fixture("clip.avi"),
         0,
         {u"<FAILURE Text=\"Filter Friendly Name Not Found\"></FAILURE>",
          u"<FAILURE Text=\"Unable to Create Filter Instance : Mystery\"></FAILURE>"},
         {}},
        {"a pin name that never appears",
         Graph(Filter(u"Source", kFileSource) + SetFileName(u"Source") + Filter(u"Splitter", kAviSplitter) +
               Filter(u"Screen", kVideoRenderer) + Connect(u"Source", u"src", u"Splitter", u"sink", u"Yes") +
               Connect(u"Splitter", u"video_7", u"Screen", u"sink", u"No")),
         EnginePlayer::Fixture("clip.avi"),
         -1,
         {u"Unable to preroll the graph (VFW_E_NOT_FOUND)",
          u"<FAILURE Text=\"GRAPH CREATION FAILED\"></FAILURE>"},
         {"An object or name was not found."}},
        {"malformed XML",
         u"<GRAPH version=\"1.0\"><FILTER ID=\"Source\" clsid=\"{E436EBB5-524F-11CE",
         EnginePlayer::Fixture("clip.avi"),
         0,
         {u"<INFO Text=\"Graph Building Finished\"></INFO>"},
         {}},
    };
}

TEST(TGraphEngineDescriptionTest, BadInputGivesItsLogEntriesAndMessagesWithoutHanging) {
    for (const BadCase& row : BadCases()) {
        SCOPED_TRACE(row.name);
        EnginePlayer player;
        player.Describe(row.xgr, row.file);
        EXPECT_EQ(player.Send(kOrderPlay), row.playAnswer);
        const std::u16string log = player.GraphLog();
        for (const std::u16string& entry : row.entries) {
            EXPECT_TRUE(Contains(log, entry)) << std::string(entry.begin(), entry.end());
        }
        EXPECT_TRUE(log.ends_with(u"</GRAPHLOG>"));
        EXPECT_TRUE(player.HasStatus(kStatusGraphBuilt));
        const std::vector<std::string> texts = player.Texts();
        for (const std::string& text : row.texts) {
            EXPECT_NE(std::find(texts.begin(), texts.end(), text), texts.end())
                << testing::PrintToString(texts);
        }
    }
}

} // namespace
