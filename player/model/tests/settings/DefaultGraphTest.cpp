// The choice of the graph description for a medium: a DVD's default or custom graph, a media file's
// graph by the FourCC of a real AVI file, then by extension, then the default; and what the hub is
// told (the description and the graph variable "FileName").
#include "core/include/VokradOrders.h"
#include "foundation/tests/TempDir.h"
#include "platform/text/CodePage.h"
#include "player/model/hub/TPlayControl.h"
#include "player/model/settings/TTovrinConfig.h"
#include "player/model/tests/PlayerTestSupport.h"
#include "player/model/tests/RecordingCore.h"
#include "player/model/tests/settings/FakeHintSettings.h"
#include "player/model/tests/settings/SettingsRecordsTest.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using plat::text::AnsiToWide;

const std::string kClip = std::string(MEDIA_FIXTURES) + "/clip.avi"; // video handler XVID

class DefaultGraphTest : public SettingsRecordsTest {
protected:
    DefaultGraphTest() : core_(new TRecordingCore), globals_(std::unique_ptr<TSendToCore>(core_)) {
        config_.SetRootFolder(dir_.Path("Program"));
        fs::create_directories(config_.MediaGraphFolder());
        fs::create_directories(config_.DVDGraphFolder());
        EXPECT_EQ(hub_.CreatePlayer(), 0);
        core_->during = [this](uint32_t order, void* record) {
            if (order == kOrderGraphDescription) {
                graphs_.push_back(static_cast<const TOrderGraphDescription*>(record)->text);
            } else if (order == kOrderGraphVariable) {
                const auto* variable = static_cast<const TOrderGraphVariable*>(record);
                variables_.push_back(std::u16string(variable->name) + u"=" + variable->value);
            }
        };
    }

    // A graph file whose text names it, so that the text the hub sends tells which file was loaded.
    static void AddGraph(const std::string& folder, const std::string& name) {
        std::ofstream(folder + name, std::ios::binary) << "<GRAPH " + name + "/>";
    }

    std::u16string Find(std::int32_t kind, const std::u16string& file) const {
        const std::size_t dot = file.rfind(u'.');
        return config_.FindDefaultGraph(TTovrinConfig::kProduct, kind, file.c_str(),
                                        dot == std::u16string::npos ? nullptr : file.c_str() + dot);
    }

    TempDir dir_;
    FakeHintSettings hints_;
    TTovrinConfig config_{hints_};
    TRecordingCore* core_;
    TPlayerGlobalsScope globals_;
    TPlayControl hub_;
    std::vector<std::u16string> graphs_;
    std::vector<std::u16string> variables_;
};

TEST_F(DefaultGraphTest, AMediaFileTakesItsFourCCGraphThenItsExtensionGraphThenTheDefault) {
    ASSERT_TRUE(fs::exists(kClip));
    const std::string notAvi = dir_.Write("text.avi", "RIFF but not really");
    struct Case {
        const char* name;
        std::vector<std::string> files; // in the media graph folder
        std::string media;
        std::int32_t kind;
        std::string expected; // a file of the folder; empty for the default name
    };
    const Case cases[] = {
        {"FourCC first, names in any case",
         {"MEDIA.Tovrin.FourCC-44495658.DEFEXGR", "media.tovrin.ext-avi.defexgr"},
         kClip,
         1,
         "MEDIA.Tovrin.FourCC-44495658.DEFEXGR"},
        {"extension when no FourCC graph",
         {"media.tovrin.fourcc-31637661.defexgr", "Media.Tovrin.Ext-AVI.defexgr"},
         kClip,
         1,
         "Media.Tovrin.Ext-AVI.defexgr"},
        {"not an AVI: extension",
         {"media.tovrin.fourcc-00000000.defexgr", "media.tovrin.ext-avi.defexgr"},
         notAvi,
         1,
         "media.tovrin.ext-avi.defexgr"},
        {"the whole extension names the file",
         {"media.tovrin.ext-mkv.defexgr", "media.tovrin.ext-mk.defexgr"},
         "/films/movie.mkv",
         1,
         "media.tovrin.ext-mkv.defexgr"},
        {"no extension: default unchecked", {"media.tovrin.ext-.defexgr"}, "/films/movie", 1, ""},
        {"default found in any case",
         {"MEDIA.TOVRIN.DEFEXGR"},
         "/films/movie.ogg",
         1,
         "MEDIA.TOVRIN.DEFEXGR"},
        {"transcriber graphs",
         {"media.tovrin.fourcc-44495658.defexgr", "transcriber.tovrin.fourcc-44495658.defexgr"},
         kClip,
         2,
         "transcriber.tovrin.fourcc-44495658.defexgr"},
        {"transcriber default", {"media.tovrin.ext-avi.defexgr"}, kClip, 2, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(config_.MediaGraphFolder());
        fs::create_directories(config_.MediaGraphFolder());
        for (const std::string& file : c.files) {
            AddGraph(config_.MediaGraphFolder(), file);
        }
        const std::string fallback = c.kind == 1 ? "Media.tovrin.defexgr" : "Transcriber.tovrin.defexgr";
        EXPECT_EQ(Find(c.kind, AnsiToWide(c.media)),
                  AnsiToWide(config_.MediaGraphFolder() + (c.expected.empty() ? fallback : c.expected)));
    }
}

TEST_F(DefaultGraphTest, TheHubIsGivenTheGraphAndTheMediaAsFileName) {
    AddGraph(config_.MediaGraphFolder(), "media.tovrin.fourcc-44495658.defexgr");
    AddGraph(config_.MediaGraphFolder(), "media.tovrin.defexgr");
    AddGraph(config_.MediaGraphFolder(), "mine.xgr");

    const std::u16string clip = AnsiToWide(kClip);
    config_.LoadGraphForFile("ignored", &hub_, TConfigControl::kMediaFile, clip.c_str());
    // A dot in a folder's name is no extension.
    const std::u16string dotted = AnsiToWide(dir_.Path("my.films/movie"));
    config_.LoadGraphForFile("ignored", &hub_, TConfigControl::kMediaFile, dotted.c_str());
    VokradConfig().CustomMediaGraph = "MINE.XGR";
    config_.LoadGraphForFile("ignored", &hub_, TConfigControl::kMediaFile, clip.c_str());
    EXPECT_EQ(graphs_, (std::vector<std::u16string>{u"<GRAPH media.tovrin.fourcc-44495658.defexgr/>",
                                                    u"<GRAPH media.tovrin.defexgr/>", u"<GRAPH mine.xgr/>"}));
    EXPECT_EQ(variables_,
              (std::vector<std::u16string>{u"FileName=" + clip, u"FileName=" + dotted, u"FileName=" + clip}));

    config_.LoadGraphForFile("ignored", nullptr, TConfigControl::kMediaFile, clip.c_str());
    EXPECT_EQ(graphs_.size(), 3u);
}

TEST_F(DefaultGraphTest, ADiscTakesItsGraphAndTheDriveOrTheDiscAskedForOnce) {
    AddGraph(config_.DVDGraphFolder(), "DVD.Tovrin.DefExgr");
    AddGraph(config_.DVDGraphFolder(), "custom.exgr");

    // No custom graph, no drive: the default graph and no value.
    config_.LoadGraphForFile("ignored", &hub_, TConfigControl::kDvdMedia, nullptr);
    VokradConfig().Drive = "/media/cdrom";
    VokradConfig().CustomDVDGraph = "custom.exgr";
    config_.LoadGraphForFile("ignored", &hub_, TConfigControl::kDvdMedia, nullptr);
    EXPECT_EQ(graphs_,
              (std::vector<std::u16string>{u"<GRAPH DVD.Tovrin.DefExgr/>", u"<GRAPH custom.exgr/>"}));
    EXPECT_EQ(variables_, (std::vector<std::u16string>{u"FileName=", u"FileName=/media/cdrom/VIDEO_TS"}));

    // A disc override is used by the next DVD graph only; then the play folder, then the drive.
    variables_.clear();
    PlayerConfig().DiscOverridePending = true;
    PlayerConfig().DiscOverrideDrive = "/media/usbdvd/";
    PlayerConfig().PlayFolderSet = true;
    PlayerConfig().PlayFolder = "/films/DISC/VIDEO_TS";
    config_.LoadGraphForFile("ignored", &hub_, TConfigControl::kDvdMedia, nullptr);
    config_.LoadGraphForFile("ignored", &hub_, TConfigControl::kDvdMedia, nullptr);
    PlayerConfig().PlayFolderSet = false;
    config_.LoadGraphForFile("ignored", &hub_, TConfigControl::kDvdMedia, nullptr);
    EXPECT_EQ(variables_, (std::vector<std::u16string>{
                              u"FileName=/media/cdrom/VIDEO_TS", u"FileName=/media/usbdvd/VIDEO_TS",
                              u"FileName=/media/cdrom/VIDEO_TS", u"FileName=/films/DISC/VIDEO_TS",
                              u"FileName=/media/cdrom/VIDEO_TS"}));
    EXPECT_FALSE(PlayerConfig().DiscOverridePending);
}

} // namespace
