#include "platform/media/FilterCategories.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>
#include <vector>

namespace plat::media {

namespace {

// The namespace of the category ids derived from names.
constexpr Guid kCategoryNamespace({0x3f, 0x91, 0x0a, 0x5e, 0x77, 0xc2, 0x4d, 0x18, 0xa6, 0x0b, 0xe4, 0x52,
                                   0x9d, 0x13, 0xc8, 0x6f});

struct KlassRule {
    std::array<std::string_view, 2> words; // an empty word is no condition
    FilterCategory category;
};

// Tried in order: renderers before other sinks, decoders and parsers before converters, converters
// and mixers before the general effect words, analysers before the effect words they share.
constexpr std::array kKlassRules{
    KlassRule{{"Sink", "Audio"}, FilterCategory::AudioRenderer},
    KlassRule{{"Sink", "Video"}, FilterCategory::VideoRenderer},
    KlassRule{{"Sink", ""}, FilterCategory::Sink},
    KlassRule{{"Source", ""}, FilterCategory::Source},
    KlassRule{{"Src", ""}, FilterCategory::Source},
    KlassRule{{"Demuxer", ""}, FilterCategory::Splitter},
    KlassRule{{"Demux", ""}, FilterCategory::Splitter},
    KlassRule{{"Decoder", "Audio"}, FilterCategory::AudioDecoder},
    KlassRule{{"Decoder", "Video"}, FilterCategory::VideoDecoder},
    KlassRule{{"Decoder", "Image"}, FilterCategory::VideoDecoder},
    KlassRule{{"Decoder", "Subtitle"}, FilterCategory::SubtitleDecoder},
    KlassRule{{"Parser", ""}, FilterCategory::Parser},
    KlassRule{{"Encoder", "Video"}, FilterCategory::VideoEncoder},
    KlassRule{{"Encoder", "Image"}, FilterCategory::VideoEncoder},
    KlassRule{{"Encoder", "Audio"}, FilterCategory::AudioEncoder},
    KlassRule{{"Muxer", ""}, FilterCategory::Muxer},
    KlassRule{{"Mixer", ""}, FilterCategory::Mixer},
    KlassRule{{"Overlay", ""}, FilterCategory::Mixer},
    KlassRule{{"Compositor", ""}, FilterCategory::Mixer},
    KlassRule{{"Converter", ""}, FilterCategory::Converter},
    KlassRule{{"Convert", ""}, FilterCategory::Converter},
    KlassRule{{"Analyzer", ""}, FilterCategory::Other},
    KlassRule{{"Analysis", ""}, FilterCategory::Other},
    KlassRule{{"Effect", "Video"}, FilterCategory::VideoEffect},
    KlassRule{{"Effect", "Audio"}, FilterCategory::AudioEffect},
    KlassRule{{"Filter", "Video"}, FilterCategory::VideoEffect},
    KlassRule{{"Filter", "Audio"}, FilterCategory::AudioEffect},
};

std::vector<FilterCategoryInfo> MakeCategories() {
    const auto named = [](FilterCategory category, const char* name) {
        return FilterCategoryInfo{category, name, Guid::FromName(kCategoryNamespace, name)};
    };
    return {
        named(FilterCategory::Source, "Sources"),
        named(FilterCategory::Splitter, "Splitters"),
        named(FilterCategory::Parser, "Parsers"),
        named(FilterCategory::VideoDecoder, "Video Decoders"),
        named(FilterCategory::AudioDecoder, "Audio Decoders"),
        named(FilterCategory::SubtitleDecoder, "Subtitle Decoders"),
        named(FilterCategory::VideoEffect, "Video Effects"),
        named(FilterCategory::AudioEffect, "Audio Effects"),
        named(FilterCategory::Converter, "Converters"),
        named(FilterCategory::Mixer, "Mixers"),
        named(FilterCategory::VideoEncoder, "Video Encoders"),
        named(FilterCategory::AudioEncoder, "Audio Encoders"),
        named(FilterCategory::Muxer, "Multiplexers"),
        named(FilterCategory::VideoRenderer, "Video Renderers"),
        {FilterCategory::AudioRenderer, "Audio Renderers",
         *Guid::Parse("{E0F158E1-CB04-11D0-BD4E-00A0C911CE86}")},
        named(FilterCategory::Sink, "Sinks"),
        {FilterCategory::Other, "Filters", *Guid::Parse("{083863F1-70DE-11D0-BD40-00A0C911CE86}")},
    };
}

std::string Folded(std::string_view text) {
    std::string folded(text);
    std::transform(folded.begin(), folded.end(), folded.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return folded;
}

// The klass's words between slashes, folded to lower case.
std::vector<std::string> KlassWords(std::string_view klass) {
    std::vector<std::string> words;
    std::size_t start = 0;
    while (start <= klass.size()) {
        const std::size_t end = std::min(klass.find('/', start), klass.size());
        words.push_back(Folded(klass.substr(start, end - start)));
        start = end + 1;
    }
    return words;
}

bool HasWord(const std::vector<std::string>& words, std::string_view wanted) {
    return wanted.empty() || std::find(words.begin(), words.end(), Folded(wanted)) != words.end();
}

} // namespace

std::span<const FilterCategoryInfo> FilterCategories::All() {
    static const std::vector<FilterCategoryInfo> categories = MakeCategories();
    return categories;
}

const FilterCategoryInfo& FilterCategories::Of(FilterCategory category) {
    const auto all = All();
    return *std::find_if(all.begin(), all.end(),
                         [category](const FilterCategoryInfo& info) { return info.category == category; });
}

FilterCategory FilterCategories::FromKlass(std::string_view klass) {
    const std::vector<std::string> words = KlassWords(klass);
    for (const KlassRule& rule : kKlassRules) {
        if (HasWord(words, rule.words[0]) && HasWord(words, rule.words[1])) {
            return rule.category;
        }
    }
    return FilterCategory::Other;
}

bool FilterCategories::Holds(const Guid& categoryId, FilterCategory category) {
    return categoryId == Id(category) || categoryId == Id(FilterCategory::Other);
}

} // namespace plat::media
