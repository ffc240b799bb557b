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

std::vector<TMarkupEvent> TTambleDecoder::ScriptEvents(const std::vector<TMatchedEvent>& matched) {
    std::vector<TMarkupEvent> events;
    events.reserve(matched.size());
    for (std::size_t i = 0; i < matched.size(); ++i) {
        const TMatchedEvent& m = matched[i];
        TMarkupEvent event;
        event.Start = m.Start;
        event.End = m.End;
        if (!m.HasEnd) {
            const bool nextLater = i + 1 < matched.size() && matched[i + 1].Start > m.Start;
            event.End =
                nextLater
                    ? matched[i + 1].Start
                    : static_cast<int32_t>(std::min<int64_t>(int64_t{m.Start} + kOpenEndDuration, INT32_MAX));
        }
        event.Style = "Default";
        event.Text = plat::text::WideToAnsi(m.Text);
        events.push_back(std::move(event));
    }
    return events;
}

bool TTambleDecoder::MatchText(std::string_view bytes, const char* filter, std::optional<double> givenRate) {
    const std::u16string subject = SubjectText(bytes);
    const double rate =
        givenRate ? *givenRate : DeclaredFrameRate(subject).value_or(scr::kFrameRateSetting.Default);
    FRegistry.FrameRate = rate;
    FLastFrameRate = rate;
    std::optional<std::u16string> wideFilter;
    if (filter != nullptr) {
        wideFilter = plat::text::AnsiToWide(filter);
    }
    return FRegistry.Match(subject, wideFilter, false);
}

std::vector<TMarkupEvent> TTambleDecoder::MatchEvents(std::string_view bytes, const char* filter,
                                                      std::optional<double> givenRate) {
    const bool walked = MatchText(bytes, filter, givenRate);
    std::vector<TMarkupEvent> events = walked ? ScriptEvents(FRegistry.Events) : std::vector<TMarkupEvent>{};
    std::vector<TMatchedEvent>().swap(FRegistry.Events);
    return events;
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
    const std::vector<TMarkupEvent> events = MatchEvents(
        std::string_view(static_cast<const char*>(data), static_cast<std::size_t>(size)), filter, givenRate);
    if (events.empty()) {
        return 0;
    }
    std::size_t scriptSize = 0;
    char* buffer = scr::HandOutWideSsaV4({}, events, scriptSize);
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
