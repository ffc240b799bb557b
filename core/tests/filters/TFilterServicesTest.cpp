#include "core/src/filters/TFilterServices.h"

#include "FilterTestFolder.h"
#include "core/src/filters/TMediaProbes.h"
#include "platform/testing/FakeRendererFactory.h"
#include "platform/text/CodePage.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

namespace {

using plat::media::FilterCatalogue;

std::u16string Take(char16_t* block) {
    const std::unique_ptr<char16_t, decltype(&std::free)> owned(block, &std::free);
    return block != nullptr ? std::u16string(block) : std::u16string();
}

std::u16string Wide(const std::string& text) {
    return plat::text::AnsiToWide(text);
}

constexpr std::uint32_t FourCC(const char (&code)[5]) {
    return static_cast<std::uint8_t>(code[0]) | static_cast<std::uint8_t>(code[1]) << 8 |
           static_cast<std::uint8_t>(code[2]) << 16 |
           static_cast<std::uint32_t>(static_cast<std::uint8_t>(code[3])) << 24;
}

class TFilterServicesTest : public ::testing::Test {
protected:
    void TearDown() override { FilterCatalogue restore; }

    FilterTestFolder folder_;
    TFilterServices services_{folder_.Path()};
};

TEST_F(TFilterServicesTest, FilterInfoOfAKnownFactory) {
    const auto* info = services_.Catalogue().FindByFactoryName("identity");
    ASSERT_NE(info, nullptr);
    const std::u16string name = Wide(FilterCatalogue::DisplayName(*info));
    ASSERT_EQ(services_.SetRit(name.c_str(), 4294967295u), 1);
    char16_t* out = nullptr;
    ASSERT_EQ(services_.GetFilterInfo(name.c_str(), &out), 0);
    EXPECT_EQ(Take(out), u"    <FILTER>\r\n"
                         u"        <NAME>Identity</NAME>\r\n"
                         u"        <DisplayName>" +
                             name +
                             u"</DisplayName>\r\n"
                             u"        <CLSID>" +
                             Wide(info->classId.ToString()) +
                             u"</CLSID>\r\n"
                             u"        <MERIT>-1</MERIT>\r\n"
                             u"         <PIN Nb=\"2\"/>\r\n"
                             u"        <VERSION>2</VERSION>\r\n"
                             u"    </FILTER>\r\n");
}

TEST_F(TFilterServicesTest, HostileOrMissingArgumentsAnswerTheFailureValues) {
    const std::u16string identity =
        Wide(FilterCatalogue::DisplayName(*services_.Catalogue().FindByFactoryName("identity")));
    char16_t* untouched = nullptr;
    for (const char16_t* name :
         {static_cast<const char16_t*>(nullptr), u"", u"\xDC00garbage", u"@device:sw:\\",
          u"@device:sw:{E0F158E1-CB04-11D0-BD4E-00A0C911CE86}\\{00000000-0000-0000-0000-000000000000}"}) {
        EXPECT_EQ(services_.GetFilterInfo(name, &untouched), -1);
        EXPECT_EQ(services_.SetRit(name, 5), 0);
    }
    EXPECT_EQ(untouched, nullptr);
    EXPECT_EQ(services_.GetFilterInfo(identity.c_str(), nullptr), -1);
    EXPECT_EQ(services_.GetCommonDsFilters(nullptr), 0);
    EXPECT_EQ(services_.GetAllFilters(nullptr), 0);
}

TEST_F(TFilterServicesTest, CommonFiltersListEveryAudioRendererAndDvdDecoders) {
    std::int32_t renderers = 0;
    for (const auto& info : services_.Catalogue().Filters()) {
        renderers += info.category == plat::media::FilterCategory::AudioRenderer ? 1 : 0;
    }
    char16_t* out = nullptr;
    EXPECT_EQ(services_.GetCommonDsFilters(&out), renderers);
    const std::u16string text = Take(out);
    EXPECT_TRUE(text.starts_with(u"<FILTERENUM>\n  <AudioRenderer>\n"));
    EXPECT_TRUE(text.ends_with(u"  </DVDAudioFilters>\n</FILTERENUM>\n"));
    const auto* sink = services_.Catalogue().FindByFactoryName("fakeaudiosink");
    if (sink != nullptr) {
        EXPECT_NE(text.find(u"    <FILTER>\n        <NAME>" + Wide(sink->friendlyName) +
                            u"</NAME>\n        <CLSID>" + Wide(sink->classId.ToString()) +
                            u"</CLSID>\n    </FILTER>\n"),
                  std::u16string::npos);
    }
    // The DVD decoders of the good, ugly and libav plug-ins that are installed here.
    for (const char* decoder : {"mpeg2dec", "avdec_mpeg2video", "a52dec", "avdec_ac3"}) {
        const auto* info = services_.Catalogue().FindByFactoryName(decoder);
        ASSERT_NE(info, nullptr) << decoder;
        EXPECT_NE(text.find(u"      <FILTER>\n        <NAME>" + Wide(info->friendlyName) + u"</NAME>\n"),
                  std::u16string::npos)
            << decoder;
    }
    for (const char16_t* part :
         {u"  </AudioRenderer>\n  <DVDVideoFilters>\n", u"  </DVDVideoFilters>\n  <DVDAudioFilters>\n"}) {
        EXPECT_NE(text.find(part), std::u16string::npos) << plat::text::WideToAnsi(part);
    }
}

// The section of one category: from its opening to its closing.
std::u16string Section(const std::u16string& text, const std::u16string& name) {
    const std::size_t start = text.find(u"  <CATEGORY FriendlyName=\"" + name + u"\"");
    return start == std::u16string::npos ? u""
                                         : text.substr(start, text.find(u"  </CATEGORY>", start) - start);
}

std::size_t Count(const std::u16string& text, const std::u16string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::u16string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

TEST_F(TFilterServicesTest, AllFiltersByCategoryWithTheEmptyDmoCategoriesLast) {
    char16_t* out = nullptr;
    EXPECT_EQ(services_.GetAllFilters(&out), 0);
    const std::u16string text = Take(out);
    EXPECT_TRUE(text.starts_with(u"<FILTERENUM>\r\n  <CATEGORY FriendlyName=\"Sources\" Clsid=\"{"));
    std::size_t previous = 0;
    for (const char16_t* name :
         {u"Sources", u"Splitters", u"Parsers", u"Video Decoders", u"Audio Decoders", u"Subtitle Decoders",
          u"Video Effects", u"Audio Effects", u"Converters", u"Mixers", u"Video Encoders", u"Audio Encoders",
          u"Multiplexers", u"Video Renderers", u"Audio Renderers", u"Sinks", u"Filters"}) {
        const std::size_t at =
            text.find(u"  <CATEGORY FriendlyName=\"" + std::u16string(name) + u"\" Clsid=\"{");
        ASSERT_NE(at, std::u16string::npos) << plat::text::WideToAnsi(name);
        EXPECT_GT(at, previous) << plat::text::WideToAnsi(name);
        previous = at;
    }
    EXPECT_NE(text.find(u"  <CATEGORY FriendlyName=\"Audio Renderers\" "
                        u"Clsid=\"{E0F158E1-CB04-11D0-BD4E-00A0C911CE86}\">\r\n"),
              std::u16string::npos);
    EXPECT_NE(text.find(u"  <CATEGORY FriendlyName=\"Filters\" "
                        u"Clsid=\"{083863F1-70DE-11D0-BD40-00A0C911CE86}\">\r\n"),
              std::u16string::npos);
    const auto listed = [&](const char* factory) {
        const auto* info = services_.Catalogue().FindByFactoryName(factory);
        return u"    <FILTER>\r\n        <NAME>" + Wide(info->friendlyName) +
               u"</NAME>\r\n        <DisplayName>" + Wide(FilterCatalogue::DisplayName(*info)) +
               u"</DisplayName>\r\n    </FILTER>\r\n";
    };
    struct Placed {
        const char16_t* category;
        const char* factory;
    };
    for (const Placed& placed :
         {Placed{u"Sources", "filesrc"}, Placed{u"Splitters", "oggdemux"},
          Placed{u"Video Decoders", "theoradec"}, Placed{u"Audio Decoders", "vorbisdec"},
          Placed{u"Audio Renderers", "fakeaudiosink"}, Placed{u"Filters", "identity"}}) {
        EXPECT_NE(Section(text, placed.category).find(listed(placed.factory)), std::u16string::npos)
            << placed.factory;
    }
    EXPECT_EQ(Count(text, u"<FILTER>"), services_.Catalogue().Filters().size()) << "every filter once";
    std::u16string dmo;
    for (const char16_t* name :
         {u"DMO Audio Decoder", u"DMO Audio Encoder", u"DMO Video Decoders", u"DMO Video Encoders",
          u"DMO Audio Effects", u"DMO Video Effects", u"DMO Audio Capture Effects",
          u"DMO Acoustic Echo Cancel", u"DMO Audio Noise Suppress", u"DMO AGC"}) {
        dmo += u"   <CATEGORY FriendlyName=\"" + std::u16string(name) + u"\">   </CATEGORY>";
    }
    EXPECT_TRUE(text.ends_with(u"  </CATEGORY>\r\n" + dmo + u"</FILTERENUM>\r\n"));
}

TEST_F(TFilterServicesTest, FourCCFiltersMatchThroughCaps) {
    char16_t* out = nullptr;
    for (const std::uint32_t unknown : {FourCC("ZZZ9"), 0xFFFFFFFFu, 0x00FF00FFu}) {
        EXPECT_EQ(services_.GetFCCFilters(unknown, &out), 0);
        EXPECT_EQ(Take(out), u"  <FourCCFilters>\n  </FourCCFilters>\n");
    }
    const auto* jpeg = services_.Catalogue().FindByFactoryName("jpegdec");
    ASSERT_NE(jpeg, nullptr) << "the JPEG decoder of the good plug-ins";
    const std::int32_t count = services_.GetFCCFilters(FourCC("MJPG"), &out);
    EXPECT_GE(count, 1);
    EXPECT_EQ(services_.GetFCCFilters(FourCC("MJPG"), nullptr), count);
    const std::u16string text = Take(out);
    EXPECT_NE(text.find(u"      <FILTER>\n        <NAME>" + Wide(jpeg->friendlyName) +
                        u"</NAME>\n        <CLSID>" + Wide(jpeg->classId.ToString()) +
                        u"</CLSID>\n      </FILTER>\n"),
              std::u16string::npos);
    // A decoder whose merit is "do not use" is not offered.
    ASSERT_EQ(
        services_.SetRit(Wide(FilterCatalogue::DisplayName(*jpeg)).c_str(), plat::media::MERIT_DO_NOT_USE),
        1);
    EXPECT_EQ(services_.GetFCCFilters(FourCC("MJPG"), nullptr), count - 1);
}

class FailingRenderers : public plat::media::RendererFactory {
public:
    plat::media::ElementRef CreateVideoRenderer() override { return {}; }
    plat::media::ElementRef CreateAudioRenderer() override { return {}; }
};

TEST_F(TFilterServicesTest, MixingRendererPresenceFollowsTheRendererFactory) {
    plat::media::FakeRendererFactory fake;
    FailingRenderers failing;
    EXPECT_EQ(TMediaProbes::MixingRendererVersion(services_.Catalogue(), fake), 9);
    EXPECT_EQ(TMediaProbes::MixingRendererVersion(services_.Catalogue(), failing), 0);
}

TEST(TMediaProbesTest, MediaDurationInMilliseconds) {
    const std::u16string clip = Wide(std::string(MEDIA_FIXTURES) + "/clip.ogg");
    EXPECT_NEAR(TMediaProbes::MediaDuration(clip.c_str()), 2000, 40);
    const std::u16string corrupt = Wide(std::string(MEDIA_FIXTURES) + "/corrupt.mp4");
    for (const char16_t* name :
         {static_cast<const char16_t*>(nullptr), u"", u"/no/such/file.avi", corrupt.c_str(), u"\xD800"}) {
        EXPECT_EQ(TMediaProbes::MediaDuration(name), 0);
    }
}

} // namespace
