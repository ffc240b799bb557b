#include "subtitles/profiles/TVolumesReader.h"

#include "platform/text/CaseFold.h"
#include "platform/text/CodePage.h"
#include "subtitles/profiles/ProfileField.h"
#include "subtitles/profiles/TDVDProfile.h"
#include "subtitles/profiles/TVolume.h"
#include "subtitles/scripts/ScrUtils.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

// A decimal number after blanks and tabs and an optional sign, as the C library reads it, held
// within the 64-bit range; 0 when there are no digits.
int64_t ParseNumber(std::string_view text) {
    std::size_t pos = text.find_first_not_of(" \t");
    if (pos == std::string_view::npos) {
        return 0;
    }
    const bool negative = text[pos] == '-';
    pos += (text[pos] == '-' || text[pos] == '+') ? 1 : 0;
    constexpr int64_t kLimit = std::numeric_limits<int64_t>::max() / 10 - 1;
    int64_t value = 0;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9' && value < kLimit; ++pos) {
        value = value * 10 + (text[pos] - '0');
    }
    return negative ? -value : value;
}

// The C library's atoi: saturated at the 32-bit limits.
int32_t ParseInt(std::string_view text) {
    const int64_t value = ParseNumber(text);
    if (value > std::numeric_limits<int32_t>::max()) {
        return std::numeric_limits<int32_t>::max();
    }
    return value < std::numeric_limits<int32_t>::min() ? std::numeric_limits<int32_t>::min()
                                                       : static_cast<int32_t>(value);
}

// A disc identifier half, written signed by the writer; an unsigned value of the same 32 bits (as
// a hexadecimal identifier reads in decimal) stands for the same half. Anything else reads as 0.
int32_t ParseIdHalf(std::string_view text) {
    const int64_t value = ParseNumber(text);
    if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<uint32_t>::max()) {
        return 0;
    }
    return static_cast<int32_t>(static_cast<uint32_t>(value));
}

// The text up to the first comma.
std::string_view FirstField(std::string_view value) {
    return value.substr(0, value.find(','));
}

bool KeyIs(std::string_view key, std::string_view name) {
    return plat::text::EqualsNoCaseA(key, name);
}

} // namespace

TVolumesReader::TVolumesReader(TDVDProfile& profile) : profile_(profile) {}

void TVolumesReader::Read(std::string_view text) {
    std::size_t index = 0;
    std::string line;
    while (scrutils::ReadTextLine(text, index, line, kMaxLine)) {
        if (SwitchSection(line) || line.front() == ';') {
            continue;
        }
        // The key runs up to the first ':'; the value starts after it and one blank.
        const std::string_view text(line);
        const std::size_t colon = std::min(text.find(':'), text.size());
        const std::string_view key = text.substr(0, colon);
        std::string_view value = text.substr(std::min(colon + 1, text.size()));
        if (!value.empty() && value.front() == ' ') {
            value.remove_prefix(1);
        }
        switch (section_) {
        case Section::Header:
            ReadHeaderLine(key, value);
            break;
        case Section::Format:
            ReadFormatLine(key, value);
            break;
        case Section::Volumes:
            ReadVolumesLine(key, value);
            break;
        case Section::None:
            break;
        }
    }
}

bool TVolumesReader::SwitchSection(std::string_view line) {
    static constexpr std::pair<std::string_view, Section> kHeaders[] = {
        {"[Header]", Section::Header}, {"[Format]", Section::Format}, {"[Volumes]", Section::Volumes}};
    for (const auto& [header, section] : kHeaders) {
        if (plat::text::EqualsNoCaseA(line, header)) {
            section_ = section;
            return true;
        }
    }
    return false;
}

void TVolumesReader::ReadHeaderLine(std::string_view key, std::string_view value) {
    TProfileHeader& header = profile_.Header;
    if (KeyIs(key, "Title")) {
        header.Title = CutToField(value, TProfileHeader::kMaxTitle);
    } else if (KeyIs(key, "Created By")) {
        header.CreatedBy = CutToField(value, TProfileHeader::kMaxCreatedBy);
    } else if (KeyIs(key, "Last Update")) {
        header.LastUpdate = CutToField(value, TProfileHeader::kMaxLastUpdate);
    } else if (KeyIs(key, "Version")) {
        header.Version = CutToField(value, TProfileHeader::kMaxVersion);
    }
}

void TVolumesReader::ReadFormatLine(std::string_view key, std::string_view value) {
    TPointer<TFormat>* columns = KeyIs(key, "Volume")     ? &profile_.VolumeColumns
                                 : KeyIs(key, "Language") ? &profile_.LanguageColumns
                                                          : nullptr;
    if (columns == nullptr) {
        return;
    }
    columns->Clear();
    while (!value.empty()) {
        const std::size_t comma = value.find(',');
        columns->Add()->Name = CutToField(value.substr(0, comma), TFormat::kMaxName);
        if (comma == std::string_view::npos) {
            break;
        }
        value.remove_prefix(comma + 1);
        if (value.size() > 1 && value.front() == ' ') {
            value.remove_prefix(1);
        }
    }
}

void TVolumesReader::ReadVolumesLine(std::string_view key, std::string_view line) {
    const std::string_view value = FirstField(line);
    if (KeyIs(key, "Volume")) {
        profile_.AddVolume(plat::text::AnsiToWide(CutToField(value, TVolume::kMaxName)));
        haveLanguage_ = false;
        return;
    }
    TVolume* volume = profile_.Volumes.Tail;
    if (volume == nullptr) {
        return;
    }
    static constexpr std::pair<std::string_view, std::string TVolume::*> kTexts[] = {
        {"Created By", &TVolume::CreatedBy},
        {"Version", &TVolume::Version},
        {"Last Update", &TVolume::LastUpdate},
        {"Studio", &TVolume::Studio},
        {"Part Number", &TVolume::PartNumber}};
    static constexpr std::size_t kSizes[] = {TVolume::kMaxCreatedBy, TVolume::kMaxVersion,
                                             TVolume::kMaxLastUpdate, TVolume::kMaxStudio,
                                             TVolume::kMaxPartNumber};
    for (std::size_t i = 0; i < std::size(kTexts); ++i) {
        if (KeyIs(key, kTexts[i].first)) {
            volume->*kTexts[i].second = CutToField(value, kSizes[i]);
            return;
        }
    }
    if (KeyIs(key, "Region")) {
        volume->Region = static_cast<uint8_t>(ParseInt(value));
    } else if (KeyIs(key, "UseChapterChange")) {
        volume->ChapterChange = 1;
    } else if (KeyIs(key, "IDHigh")) {
        volume->AddIdHigh(ParseIdHalf(value));
    } else if (KeyIs(key, "IDLow")) {
        volume->AddIdLow(ParseIdHalf(value));
    } else if (KeyIs(key, "Language")) {
        language_ = plat::text::AnsiToWide(value);
        haveLanguage_ = true;
    } else if (KeyIs(key, "Script") && haveLanguage_) {
        volume->AddLanguage(language_, plat::text::AnsiToWide(value), profile_.Header.ArchivePath);
        haveLanguage_ = false;
    }
}
