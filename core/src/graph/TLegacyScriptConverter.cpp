#include "core/src/graph/TLegacyScriptConverter.h"

#include "platform/text/CaseFold.h"
#include "foundation/TMemoryObject.h"

#include <algorithm>
#include <string>

namespace {

constexpr char16_t kMediaFileReference[] = u"##TOVVAR:FileName##";
constexpr std::u16string_view kMediaFileArgument = u"<filename>";

// Letters whose upper case is A to Z (the dotless i and the long s included), digits, '#' and '/'.
bool IsKeywordChar(char16_t c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') || c == u'#' ||
           c == u'/' || c == u'\u0131' || c == u'\u017F';
}

bool IsLineBreak(char16_t c) {
    return c == u'\n' || c == u'\f';
}

bool IsArgumentSeparator(char16_t c) {
    return c == u'(' || c == u')' || c == u',';
}

} // namespace

const TLegacyScriptConverter::Command TLegacyScriptConverter::kCommands[] = {
    {u"LoadFilter", u"<FILTER ", {u"CLSID", u"ID"}, u">\r\n</FILTER>\r\n", -1},
    {u"SetFilterFileName", u"<SETFILENAME ", {u"FILTERID", u"FILE"}, u"/>\r\n", 1},
    {u"ConnectPin", u"<CONNECT DIRECT=\"yes\" ", {u"src", u"srcpin", u"dest", u"destpin"}, u"/>\r\n", -1},
    {u"IndirectConnectPin",
     u"<CONNECT DIRECT=\"no\" ",
     {u"src", u"srcpin", u"dest", u"destpin"},
     u"/>\r\n",
     -1},
    {u"RenderPin", u"<RENDER ", {u"Id", u"Pin"}, u"/>\r\n", -1},
    {u"SetFilterSync", nullptr, {}, nullptr, -1},
    {u"UseSystemClock", nullptr, {}, nullptr, -1},
};

bool TLegacyScriptConverter::Convert(const char16_t* script, TMemoryObject& xgr) {
    if (!script || !*script) {
        return false;
    }
    TLegacyScriptConverter(script, xgr).Run();
    return true;
}

TLegacyScriptConverter::TLegacyScriptConverter(std::u16string_view script, TMemoryObject& xgr)
    : script_(script), xgr_(xgr) {}

void TLegacyScriptConverter::Run() {
    xgr_.AppendString(u"<GRAPH version=\"1.0\">\r\n");
    std::u16string_view keyword;
    while (NextKeyword(keyword)) {
        ConvertCommand(keyword);
        NextLine();
    }
    xgr_.AppendString(u"</GRAPH>\r\n");
    xgr_.AppendNul();
}

// A keyword that would be the text's last character is not taken.
bool TLegacyScriptConverter::NextKeyword(std::u16string_view& keyword) {
    while (at_ < script_.size() && !IsKeywordChar(script_[at_])) {
        ++at_;
    }
    if (script_.size() - at_ < 2) {
        return false;
    }
    const std::size_t begin = at_;
    while (at_ < script_.size() && IsKeywordChar(script_[at_])) {
        ++at_;
    }
    keyword = script_.substr(begin, at_ - begin);
    return true;
}

void TLegacyScriptConverter::ConvertCommand(std::u16string_view keyword) {
    for (const Command& command : kCommands) {
        if (plat::text::StartsWithNoCase(command.name, keyword)) {
            if (command.opening) {
                WriteElement(command);
            }
            return;
        }
    }
}

// A missing argument ends the element at once; the rest of the line is not read.
void TLegacyScriptConverter::WriteElement(const Command& command) {
    xgr_.AppendString(command.opening);
    const auto count = static_cast<int>(std::ranges::count_if(command.attributes, [](auto* a) { return a; }));
    for (int index = 0; index < count; ++index) {
        std::u16string_view argument;
        if (!NextArgument(index == count - 1, argument)) {
            break;
        }
        const bool namesMediaFile =
            index == command.mediaFileArgument && plat::text::StartsWithNoCase(kMediaFileArgument, argument);
        WriteAttribute(command.attributes[index], namesMediaFile ? kMediaFileReference : argument);
    }
    xgr_.AppendString(command.closing);
}

// Parentheses and commas before an argument are skipped, blanks are not. The arguments of a line
// lie before its last ')': each ends before the next comma, the last one before that ')'. A line
// without ')' therefore has no arguments at all.
bool TLegacyScriptConverter::NextArgument(bool last, std::u16string_view& argument) {
    while (at_ < script_.size() && IsArgumentSeparator(script_[at_])) {
        ++at_;
    }
    if (script_.size() - at_ < 2) {
        return false;
    }
    UpdateLine();
    if (lastClose_ == kNone || lastClose_ < at_) {
        return false;
    }
    const std::size_t end = last ? lastClose_ : NextComma();
    if (end > lastClose_) {
        return false;
    }
    argument = script_.substr(at_, end - at_);
    at_ = end;
    return true;
}

// Arguments are escaped so that the XML reader gives them back unchanged.
void TLegacyScriptConverter::WriteAttribute(const char16_t* name, std::u16string_view value) {
    xgr_.AppendString(name);
    xgr_.AppendString(u"=\"");
    xgr_.AppendXmlEscaped(std::u16string(value).c_str(), false, false);
    xgr_.AppendString(u"\" ");
}

// Without a following line break nothing moves, so the rest of a last line is read for keywords.
void TLegacyScriptConverter::NextLine() {
    UpdateLine();
    if (lineEnd_ == script_.size()) {
        return;
    }
    at_ = lineEnd_ + 1;
    while (at_ < script_.size() && !IsKeywordChar(script_[at_])) {
        ++at_;
    }
}

// The reading position only moves forward, so each line is scanned once for its end and its last ')'.
void TLegacyScriptConverter::UpdateLine() {
    if (lineEnd_ != kNone && lineEnd_ >= at_) {
        return;
    }
    lineEnd_ = at_;
    while (lineEnd_ < script_.size() && !IsLineBreak(script_[lineEnd_])) {
        ++lineEnd_;
    }
    const std::size_t close = script_.substr(at_, lineEnd_ - at_).rfind(u')');
    lastClose_ = close == std::u16string_view::npos ? kNone : at_ + close;
}

// The next comma at or after the reading position, or the script's end; kept until the position passes it.
std::size_t TLegacyScriptConverter::NextComma() {
    if (nextComma_ == kNone || nextComma_ < at_) {
        nextComma_ = at_;
        while (nextComma_ < script_.size() && script_[nextComma_] != u',') {
            ++nextComma_;
        }
    }
    return nextComma_;
}
