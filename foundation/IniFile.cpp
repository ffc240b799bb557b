#include "foundation/IniFile.h"

#include "foundation/FileIo.h"
#include "platform/text/CaseFold.h"

#include <charconv>
#include <filesystem>
#include <system_error>

namespace {

constexpr std::string_view kBlanks = " \t";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::size_t kNone = static_cast<std::size_t>(-1);

std::string_view Trim(std::string_view text) {
    const std::size_t begin = text.find_first_not_of(kBlanks);
    if (begin == std::string_view::npos) {
        return {};
    }
    return text.substr(begin, text.find_last_not_of(kBlanks) - begin + 1);
}

bool HasLineBreakOrNul(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

} // namespace

bool IniFile::Load(const char* path) {
    std::string bytes;
    if (!fileio::ReadWholeFile(path, bytes)) {
        std::error_code error;
        const auto status = std::filesystem::status(path, error);
        if (status.type() != std::filesystem::file_type::not_found) {
            return false;
        }
        bytes.clear();
    }
    Parse(bytes);
    return true;
}

bool IniFile::Save(const char* path) const {
    const std::string text = Text();
    return fileio::WriteWholeFile(path, text.data(), text.size());
}

void IniFile::Parse(std::string_view bytes) {
    lines_.clear();
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t feed = bytes.find('\n', start);
        if (feed == std::string_view::npos) {
            lines_.push_back(MakeLine(std::string(bytes.substr(start)), ""));
            break;
        }
        const bool crlf = feed > start && bytes[feed - 1] == '\r';
        const std::size_t end = crlf ? feed - 1 : feed;
        lines_.push_back(MakeLine(std::string(bytes.substr(start, end - start)), crlf ? "\r\n" : "\n"));
        start = feed + 1;
    }
}

std::string IniFile::Text() const {
    std::string text;
    for (const Line& line : lines_) {
        text += line.text;
        text += line.ending;
    }
    return text;
}

IniFile::Line IniFile::MakeLine(std::string text, std::string_view ending) {
    Line line;
    line.text = std::move(text);
    line.ending = ending;
    std::string_view content = line.text;
    const std::size_t skipped = content.starts_with(kUtf8Bom) ? kUtf8Bom.size() : 0;
    content.remove_prefix(skipped);
    const std::string_view trimmed = Trim(content);
    if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '#') {
        return line;
    }
    if (trimmed.front() == '[') {
        const std::size_t close = trimmed.find(']');
        if (close != std::string_view::npos) {
            line.kind = LineKind::Section;
            line.name = Trim(trimmed.substr(1, close - 1));
        }
        return line;
    }
    const std::size_t equals = content.find('=');
    if (equals == std::string_view::npos) {
        return line;
    }
    line.kind = LineKind::Value;
    line.name = Trim(content.substr(0, equals));
    const std::string_view rawValue = content.substr(equals + 1);
    const std::string_view value = Trim(rawValue);
    const std::size_t rawBegin = skipped + equals + 1;
    line.valueBegin = value.empty() ? rawBegin : rawBegin + static_cast<std::size_t>(value.data() - rawValue.data());
    line.valueEnd = line.valueBegin + value.size();
    return line;
}

bool IniFile::SectionExists(std::string_view section) const {
    for (const Line& line : lines_) {
        if (line.kind == LineKind::Section && plat::text::EqualsNoCaseA(line.name, section)) {
            return true;
        }
    }
    return false;
}

bool IniFile::ValueExists(std::string_view section, std::string_view key) const {
    return FindValue(section, key) != nullptr;
}

std::size_t IniFile::FindValueIndex(std::string_view section, std::string_view key) const {
    bool inSection = false;
    for (std::size_t index = 0; index < lines_.size(); ++index) {
        const Line& line = lines_[index];
        if (line.kind == LineKind::Section) {
            inSection = plat::text::EqualsNoCaseA(line.name, section);
        } else if (inSection && line.kind == LineKind::Value && plat::text::EqualsNoCaseA(line.name, key)) {
            return index;
        }
    }
    return kNone;
}

const IniFile::Line* IniFile::FindValue(std::string_view section, std::string_view key) const {
    const std::size_t index = FindValueIndex(section, key);
    return index == kNone ? nullptr : &lines_[index];
}

std::string IniFile::ReadString(std::string_view section, std::string_view key, std::string_view fallback) const {
    const Line* line = FindValue(section, key);
    if (!line) {
        return std::string(fallback);
    }
    return line->text.substr(line->valueBegin, line->valueEnd - line->valueBegin);
}

std::int32_t IniFile::ReadInteger(std::string_view section, std::string_view key, std::int32_t fallback) const {
    const Line* line = FindValue(section, key);
    if (!line) {
        return fallback;
    }
    const char* begin = line->text.data() + line->valueBegin;
    const char* end = line->text.data() + line->valueEnd;
    if (end - begin > 1 && *begin == '+' && begin[1] != '-') {
        ++begin; // from_chars takes a minus sign only
    }
    std::int32_t number = 0;
    const auto [stop, error] = std::from_chars(begin, end, number);
    if (error != std::errc() || stop != end || begin == end) {
        return fallback;
    }
    return number;
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool fallback) const {
    return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

bool IniFile::IsWritableName(std::string_view name) {
    const std::string_view trimmed = Trim(name);
    return !trimmed.empty() && trimmed.size() == name.size() && !HasLineBreakOrNul(name);
}

bool IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    const bool keyFits = IsWritableName(key) && key.find('=') == std::string_view::npos &&
                         key.front() != '[' && key.front() != ';' && key.front() != '#';
    const bool sectionFits = IsWritableName(section) && section.find(']') == std::string_view::npos;
    if (!keyFits || !sectionFits || HasLineBreakOrNul(value)) {
        return false;
    }
    const std::string_view trimmedValue = Trim(value);
    const std::size_t index = FindValueIndex(section, key);
    if (index != kNone) {
        Line& line = lines_[index];
        line.text.replace(line.valueBegin, line.valueEnd - line.valueBegin, trimmedValue);
        line.valueEnd = line.valueBegin + trimmedValue.size();
        return true;
    }
    if (!SectionExists(section)) {
        AppendSection(section);
    }
    const std::size_t end = FindSectionEnd(section);
    if (lines_[end - 1].ending.empty()) {
        lines_[end - 1].ending = NewLineEnding(); // the file's last line had no line end
    }
    std::string text = std::string(key) + '=' + std::string(trimmedValue);
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(end), MakeLine(std::move(text), NewLineEnding()));
    return true;
}

bool IniFile::WriteInteger(std::string_view section, std::string_view key, std::int32_t value) {
    return WriteString(section, key, std::to_string(value));
}

bool IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
    return WriteString(section, key, value ? "1" : "0");
}

// The place after the last key of the first section of that name (after its header when it has
// no key), so that a new key goes before the blank lines and comments that precede the next section.
std::size_t IniFile::FindSectionEnd(std::string_view section) const {
    std::size_t end = kNone;
    bool inSection = false;
    for (std::size_t index = 0; index < lines_.size(); ++index) {
        const Line& line = lines_[index];
        if (line.kind == LineKind::Section) {
            if (inSection) {
                break;
            }
            inSection = end == kNone && plat::text::EqualsNoCaseA(line.name, section);
            if (inSection) {
                end = index + 1;
            }
        } else if (inSection && line.kind == LineKind::Value) {
            end = index + 1;
        }
    }
    return end;
}

// New lines end like the file's first line, CR LF in a file that has none.
std::string_view IniFile::NewLineEnding() const {
    if (!lines_.empty() && !lines_.front().ending.empty()) {
        return lines_.front().ending;
    }
    return "\r\n";
}

// A new section goes at the end of the file, after one empty line that separates it from the text
// before.
void IniFile::AppendSection(std::string_view section) {
    const std::string_view ending = NewLineEnding();
    if (!lines_.empty()) {
        if (lines_.back().ending.empty()) {
            lines_.back().ending = ending;
        }
        if (!Trim(lines_.back().text).empty()) {
            lines_.push_back(MakeLine(std::string(), ending));
        }
    }
    lines_.push_back(MakeLine('[' + std::string(section) + ']', ending));
}
