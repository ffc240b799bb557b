#include "plugins/decoders/markup/MarkupTag.h"

#include "plugins/decoders/markup/MarkupColour.h"

namespace markup {

namespace {

bool IsCapital(char c) {
    return c >= 'A' && c <= 'Z';
}

char Upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool IsValueChar(char c) {
    return IsCapital(c) || (c >= '0' && c <= '9') || c == '"' || c == '#' || c == '.' || c == ':';
}

std::size_t SkipBlanks(std::string_view text, std::size_t pos) {
    while (pos < text.size() && IsBlank(text[pos])) {
        ++pos;
    }
    return pos;
}

} // namespace

bool ReadTag(TByteReader& reader, std::string& tag) {
    tag.clear();
    char c = 0;
    bool first = true;
    while (tag.size() < kMaxTagChars && reader.Next(c)) {
        if (c == '>' && !first) {
            return true;
        }
        if (c != '>') {
            tag.push_back(Upper(c));
        }
        first = false;
    }
    return false;
}

TTagParts SplitTag(std::string_view tag, bool skipLeading) {
    std::size_t start = 0;
    if (skipLeading) {
        while (start < tag.size() && !IsCapital(tag[start]) && tag[start] != '/') {
            ++start;
        }
    }
    if (start >= tag.size() || (!IsCapital(tag[start]) && tag[start] != '/')) {
        return {{}, tag.substr(start)};
    }
    std::size_t end = start + 1;
    while (end < tag.size() && end - start < kMaxTagName && IsCapital(tag[end])) {
        ++end;
    }
    return {tag.substr(start, end - start), tag.substr(end)};
}

std::optional<std::string_view> AttributeValue(std::string_view attributes, std::string_view name) {
    if (name.empty()) {
        return std::nullopt;
    }
    std::string upperName(name);
    for (char& c : upperName) {
        c = Upper(c);
    }
    for (std::size_t found = attributes.find(upperName); found != std::string_view::npos;
         found = attributes.find(upperName, found + 1)) {
        std::size_t pos = SkipBlanks(attributes, found + upperName.size());
        if (pos >= attributes.size() || attributes[pos] != '=') {
            continue;
        }
        pos = SkipBlanks(attributes, pos + 1);
        std::size_t end = pos;
        while (end < attributes.size() && end - pos < kMaxAttributeValue && IsValueChar(attributes[end])) {
            ++end;
        }
        if (end > pos) {
            return attributes.substr(pos, end - pos);
        }
    }
    return std::nullopt;
}

bool AppendFormattingTag(std::string_view name, std::string_view attributes, TSubtitleText& text) {
    if (name == "FONT") {
        const std::optional<std::string_view> value = AttributeValue(attributes, "COLOR");
        const std::optional<uint32_t> colour = value ? ParseColour(*value) : std::nullopt;
        if (colour) {
            text.AppendWhole(RgbOverride(*colour));
        }
    } else if (name == "BR") {
        text.AppendWhole("\\N");
    } else if (name == "B" || name == "/B" || name == "I" || name == "/I") {
        const bool closing = name.front() == '/';
        text.AppendWhole(std::string("{\\") + name.back() + (closing ? "0}" : "1}"));
    } else {
        return false;
    }
    return true;
}

} // namespace markup
