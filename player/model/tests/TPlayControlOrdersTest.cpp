// The request records the hub sends, byte for byte, and the answers it makes of the core's answers.
#include "core/include/VokradNotifications.h"
#include "platform/text/CodePage.h"
#include "platform/text/WideString.h"
#include "player/model/hub/TPlayControl.h"
#include "player/model/tests/EventRecorder.h"
#include "player/model/tests/FakeControllers.h"
#include "player/model/tests/PlayerTestSupport.h"
#include "player/model/tests/RecordingCore.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>

namespace {

namespace fs = std::filesystem;
using Calls = std::vector<std::string>;

class TPlayControlOrders : public testing::Test {
protected:
    TPlayControlOrders() : core_(new TRecordingCore), globals_(std::unique_ptr<TSendToCore>(core_)) {
        EXPECT_EQ(hub_.CreatePlayer(), 0);
        ErrorControl()->AddListener(&errors_, 1, &TEventRecorder::Callback);
        log_.Take();
    }

    // The one order sent since the last call.
    TRecordingCore::TOrder OnlyOrder() {
        auto orders = core_->TakeOrders();
        EXPECT_EQ(orders.size(), 1u);
        return orders.empty() ? TRecordingCore::TOrder{} : orders[0];
    }

    TControllerLog log_;
    TFakeFactory factory_{log_,
                          {"Video", "Bookmarks", "Audio", "Subs", "Angles", "UOPS", "Profile", "Titles",
                           "Filters", "DVDInfo"}}; // the on-screen messages only
    TRecordingCore* core_;
    TPlayerGlobalsScope globals_;
    TPlayControl hub_{&factory_};
    TEventRecorder errors_;
};

template <class Record> std::vector<uint8_t> Request(Record record) {
    record.head = {0, static_cast<uint32_t>(sizeof(Record))};
    return BytesOf(record);
}

TEST_F(TPlayControlOrders, FixedRecords) {
    struct Case {
        const char* operation;
        std::function<int32_t()> call;
        uint32_t order;
        std::vector<uint8_t> record;
    };
    const char16_t* graphFile = u"/tmp/saved.grf";
    const Case cases[] = {
        {"Step", [&] { return hub_.Step(-2); }, kOrderFrameStep, Request(TOrderFrameStep{{}, -2})},
        {"SeekTo", [&] { return hub_.SeekTo(90000); }, kOrderPlayAtTime,
         Request(TOrderPlayAtTime{{}, 90000})},
        {"Jump", [&] { return hub_.Jump(-5000); }, kOrderRelativeSeek,
         Request(TOrderRelativeSeek{{}, -5000})},
        {"ShowMenu", [&] { return hub_.ShowMenu(3); }, kOrderDvdMenu, Request(TOrderDvdMenu{{}, 3, {}})},
        {"MenuButton", [&] { return hub_.MenuButton(4); }, kOrderDvdButton,
         Request(TOrderDvdButton{{}, 4, {}})},
        {"SetProfileTitle", [&] { return hub_.SetProfileTitle(-1); }, kOrderProfileTitle,
         Request(TOrderProfileTitle{{}, -1})},
        {"SetStyleOverride", [&] { return hub_.SetStyleOverride(2, 1, -1); }, kOrderStyleOverride,
         Request(TOrderStyleOverride{{}, 2, 1, -1})},
        {"SaveGraph", [&] { return hub_.SaveGraph(graphFile); }, kOrderSaveGraph,
         Request(TOrderSaveGraph{{}, graphFile})},
        {"SetLogFile",
         [&] { return hub_.SetLogFile("core.log"); },
         kOrderLogFile,
         {'c', 'o', 'r', 'e', '.', 'l', 'o', 'g', 0}},
        {"PlayAtTimeInTitle", [&] { return hub_.PlayAtTimeInTitle(3, 2, 0x04030201); },
         kOrderPlayAtTimeInTitle, Request(TOrderPlayAtTimeInTitle{{}, 3, 2, {}, 0x04030201})},
        {"PlayAtTimeInTitle packed", [&] { return hub_.PlayAtTimeInTitle(3 * 255 + 5, 9, 7); },
         kOrderPlayAtTimeInTitle, Request(TOrderPlayAtTimeInTitle{{}, 3, 5, {}, 7})},
        {"PlayAtTimeInTitle current", [&] { return hub_.PlayAtTimeInTitle(0, -1, 7); },
         kOrderPlayAtTimeInTitle, Request(TOrderPlayAtTimeInTitle{{}, 6, 8, {}, 7})},
    };
    PostAndDeliver(hub_.Window(), kMsgCoreTitleChapter, kTitleChapterTitle, 6);
    PostAndDeliver(hub_.Window(), kMsgCoreTitleChapter, kTitleChapterChapter, 8);
    core_->TakeOrders();
    for (const Case& c : cases) {
        EXPECT_EQ(c.call(), 0) << c.operation;
        const auto sent = OnlyOrder();
        EXPECT_EQ(sent.order, c.order) << c.operation;
        EXPECT_EQ(sent.record, c.record) << c.operation;
    }
    EXPECT_EQ(hub_.SaveGraph(u""), -1);
    EXPECT_EQ(hub_.SaveGraph(nullptr), -1);
    EXPECT_TRUE(core_->TakeOrders().empty());
}

TEST_F(TPlayControlOrders, AnswersReadBackFromTheCore) {
    core_->writeBack[kOrderPlayState] = BytesOf(kPlayStateScanning);
    EXPECT_EQ(hub_.GetPlayState(), kPlayStateScanning);
    EXPECT_EQ(OnlyOrder().record, Request(TOrderPlayState{}));
    core_->answers[kOrderPlayState] = -1;
    EXPECT_EQ(hub_.GetPlayState(), 0u);
    core_->TakeOrders();

    for (const auto& [answer, expected] : {std::pair{81234, 81234}, std::pair{-1, 0}}) {
        core_->answers[kOrderClockTime] = answer;
        EXPECT_EQ(hub_.GetTimeCode(), expected);
        EXPECT_TRUE(OnlyOrder().record.empty());
    }

    core_->blocks[kOrderCurrentPicture] = {1, 2, 3};
    void* image = nullptr;
    EXPECT_TRUE(hub_.GetCurrentImage(&image));
    EXPECT_TRUE(OnlyOrder().out);
    EXPECT_EQ(hub_.FreeData(&image), 0);
    EXPECT_FALSE(hub_.GetCurrentImage(nullptr));
    core_->answers[kOrderCurrentPicture] = -1;
    EXPECT_FALSE(hub_.GetCurrentImage(&image));
    core_->TakeOrders();

    TOrderCapturedFrame frame{};
    static const uint8_t pixels[4] = {};
    frame.pixels = pixels;
    frame.byteSize = 4;
    frame.frameNumberOut = 9;
    frame.width = 640;
    auto* frameBytes = reinterpret_cast<const uint8_t*>(&frame);
    core_->writeBack[kOrderCapturedFrame] = std::vector<uint8_t>(frameBytes + 8, frameBytes + sizeof(frame));
    const void* address = nullptr;
    uint32_t size = 0;
    std::array<uint8_t, TPlayControl::kFrameInfoBytes> info{};
    EXPECT_EQ(hub_.GetCapturedFrame(9, &address, &size, &info), 0);
    EXPECT_EQ(OnlyOrder().record, Request(TOrderCapturedFrame{{}, 9, nullptr, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(address, pixels);
    EXPECT_EQ(size, 4u);
    EXPECT_TRUE(std::equal(info.begin(), info.end(), frameBytes + offsetof(TOrderCapturedFrame, unused)));
    core_->answers[kOrderCapturedFrame] = -1;
    EXPECT_EQ(hub_.GetCapturedFrame(9, &address, &size, &info), -1);
}

TEST_F(TPlayControlOrders, GraphVariablesAreCutToTheirFields) {
    const std::u16string name150(150, u'n'), value256(256, u'v');
    struct Case {
        const char16_t* name;
        const char16_t* value;
        std::u16string sentName;
        std::u16string sentValue;
    };
    const std::u16string name151 = name150 + u"X", value257 = value256 + u"X";
    for (const Case& c :
         {Case{u"FileName", u"/media/film.mkv", u"FileName", u"/media/film.mkv"},
          Case{name151.c_str(), value257.c_str(), name150, value256}, Case{nullptr, nullptr, u"", u""}}) {
        EXPECT_EQ(hub_.SetGraphVariable(c.name, c.value), 0);
        const auto sent = OnlyOrder();
        ASSERT_EQ(sent.record.size(), sizeof(TOrderGraphVariable));
        TOrderGraphVariable record;
        std::memcpy(&record, sent.record.data(), sizeof(record));
        EXPECT_EQ(record.head.size, sizeof(TOrderGraphVariable));
        EXPECT_EQ(record.name, c.sentName);
        EXPECT_EQ(record.value, c.sentValue);
    }
}

TEST_F(TPlayControlOrders, ScanSpeedWalksTheTableBothWays) {
    EXPECT_EQ(hub_.ScanSpeed(1), -1); // no table
    hub_.SetScanSpeedCount(4);
    for (int32_t i = 0; i < 5; ++i) {
        hub_.SetScanSpeed(i, 1 << i); // 1, 2, 4, 8; index 4 is outside
    }
    struct Case {
        int32_t step;
        int32_t index;
        double rate;
        int32_t rateX1000;
        const char* text;
        const char* command;
    };
    const Case cases[] = {
        {1, 1, 2, 2000, "2.0", "Osd_FF"},    {1, 2, 4, 4000, "4.0", "Osd_FF"},
        {1, 3, 8, 8000, "8.0", "Osd_FF"},    {1, 0, 1, 1000, "1.0", "Osd_FF"},
        {-1, -1, 2, -2000, "2.0", "Osd_FB"}, {-1, -2, 4, -4000, "4.0", "Osd_FB"},
        {-1, -3, 8, -8000, "8.0", "Osd_FB"}, {-1, 0, 1, 1000, "1.0", "Osd_FF"},
        {6, 0, 1, 1000, "1.0", "Osd_FF"},
    };
    for (const Case& c : cases) {
        double rate = 0;
        EXPECT_EQ(hub_.ScanSpeed(c.step, &rate), 0);
        EXPECT_EQ(hub_.ScanSpeedIndex(), c.index);
        EXPECT_EQ(rate, c.rate);
        EXPECT_EQ(OnlyOrder().record, Request(TOrderRate{{}, c.rateX1000}));
        EXPECT_EQ(log_.Take(), (Calls{std::string("OSD.SetVariable(ScanSpeed, ") + c.text + ")",
                                      std::string("OSD.ShowCommand(") + c.command + ")"}));
    }
    hub_.SetScanSpeed(1, 0.0004);
    hub_.ScanSpeed(1);
    EXPECT_EQ(OnlyOrder().record, Request(TOrderRate{{}, 0})); // the nearest integer
}

class TGraphFolder {
public:
    TGraphFolder() { fs::create_directories(path_); }
    ~TGraphFolder() { fs::remove_all(path_); }
    std::u16string Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(path_ / name, std::ios::binary) << bytes;
        return File(name);
    }
    std::u16string File(const std::string& name) const {
        return plat::text::AnsiToWide((path_ / name).string());
    }

private:
    fs::path path_ = fs::temp_directory_path() / ("player_model_graphs_" + std::to_string(::getpid()));
};

// A graph description saved as UTF-16 with its byte-order mark reaches the core as the same text.
TEST_F(TPlayControlOrders, UnicodeGraphDescriptionsAreReadAsUnicode) {
    TGraphFolder folder;
    const std::u16string text = u"<GRAPH><PARAM value=\"\u00E9\u4E2D\"/></GRAPH>";
    std::string bytes = "\xFF\xFE";
    for (char16_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    std::u16string sentText;
    core_->during = [&](uint32_t order, void* record) {
        sentText =
            order == kOrderGraphDescription ? static_cast<const TOrderGraphDescription*>(record)->text : u"";
    };
    const std::u16string path = folder.Write("unicode.defexgr", bytes);
    EXPECT_EQ(hub_.LoadGraphScript(path.c_str()), 0);
    EXPECT_EQ(sentText, text);
}

TEST_F(TPlayControlOrders, GraphDescriptionsAreSentByTheirExtension) {
    TGraphFolder folder;
    struct Case {
        std::string name;
        uint32_t kind;
    };
    const Case cases[] = {{"a.XGR", 1},        {"a.exgr", 1}, {"a.DefExgr", 1},    {"a.dvdgraph", 3},
                          {"a.MediaGraph", 3}, {"a.txt", 0},  {"dir.xgr/a.grf", 2}};
    std::u16string sentText;
    core_->during = [&](uint32_t order, void* record) {
        const auto* description = static_cast<const TOrderGraphDescription*>(record);
        sentText = order == kOrderGraphDescription ? description->text : u"";
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::u16string path =
            c.kind == 2 ? folder.File(c.name) : folder.Write(c.name, "<GRAPH \xC3\xA9/>");
        EXPECT_EQ(hub_.LoadGraphScript(path.c_str()), 0);
        const auto sent = OnlyOrder();
        TOrderGraphDescription record;
        ASSERT_EQ(sent.record.size(), sizeof(record));
        std::memcpy(&record, sent.record.data(), sizeof(record));
        EXPECT_EQ(record.head.size, sizeof(record));
        EXPECT_EQ(record.kind, c.kind);
        EXPECT_EQ(sentText, c.kind == 2 ? path : u"<GRAPH \u00E9/>");
        const Calls osd =
            c.kind == 2 ? Calls{} : Calls{"OSD.SetVariable(XGRScript, " + plat::text::WideToAnsi(path) + ")"};
        EXPECT_EQ(log_.Take(), osd);
    }

    EXPECT_EQ(hub_.LoadGraphScript(u"no-extension"), 0);
    EXPECT_EQ(hub_.LoadGraphScript(u""), -1);
    EXPECT_EQ(hub_.LoadGraphScript(nullptr), -1);
    EXPECT_TRUE(core_->TakeOrders().empty());
    EXPECT_TRUE(errors_.events.empty());

    const std::u16string missing = folder.File("missing.xgr");
    EXPECT_EQ(hub_.LoadGraphScript(missing.c_str()), -1);
    EXPECT_TRUE(core_->TakeOrders().empty());
    EXPECT_EQ(errors_.events,
              (std::vector{TRecordedEvent{kEventError, 0, 0, 0,
                                          u"::PC::LXGR:: Unable to load the DS Graph Script file (" +
                                              missing + u")"}}));
}

TEST_F(TPlayControlOrders, NamesKeptByTheHub) {
    char16_t buffer[8];
    int32_t length = -1;
    EXPECT_FALSE(hub_.GetFileName(nullptr, &length));
    hub_.SetFileName(u"");
    EXPECT_FALSE(hub_.GetFileName(nullptr, &length));
    EXPECT_TRUE(log_.Take().empty());

    hub_.SetFileName(u"film.mkv");
    EXPECT_EQ(log_.Take(), Calls{"OSD.SetVariable(Filename, film.mkv)"});
    EXPECT_TRUE(hub_.GetFileName(nullptr, &length));
    EXPECT_EQ(length, 8);
    struct Case {
        int32_t room;
        std::u16string copied; // and a terminator when there was room for one
    };
    for (const Case& c : {Case{4, u"film"}, Case{8, u"film.mkv"}}) {
        std::fill(std::begin(buffer), std::end(buffer), u'#');
        length = c.room;
        EXPECT_TRUE(hub_.GetFileName(buffer, &length));
        EXPECT_EQ(std::u16string(buffer, c.copied.size()), c.copied);
        if (c.copied.size() < 8) {
            EXPECT_EQ(buffer[c.copied.size()], u'#');
        }
    }
    char16_t roomy[16];
    length = 16;
    EXPECT_TRUE(hub_.GetFileName(roomy, &length));
    EXPECT_EQ(std::u16string(roomy), u"film.mkv");
    EXPECT_FALSE(hub_.GetFileName(roomy, nullptr));

    EXPECT_EQ(hub_.GetGraphText(nullptr), -1);
    hub_.SetDiscFolder(u"");
    EXPECT_FALSE(hub_.GetDiscFolder(nullptr));
}

} // namespace
