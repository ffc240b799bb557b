#include "player/ui/skin/SkinScriptReader.h"

#include "player/ui/skin/SkinText.h"
#include "subtitles/scripts/ScrUtils.h"

#include <optional>

namespace {

struct KindName {
    std::string_view name;
    SkinObjectKind kind;
};

// In the order object keys are compared.
constexpr KindName kKinds[] = {
    {"Form", SkinObjectKind::Form},       {"SpeedButton", SkinObjectKind::SpeedButton},
    {"Button", SkinObjectKind::Button},   {"Label", SkinObjectKind::Label},
    {"SeekBar", SkinObjectKind::SeekBar}, {"FullScreenSwap", SkinObjectKind::FullScreenSwap},
};

std::optional<SkinObjectKind> KindOf(std::string_view key) {
    for (const KindName& kind : kKinds) {
        if (SkinText::SameText(key, kind.name)) {
            return kind.kind;
        }
    }
    return std::nullopt;
}

} // namespace

SkinScriptReader::ListIndex SkinScriptReader::ListOf(SkinObjectKind kind) {
    switch (kind) {
    case SkinObjectKind::Form:
        return kFormList;
    case SkinObjectKind::Label:
        return kLabelList;
    case SkinObjectKind::SeekBar:
        return kSeekBarList;
    case SkinObjectKind::FullScreenSwap:
        return kFullScreenSwapList;
    case SkinObjectKind::Button:
    case SkinObjectKind::SpeedButton:
        break;
    }
    return kButtonList;
}

bool SkinScriptReader::IsHeader(std::string_view line, Section& section) {
    if (SkinText::SameText(line, "[Skins Info]")) {
        section = Section::Info;
    } else if (SkinText::SameText(line, "[Format]")) {
        section = Section::Format;
    } else if (SkinText::SameText(line, "[Objects]")) {
        section = Section::Objects;
    } else {
        return false;
    }
    return true;
}

bool SkinScriptReader::Read(std::string_view script, std::vector<SkinObjectRecord>& records,
                            std::string& error) {
    section_ = Section::None;
    for (auto& list : columns_) {
        list.clear();
    }
    formSeen_ = false;
    records.clear();
    std::size_t index = 0;
    std::string line;
    int lineNumber = 0;
    while (scrutils::ReadTextLine(script, index, line, kMaxLine)) {
        ++lineNumber;
        if (IsHeader(line, section_) || line.front() == ';') {
            continue;
        }
        // The info lines describe the skin and change nothing in it.
        if (section_ == Section::Format) {
            ReadFormatLine(line);
        } else if (section_ == Section::Objects && !ReadObjectLine(line, lineNumber, records)) {
            error = "the script has more than " + std::to_string(kMaxObjects) + " objects";
            records.clear();
            return false;
        }
    }
    return true;
}

void SkinScriptReader::ReadFormatLine(std::string_view line) {
    std::size_t pos = 0;
    std::string key;
    scrutils::ReadKeyToken(line, pos, key, kMaxLine);
    const std::optional<SkinObjectKind> kind = KindOf(key);
    if (!kind || *kind == SkinObjectKind::SpeedButton) {
        return;
    }
    std::vector<std::string>& columns = columns_[ListOf(*kind)];
    columns.clear();
    std::string field;
    while (scrutils::ReadFieldToken(line, pos, field, kMaxValue, true)) {
        columns.push_back(field.substr(0, kMaxColumnName));
    }
}

bool SkinScriptReader::ReadObjectLine(std::string_view line, int lineNumber,
                                      std::vector<SkinObjectRecord>& records) {
    std::size_t pos = 0;
    std::string key;
    scrutils::ReadKeyToken(line, pos, key, kMaxLine);
    const std::optional<SkinObjectKind> kind = KindOf(key);
    if (!kind) {
        return true;
    }
    if (*kind == SkinObjectKind::Form) {
        formSeen_ = true;
    } else if (*kind != SkinObjectKind::FullScreenSwap && !formSeen_) {
        return true;
    }
    if (records.size() >= kMaxObjects) {
        return false;
    }
    SkinObjectRecord record;
    record.kind = *kind;
    record.line = lineNumber;
    std::string field;
    for (const std::string& column : columns_[ListOf(*kind)]) {
        if (!scrutils::ReadFieldToken(line, pos, field, kMaxValue, true)) {
            break;
        }
        record.values.push_back({column, field});
    }
    records.push_back(std::move(record));
    return true;
}
