// The categories filters are listed under: real registry elements where a user looks for them, the klass
// rules in their order, and the categories' ids and names.
#include "platform/media/FilterCategories.h"
#include "MediaTestSupport.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace plat::media::test {
namespace {

TEST(FilterCategoriesTest, RealElementsAreListedWhereAUserLooksForThem) {
    struct Case {
        const char* factory;
        FilterCategory category;
    };
    const Case cases[] = {
        {"filesrc", FilterCategory::Source},
        {"videotestsrc", FilterCategory::Source},
        {"qtdemux", FilterCategory::Splitter},
        {"oggdemux", FilterCategory::Splitter},
        {"h264parse", FilterCategory::Parser},
        {"subparse", FilterCategory::Parser},
        {"avdec_h264", FilterCategory::VideoDecoder},
        {"jpegdec", FilterCategory::VideoDecoder},
        {"avdec_aac", FilterCategory::AudioDecoder},
        {"videobalance", FilterCategory::VideoEffect},
        {"volume", FilterCategory::AudioEffect},
        {"videoconvert", FilterCategory::Converter},
        {"audioresample", FilterCategory::Converter},
        {"compositor", FilterCategory::Mixer},
        {"dvdspu", FilterCategory::Mixer},
        {"x264enc", FilterCategory::VideoEncoder},
        {"avenc_aac", FilterCategory::AudioEncoder},
        {"matroskamux", FilterCategory::Muxer},
        {"autovideosink", FilterCategory::VideoRenderer},
        {"fakevideosink", FilterCategory::VideoRenderer},
        {"autoaudiosink", FilterCategory::AudioRenderer},
        {"pulsesink", FilterCategory::AudioRenderer},
        {"fakeaudiosink", FilterCategory::AudioRenderer},
        {"fakesink", FilterCategory::Sink},
        {"filesink", FilterCategory::Sink},
        {"level", FilterCategory::Other},
        {"identity", FilterCategory::Other},
        {"decodebin", FilterCategory::Other},
    };
    for (const Case& c : cases) {
        const FilterInfo* info = Catalogue().FindByFactoryName(c.factory);
        ASSERT_NE(info, nullptr) << c.factory << " is installed by the project's packages";
        EXPECT_EQ(FilterCategories::Of(info->category).name,
                  std::string(FilterCategories::Of(c.category).name))
            << c.factory;
    }
}

TEST(FilterCategoriesTest, KlassRulesInTheirOrder) {
    struct Case {
        const char* klass;
        FilterCategory category;
    };
    const Case cases[] = {
        {"Codec/Decoder/Audio/Converter", FilterCategory::AudioDecoder}, // a decoder before a converter
        {"Codec/Parser/Converter/Video", FilterCategory::Parser},
        {"Filter/Converter/Video/Scaler", FilterCategory::Converter}, // a converter before an effect
        {"Filter/Analyzer/Audio", FilterCategory::Other},             // a meter is no effect
        {"Transform/Effect/Video", FilterCategory::VideoEffect},
        {"Video/Filter", FilterCategory::VideoEffect},
        {"Filter/Effect/Rate/Audio", FilterCategory::AudioEffect},
        {"Debug/video/Sink", FilterCategory::VideoRenderer}, // words in any case
        {"Audio/Sink/Hardware", FilterCategory::AudioRenderer},
        {"Sink/Muxer", FilterCategory::Sink}, // a renderer or a sink first
        {"Sink/Network", FilterCategory::Sink},
        {"Audio/Source/Hardware", FilterCategory::Source},
        {"Generic/Bin/Src", FilterCategory::Source},
        {"DTLS/SRTP/Demux", FilterCategory::Splitter},
        {"Codec/Demuxer/Adaptive", FilterCategory::Splitter},
        {"Codec/Decoder/Subtitle", FilterCategory::SubtitleDecoder},
        {"Codec/Decoder/Image", FilterCategory::VideoDecoder},
        {"Codec/Encoder/Image", FilterCategory::VideoEncoder},
        {"Formatter/Muxer/Metadata", FilterCategory::Muxer},
        {"Video/Overlay/Subtitle", FilterCategory::Mixer},
        {"Audio/Mixer", FilterCategory::Mixer},
        {"Generic/Bin/Decoder", FilterCategory::Other}, // neither audio nor video
        {"Decoder/Network/DTLS", FilterCategory::Other},
        {"Codec/Payloader/Network/RTP", FilterCategory::Other},
        {"Sourcery/Demuxers", FilterCategory::Other}, // whole words only
        {"", FilterCategory::Other},
        {"///", FilterCategory::Other},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FilterCategories::FromKlass(c.klass), c.category) << c.klass;
    }
}

TEST(FilterCategoriesTest, EachCategoryHasItsOwnIdAndName) {
    std::set<Guid> ids;
    std::set<std::string> names;
    for (const FilterCategoryInfo& info : FilterCategories::All()) {
        ids.insert(info.id);
        names.insert(info.name);
        EXPECT_EQ(&FilterCategories::Of(info.category), &info);
    }
    EXPECT_EQ(ids.size(), FilterCategories::All().size());
    EXPECT_EQ(names.size(), FilterCategories::All().size());
    EXPECT_EQ(FilterCategories::Id(FilterCategory::AudioRenderer).ToString(),
              "{E0F158E1-CB04-11D0-BD4E-00A0C911CE86}");
    EXPECT_EQ(FilterCategories::Id(FilterCategory::Other).ToString(),
              "{083863F1-70DE-11D0-BD40-00A0C911CE86}");
    EXPECT_EQ(FilterCategories::All().front().category, FilterCategory::Source);

    const Guid decoders = FilterCategories::Id(FilterCategory::VideoDecoder);
    EXPECT_TRUE(FilterCategories::Holds(decoders, FilterCategory::VideoDecoder));
    EXPECT_TRUE(
        FilterCategories::Holds(FilterCategories::Id(FilterCategory::Other), FilterCategory::VideoDecoder))
        << "every filter is in the general category as well";
    EXPECT_FALSE(FilterCategories::Holds(decoders, FilterCategory::AudioDecoder));
    EXPECT_FALSE(FilterCategories::Holds(Guid(), FilterCategory::Other));
}

TEST(FilterCategoriesTest, DisplayNamesNameTheFiltersOwnCategory) {
    const FilterInfo* source = Catalogue().FindByFactoryName("filesrc");
    ASSERT_NE(source, nullptr);
    const std::string own = FilterCatalogue::DisplayName(*source);
    EXPECT_EQ(own, "@device:sw:" + FilterCategories::Id(FilterCategory::Source).ToString() + "\\" +
                       source->classId.ToString());
    EXPECT_EQ(Catalogue().FindByDisplayName(own), source);
    EXPECT_EQ(
        Catalogue().FindByDisplayName("@device:sw:" + FilterCategories::Id(FilterCategory::Other).ToString() +
                                      "\\" + source->classId.ToString()),
        nullptr);
}

} // namespace
} // namespace plat::media::test
