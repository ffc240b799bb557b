#include "plugins/decoders/tamble/TTambleDecoder.h"

#include "platform/text/CodePage.h"
#include "plugins/decoders/support/AdvancedSetting.h"
#include "plugins/decoders/support/ScrExports.h"
#include "plugins/decoders/support/SsaV4Writer.h"
#include "plugins/decoders/tamble/DefinitionFiles.h"
#include "plugins/decoders/tamble/SubjectText.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::u16string_view kRateEntry = u"{1}{1}";
// Declared rates outside this range are no frame rates.
constexpr double kLowestDeclaredRate = 1.0;
constexpr double kHighestDeclaredRate = 1000.0;
// The longest number read from a rate entry.
constexpr std::size_t kRateDigits = 16;
// The script's first room in bytes per character of the file's text: a script line holds an entry's
// text and about as much again in times and fields. A script that needs more grows.
constexpr std::size_t kScriptPerSubjectUnit = 2;

bool HasSetting(char** advanced, int32_t* advancedLength) {
    return advanced != nullptr && *advanced != nullptr && advancedLength != nullptr && *advancedLength > 0;
}

} // namespace

int TTambleDecoder::LoadFolder(const std::string& folder) {
    return LoadDefinitionFolder(FRegistry, folder);
}

std::optional<double> TTambleDecoder::DeclaredFrameRate(std::u16string_view text) {
    if (!text.starts_with(kRateEntry)) {
        return std::nullopt;
    }
    std::string number;
    std::size_t at = kRateEntry.size();
    for (; at < text.size() && number.size() <= kRateDigits; ++at) {
        const char16_t c = text[at];
        if ((c < u'0' || c > u'9') && c != u'.') {
            break;
        }
        number.push_back(static_cast<char>(c));
    }
    // The entry holds the number alone.
    if (at < text.size() && text[at] != u'\r' && text[at] != u'\n') {
        return std::nullopt;
    }
    char* end = nullptr;
    const double rate = std::strtod(number.c_str(), &end);
    if (number.empty() || end != number.c_str() + number.size() || rate < kLowestDeclaredRate ||
        rate > kHighestDeclaredRate) {
        return std::nullopt;
    }
    return rate;
}

void TTambleDecoder::ScriptEvent(const TMatchedEvent& matched, const TMatchedEvent* following,
                                 TMarkupEvent& event) {
    event.Start = matched.Start;
    event.End = matched.End;
    if (!matched.HasEnd) {
        const bool nextLater = following != nullptr && following->Start > matched.Start;
        event.End = nextLater ? following->Start
                              : static_cast<int32_t>(
                                    std::min<int64_t>(int64_t{matched.Start} + kOpenEndDuration, INT32_MAX));
    }
    event.Style = "Default";
    plat::text::WideToAnsi(matched.Text, event.Text);
}

char* TTambleDecoder::MatchScript(std::string_view bytes, const char* filter, std::optional<double> givenRate,
                                  std::size_t& size) {
    const std::u16string subject = SubjectText(bytes);
    const double rate =
        givenRate ? *givenRate : DeclaredFrameRate(subject).value_or(scr::kFrameRateSetting.Default);
    FRegistry.FrameRate = rate;
    FLastFrameRate = rate;
    std::optional<std::u16string> wideFilter;
    if (filter != nullptr) {
        wideFilter = plat::text::AnsiToWide(filter);
    }
    TMatchedEvent current;
    TMatchedEvent following;
    if (!FRegistry.StartWalk(subject, wideFilter, false) || !FRegistry.NextEvent(following)) {
        return nullptr;
    }
    bool more = true;
    TMarkupEvent event;
    return scr::HandOutWideSsaV4(
        {}, kScriptPerSubjectUnit * subject.size(),
        [&]() -> const TMarkupEvent* {
            if (!more) {
                return nullptr;
            }
            std::swap(current, following);
            more = FRegistry.NextEvent(following);
            ScriptEvent(current, more ? &following : nullptr, event);
            return &event;
        },
        size);
}

int32_t TTambleDecoder::Decode(const void* data, int32_t size, const char* filter, void** text,
                               int32_t* textSize, char** advanced, int32_t* advancedLength) {
    if (data == nullptr || size <= 0 || text == nullptr || textSize == nullptr) {
        return 0;
    }
    const std::optional<double> givenRate =
        HasSetting(advanced, advancedLength)
            ? std::optional<double>(scr::SettingValue(*advanced, *advancedLength, scr::kFrameRateSetting))
            : std::nullopt;
    std::size_t scriptSize = 0;
    char* buffer = MatchScript(std::string_view(static_cast<const char*>(data), static_cast<std::size_t>(size)),
                               filter, givenRate, scriptSize);
    if (buffer == nullptr) {
        return 0;
    }
    *text = buffer;
    *textSize = static_cast<int32_t>(std::min<std::size_t>(scriptSize, INT32_MAX));
    if (advanced != nullptr) {
        char* setting = scr::HandOut(scr::FormatSetting(FLastFrameRate, scr::kFrameRateSetting));
        if (setting != nullptr) {
            *advanced = setting;
            if (advancedLength != nullptr) {
                *advancedLength = static_cast<int32_t>(std::strlen(setting));
            }
        }
    }
    return 1;
}
