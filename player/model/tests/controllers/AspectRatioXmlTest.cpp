// The ASPECTRATIO document: the exact bytes written, the settings read back, and the defaults and
// rules of the reader.
#include "player/model/controllers/AspectRatioXml.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr TScreenSize kScreen{1280, 1024};

std::string Written(const TAspectSettings& settings) {
    TMemoryObject buffer(64);
    EXPECT_TRUE(WriteAspectRatioXml(&buffer, &settings));
    return std::string(buffer.Data, static_cast<size_t>(buffer.Used));
}

TAspectSettings Read(const std::u16string& text, TAspectSettings settings = {}) {
    EXPECT_EQ(ParseAspectRatioXml(text.c_str(), &settings, kScreen), 1);
    return settings;
}

std::u16string Wide(const std::string& bytes) {
    return std::u16string(bytes.begin(), bytes.end());
}

TEST(AspectRatioXml, WritesTheDocumentByteForByte) {
    const TAspectSettings settings{2,  720, 576, 1, 1024, 768, 32, 75, 0,        -5,
                                   10, 640, 480, 1, 1,    2,   3,  4,  0x00FF00, 1};
    const std::string expected = "<ASPECTRATIO>\r\n"
                                 "  <Mode>Crop</Mode>\r\n"
                                 "\r\n"
                                 "  <CustomRes>\r\n"
                                 "    <Width>720</Width>\r\n"
                                 "    <Height>576</Height>\r\n"
                                 "  </CustomRes>\r\n"
                                 "\r\n"
                                 "  <ResolutionSwitch InUse=\"1\">\r\n"
                                 "    <Width>1024</Width>\r\n"
                                 "    <Height>768</Height>\r\n"
                                 "    <Bits>32</Bits>\r\n"
                                 "    <Frequency>75</Frequency>\r\n"
                                 "  </ResolutionSwitch>\r\n"
                                 "\r\n"
                                 "  <PosAndSize InUse=\"0\">\r\n"
                                 "    <Left>-5</Left>\r\n"
                                 "    <Top>10</Top>\r\n"
                                 "    <Width>640</Width>\r\n"
                                 "    <Height>480</Height>\r\n"
                                 "  </PosAndSize>\r\n"
                                 "\r\n"
                                 "  <Blanking InUse=\"1\">\r\n"
                                 "    <Left>1</Left>\r\n"
                                 "    <Top>2</Top>\r\n"
                                 "    <Right>3</Right>\r\n"
                                 "    <Bottom>4</Bottom>\r\n"
                                 "    <Color>65280</Color>\r\n"
                                 "  </Blanking>\r\n"
                                 "\r\n"
                                 "</ASPECTRATIO>" +
                                 std::string(2, '\0');
    EXPECT_EQ(Written(settings), expected);
}

TEST(AspectRatioXml, EveryModeAndNegativeValuesReadBackTheSame19Fields) {
    for (int32_t mode = 0; mode <= 4; ++mode) {
        const TAspectSettings settings{mode, -1,  -2,  1, 800, 600, 16, 60,  1,         -100,
                                       -200, 300, 400, 0, -7,  -8,  -9, -10, -16777216, 0};
        const std::string bytes = Written(settings);
        EXPECT_EQ(Read(Wide(bytes.substr(0, bytes.size() - 2))), settings) << "mode " << mode;
    }
}

TEST(AspectRatioXml, AnUnknownModeWritesNoNameAndReadingKeepsTheField) {
    TAspectSettings settings{};
    settings.Mode = 7;
    EXPECT_NE(Written(settings).find("  <Mode></Mode>\r\n"), std::string::npos);
    TAspectSettings kept{};
    kept.Mode = 3;
    EXPECT_EQ(Read(u"<ASPECTRATIO><Mode></Mode></ASPECTRATIO>", kept).Mode, 3);
    EXPECT_EQ(Read(u"<aspectratio><mode>no scale</mode></aspectratio>").Mode, 3) << "names in any case";
    EXPECT_EQ(Read(u"<ASPECTRATIO><Mode>Wide</Mode></ASPECTRATIO>", kept).Mode, 0);
}

TEST(AspectRatioXml, BlocksTakeTheirDefaults) {
    const TAspectSettings read = Read(u"<ASPECTRATIO>"
                                      u"<ResolutionSwitch><Width>640</Width></ResolutionSwitch>"
                                      u"<PosAndSize InUse=\"0\"><Left>3</Left></PosAndSize>"
                                      u"<Blanking InUse=\"01\"><Color>-1</Color></Blanking>"
                                      u"</ASPECTRATIO>");
    EXPECT_EQ(read.SwitchInUse, 1) << "no InUse attribute counts as in use";
    EXPECT_EQ(read.SwitchWidth, 640);
    EXPECT_EQ(read.SwitchHeight, 0);
    EXPECT_EQ(read.SwitchBits, 16);
    EXPECT_EQ(read.SwitchFrequency, 60);
    EXPECT_EQ(read.PosInUse, 0);
    EXPECT_EQ(read.Left, 3);
    EXPECT_EQ(read.Width, kScreen.Width) << "the screen size";
    EXPECT_EQ(read.Height, kScreen.Height);
    EXPECT_EQ(read.BlankingInUse, 0) << "an InUse beginning with 0";
    EXPECT_EQ(read.BlankingColor, -1);
}

TEST(AspectRatioXml, BlocksWithoutChildrenAndMissingElementsLeaveTheirFields) {
    TAspectSettings before{};
    before.CustomWidth = 11;
    before.CustomHeight = 12;
    before.SwitchInUse = 1;
    before.SwitchBits = 24;
    before.PosInUse = 1;
    before.Width = 99;
    const TAspectSettings read = Read(u"<ASPECTRATIO><CustomRes><Height>5</Height></CustomRes>"
                                      u"<ResolutionSwitch InUse=\"0\"/><PosAndSize>text</PosAndSize>"
                                      u"</ASPECTRATIO>",
                                      before);
    TAspectSettings expected = before;
    expected.CustomHeight = 5;
    EXPECT_EQ(read, expected);
}

TEST(AspectRatioXml, NumbersAreLeadingDigitsWithASign) {
    const TAspectSettings read = Read(u"<ASPECTRATIO><CustomRes><Width>+12px</Width><Height>abc</Height>"
                                      u"</CustomRes><Blanking><Left>-99999999999</Left>"
                                      u"<Top>99999999999</Top></Blanking></ASPECTRATIO>");
    EXPECT_EQ(read.CustomWidth, 12);
    EXPECT_EQ(read.CustomHeight, 0);
    EXPECT_EQ(read.BlankingLeft, INT32_MIN);
    EXPECT_EQ(read.BlankingTop, INT32_MAX);
}

TEST(AspectRatioXml, OtherDocumentsAreRefused) {
    TAspectSettings settings{};
    EXPECT_EQ(ParseAspectRatioXml(nullptr, &settings, kScreen), 0);
    EXPECT_EQ(ParseAspectRatioXml(u"", &settings, kScreen), 0);
    EXPECT_EQ(ParseAspectRatioXml(u"<OTHER><Mode>Crop</Mode></OTHER>", &settings, kScreen), 0);
    EXPECT_EQ(settings, TAspectSettings{});
    EXPECT_FALSE(WriteAspectRatioXml(nullptr, &settings));
}

} // namespace
