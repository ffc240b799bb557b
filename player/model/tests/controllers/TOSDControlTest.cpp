// The on-screen message client: the script file's commands with their texts, durations and layers,
// the "Command" variable, the freeze around each command, the variables and the style order.
#include "player/model/controllers/TOSDControl.h"
#include "foundation/tests/TempDir.h"
#include "player/model/tests/controllers/ControllerTestSupport.h"

#include <string>

namespace {

using Calls = std::vector<std::string>;

// One order as the core read it, with the texts its pointers designate.
struct Sent {
    uint32_t order;
    std::u16string text, value; // 602: the text; 605: name and value
    int32_t duration = 0, layer = 0;
    uint32_t bytes = 0;
    bool operator==(const Sent&) const = default;
};

class TOSDControlTest : public TControllerTest {
protected:
    TOSDControlTest() {
        core_->during = [this](uint32_t order, void* record) {
            Sent sent{order, {}, {}, 0, 0, 0};
            if (order == kOrderOsdItem) {
                const auto& item = *static_cast<const TOrderOsdItem*>(record);
                EXPECT_EQ(item.type, kOsdItemText);
                sent.text = static_cast<const char16_t*>(item.data);
                sent.duration = item.duration;
                sent.layer = item.layer;
                sent.bytes = item.dataBytes;
            } else if (order == kOrderOsdVariable) {
                const auto& variable = *static_cast<const TOrderOsdVariable*>(record);
                sent.text = variable.name;
                sent.value = variable.value;
            }
            sent_.push_back(sent);
        };
    }

    std::vector<Sent> Take() { return std::exchange(sent_, {}); }

    static Sent Variable(std::u16string name, std::u16string value) {
        return {kOrderOsdVariable, std::move(name), std::move(value), 0, 0, 0};
    }
    static Sent Text(std::u16string text, int32_t duration, int32_t layer) {
        const auto bytes = static_cast<uint32_t>((text.size() + 1) * 2);
        return {kOrderOsdItem, std::move(text), {}, duration, layer, bytes};
    }

    TempDir folder_;
    TOSDControl osd_{hub_};
    std::vector<Sent> sent_;
};

const Sent kFreeze{kOrderFreezeMessages, {}, {}, 0, 0, 0};
const Sent kUnfreeze{kOrderUnfreezeMessages, {}, {}, 0, 0, 0};

TEST_F(TOSDControlTest, ShowsTheTextsOfACommandBetweenFreezeAndUnfreeze) {
    folder_.Write("osd.xml",
                  "<Other/>\n<osdscript>\n"
                  "  <Osd_Play><Text Duration=\"1500\" Layer=\"2\">Play &amp; go</Text>"
                  "<Bitmap>ignored.bmp</Bitmap><TEXT>$(Command) again</TEXT>"
                  "<Text Duration=\"123456789012345678901234567890123456789012345678901\">Long</Text>"
                  "<Text Layer=\"\"/></Osd_Play>\n"
                  "  <Osd_Volume><Text Layer=\"-3\">Volume : $(AudioVolume)</Text></Osd_Volume>\n"
                  "</osdscript>\n");
    ASSERT_TRUE(osd_.LoadScript(folder_.WPath("osd.xml").c_str()));
    EXPECT_TRUE(osd_.HasScript());

    EXPECT_TRUE(osd_.ShowCommand(u"OSD_PLAY")) << "command names compare without case";
    EXPECT_EQ(Take(), (std::vector<Sent>{Variable(u"Command", u"-"), kFreeze, Text(u"Play & go", 1500, 2),
                                         Text(u"$(Command) again", 0, 0), Text(u"Long", 0, 0), kUnfreeze}));
    EXPECT_TRUE(osd_.ShowCommand(u"Osd_Volume"));
    EXPECT_EQ(Take(), (std::vector<Sent>{Variable(u"Command", u"Volume : "), kFreeze,
                                         Text(u"Volume : $(AudioVolume)", 0, -3), kUnfreeze}));

    // A command of the default table that the script lacks only sets the variable.
    EXPECT_FALSE(osd_.ShowCommand(u"Osd_Stop"));
    EXPECT_EQ(Take(), std::vector<Sent>{Variable(u"Command", u"Stop")});
    EXPECT_FALSE(osd_.ShowCommand(nullptr));
    EXPECT_TRUE(Take().empty());
}

TEST_F(TOSDControlTest, AScriptThatBeginsWithAnXmlDeclarationKeepsItsRoot) {
    const std::u16string text = u"<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n"
                                u"<OSDSCRIPT><Osd_Pause><Text>Pause</Text></Osd_Pause></OSDSCRIPT>\r\n";
    std::string bytes = "\xFF\xFE";
    for (const char16_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    folder_.Write("osd.xml", bytes);
    ASSERT_TRUE(osd_.LoadScript(folder_.WPath("osd.xml").c_str()));
    EXPECT_TRUE(osd_.ShowCommand(u"Osd_Pause"));
    EXPECT_EQ(Take(),
              (std::vector<Sent>{Variable(u"Command", u"Pause"), kFreeze, Text(u"Pause", 0, 0), kUnfreeze}));
}

TEST_F(TOSDControlTest, WithoutAScriptNothingIsSent) {
    EXPECT_FALSE(osd_.ShowCommand(u"Osd_Play"));
    folder_.Write("osd.xml", "<OTHER><Osd_Play><Text>x</Text></Osd_Play></OTHER>");
    EXPECT_FALSE(osd_.LoadScript(folder_.WPath("osd.xml").c_str())) << "no OSDSCRIPT element";
    EXPECT_FALSE(osd_.LoadScript(folder_.WPath("missing.xml").c_str()));
    EXPECT_FALSE(osd_.LoadScript(nullptr));
    EXPECT_FALSE(osd_.HasScript());
    EXPECT_FALSE(osd_.ShowCommand(u"Osd_Play"));
    EXPECT_TRUE(Take().empty());
}

TEST_F(TOSDControlTest, VariablesAndStyle) {
    osd_.SetVariable(u"Angle", u"2");
    osd_.SetVariable(nullptr, u"2");
    osd_.SetVariable(u"Angle", nullptr);
    osd_.SetVariableFormat(u"ScanSpeed", u"%2.1f", 2.0);
    osd_.SetVariableFormat(u"Filename", u"%s", std::u16string(2000, u'x').c_str());
    const std::vector<Sent> sent = Take();
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(sent[0], Variable(u"Angle", u"2"));
    EXPECT_EQ(sent[1], Variable(u"ScanSpeed", u"2.0"));
    EXPECT_EQ(sent[2].value.size(), TOSDControl::kMaxFormattedUnits);
    core_->TakeOrders();

    TSubtitleStyleRecord style{};
    style.fontSize = 33;
    EXPECT_TRUE(osd_.SetStyle(&style, 2500, true));
    TOrderOsdStyle expected{};
    expected.flag = 1;
    std::memcpy(expected.style, &style, sizeof(style));
    expected.defaultDuration = 2500;
    expected.enabled = 1;
    EXPECT_EQ(OnlyOrder().record, Request(expected));

    core_->answers[kOrderOsdStyle] = -1;
    EXPECT_FALSE(osd_.SetStyle(nullptr, 0, false));
    EXPECT_EQ(OnlyOrder().record, Request(TOrderOsdStyle{}));
}

} // namespace
