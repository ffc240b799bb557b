#include "subtitles/model/TOverrideBlockParser.h"
#include "core/include/SubtitleRecords.h"
#include "platform/text/Unicode.h"
#include "subtitles/model/TOverrideOpWriter.h"

#include <algorithm>
#include <limits>

namespace {

bool IsAsciiLetter(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}
bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}
char16_t Upper(char16_t c) {
    return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c;
}

// Characters of a tag word. The decimal point and plus sign are taken so that "\bord2.5" or
// "\pos(10.5,20)" read as tags rather than as text.
bool IsTagWordChar(char16_t c) {
    return IsDigit(c) || IsAsciiLetter(c) || c == u' ' || c == u'&' || c == u'(' || c == u')' || c == u',' ||
           c == u'-' || c == u'.' || c == u'+';
}

bool StartsNoCase(std::u16string_view text, std::u16string_view prefix) {
    if (text.size() < prefix.size()) {
        return false;
    }
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (Upper(text[i]) != Upper(prefix[i])) {
            return false;
        }
    }
    return true;
}

// A leading optionally signed decimal number after optional blanks; 0 when there is none. Saturates
// at the 32-bit range.
std::int64_t LeadingNumber(std::u16string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == u' ') {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    std::int64_t value = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        value =
            std::min<std::int64_t>(value * 10 + (text[i] - u'0'), std::numeric_limits<std::int32_t>::max());
    }
    return negative ? -value : value;
}

std::int16_t ToOperand(std::int64_t value) {
    return static_cast<std::int16_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int16_t>::min(),
                                                              std::numeric_limits<std::int16_t>::max()));
}

std::int32_t ToInt32(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

// Numpad alignment of a v4+ \an tag to the v4 numbering; 0 for a value out of 1..9.
std::int32_t NumpadToV4(std::int64_t numpad) {
    static constexpr std::int32_t kV4[] = {0, 1, 2, 3, 9, 10, 11, 5, 6, 7};
    return (numpad >= 1 && numpad <= 9) ? kV4[numpad] : 0;
}

} // namespace

TOverrideBlockParser::TOverrideBlockParser(std::u16string_view text, std::size_t open, std::int32_t alignment,
                                           std::int32_t wrapStyle)
    : Text(text), Pos(open + 1) {
    Block.alignment = alignment;
    Block.wrapStyle = wrapStyle;
}

std::optional<TOverrideBlock> TOverrideBlockParser::Parse() {
    if (Peek() != u'\\') {
        return std::nullopt;
    }
    while (Peek() == u'\\') {
        ++Pos;
        if (!ReadTag()) {
            return std::nullopt;
        }
        if (Peek() != u'\\' && Peek() != u'}') {
            return std::nullopt;
        }
    }
    if (Peek() != u'}') {
        return std::nullopt;
    }
    Block.end = Pos + 1;
    return std::move(Block);
}

char16_t TOverrideBlockParser::Peek(std::size_t ahead) const {
    return Pos + ahead < Text.size() ? Text[Pos + ahead] : u'\0';
}

std::optional<std::u16string_view> TOverrideBlockParser::ReadTagWord() {
    const std::size_t start = Pos;
    while (Pos < Text.size() && IsTagWordChar(Text[Pos])) {
        if (Pos - start >= kMaxTagWord) {
            return std::nullopt;
        }
        ++Pos;
    }
    return Text.substr(start, Pos - start);
}

std::optional<std::u16string_view> TOverrideBlockParser::ReadNameWord() {
    const std::size_t start = Pos;
    while (Pos < Text.size() && Text[Pos] != u'\\' && Text[Pos] != u'}') {
        if (Pos - start >= kMaxTagWord) {
            return std::nullopt;
        }
        ++Pos;
    }
    return Text.substr(start, Pos - start);
}

void TOverrideBlockParser::AddNumber(TOverrideOpcode opcode, std::u16string_view digits) {
    TOverrideOpWriter(Block.opcodes).AddNumber(opcode, ToOperand(LeadingNumber(digits)));
    Block.keepsRun = true;
}

bool TOverrideBlockParser::ReadTag() {
    const char16_t letter = Peek();
    if (!IsAsciiLetter(letter) && !IsDigit(letter)) {
        return false;
    }
    switch (Upper(letter)) {
    case u'1':
    case u'2':
    case u'3':
    case u'4': {
        const char16_t what = Upper(Peek(1));
        if ((what == u'C' || what == u'A') && Peek(2) == u'&') {
            Pos += 2;
            return ReadColour(what == u'C' ? kOpColour : kOpAlpha, static_cast<std::uint8_t>(letter - u'0'));
        }
        return SkipUnknownTag();
    }
    case u'C':
        if (Peek(1) == u'&') {
            ++Pos;
            return ReadColour(kOpColour, 0);
        }
        return SkipUnknownTag();
    case u'A':
        return ReadAlignment();
    case u'B':
        return ReadB();
    case u'F':
        return ReadF();
    case u'I':
        return IsAsciiLetter(Peek(1)) ? SkipUnknownTag() : ReadOnOff(kOpItalicOn, kOpItalicOff);
    case u'U':
        return IsAsciiLetter(Peek(1)) ? SkipUnknownTag() : ReadOnOff(kOpUnderlineOn, kOpUnderlineOff);
    case u'K':
        ++Pos;
        return ReadTagWord().has_value();
    case u'M': {
        ++Pos;
        const auto word = ReadTagWord();
        return word.has_value() && (StartsNoCase(*word, u"ove") || SkipUnknownTag());
    }
    case u'P':
        return ReadP();
    case u'Q':
        return ReadQ();
    case u'R': {
        ++Pos;
        TOverrideOpWriter(Block.opcodes).Add(kOpRestoreStyle);
        Block.keepsRun = true;
        return ReadNameWord().has_value();
    }
    case u'S':
        return ReadS();
    case u'T':
        return ReadTransform();
    default:
        return SkipUnknownTag();
    }
}

// At '&': "&H" and a word of 1 to 8 hexadecimal digits, read as one number (so that short forms such as
// "&HF00&" keep their value, as other SubStation readers take them), a closing '&' allowed.
bool TOverrideBlockParser::ReadColour(TOverrideOpcode opcode, std::uint8_t index) {
    if (Upper(Peek(1)) != u'H') {
        return false;
    }
    Pos += 2;
    const auto word = ReadTagWord();
    if (!word) {
        return false;
    }
    std::u16string_view digits = *word;
    if (!digits.empty() && digits.back() == u'&') {
        digits.remove_suffix(1);
    }
    if (digits.empty() || digits.size() > kMaxColourDigits) {
        return false;
    }
    std::uint32_t value = 0;
    for (const char16_t c : digits) {
        const int digit = plat::text::unicode::HexDigitValue(c);
        if (digit < 0) {
            return false;
        }
        value = (value << 4) | static_cast<std::uint32_t>(digit);
    }
    TOverrideOpWriter(Block.opcodes).AddColour(opcode, index, value);
    Block.keepsRun = true;
    return true;
}

// \a: \alpha is read and ignored; \an takes the numpad numbering of v4+ scripts; otherwise the v4
// number. An alignment of exactly 128 (\a0) is not changed again.
bool TOverrideBlockParser::ReadAlignment() {
    ++Pos;
    const auto word = ReadTagWord();
    if (!word) {
        return false;
    }
    if (StartsNoCase(*word, u"lpha")) {
        return true;
    }
    if (Block.alignment == kOverrideTagBit) {
        return true;
    }
    if (StartsNoCase(*word, u"n")) {
        const std::int32_t v4 = NumpadToV4(LeadingNumber(word->substr(1)));
        if (v4 != 0) {
            Block.alignment = kOverrideTagBit + v4;
        }
        return true;
    }
    // Only 0 to 127 fit beside the override bit; other numbers would read back as another value.
    const std::int64_t number = LeadingNumber(*word);
    if (number >= 0 && number < kOverrideTagBit) {
        Block.alignment = static_cast<std::int32_t>(kOverrideTagBit + number);
    }
    return true;
}

// \b: \be0/\be1, \bord, \blur (ignored), else bold on for a non-zero number.
bool TOverrideBlockParser::ReadB() {
    ++Pos;
    const auto word = ReadTagWord();
    if (!word) {
        return false;
    }
    if (StartsNoCase(*word, u"lur")) {
        return true;
    }
    if (StartsNoCase(*word, u"ord")) {
        AddNumber(kOpOutline, word->substr(3));
        return true;
    }
    if (StartsNoCase(*word, u"e")) {
        const char16_t value = word->size() > 1 ? (*word)[1] : u'\0';
        if (value == u'1' || value == u'0') {
            TOverrideOpWriter(Block.opcodes).Add(value == u'1' ? kOpBlurEdgesOn : kOpBlurEdgesOff);
            Block.keepsRun = true;
        }
        return true; // stronger edge blurs cannot be drawn
    }
    TOverrideOpWriter(Block.opcodes).Add(LeadingNumber(*word) != 0 ? kOpBoldOn : kOpBoldOff);
    Block.keepsRun = true;
    return true;
}

bool TOverrideBlockParser::ReadF() {
    const char16_t sub = Upper(Peek(1));
    if (sub == u'N') {
        Pos += 2;
        auto name = ReadNameWord();
        if (!name || name->size() > kOpFontNameMaxChars) {
            return false;
        }
        // The stored name ends at its first zero character.
        name = name->substr(0, name->find(u'\0'));
        if (!name->empty()) {
            TOverrideOpWriter(Block.opcodes).AddFontName(*name);
            Block.keepsRun = true;
        }
        return true;
    }
    ++Pos;
    const auto word = ReadTagWord();
    if (!word) {
        return false;
    }
    if (StartsNoCase(*word, u"ad") || StartsNoCase(*word, u"r")) {
        Block.keepsRun = true; // \fad, \fade, \fr, \frx, \fry, \frz: read, not drawn
        return true;
    }
    if (StartsNoCase(*word, u"e")) {
        AddNumber(kOpCharset, word->substr(1));
    } else if (StartsNoCase(*word, u"scx")) {
        AddNumber(kOpScaleX, word->substr(3));
    } else if (StartsNoCase(*word, u"scy")) {
        AddNumber(kOpScaleY, word->substr(3));
    } else if (StartsNoCase(*word, u"sp")) {
        AddNumber(kOpSpacing, word->substr(2));
    } else if (StartsNoCase(*word, u"s") && !StartsNoCase(*word, u"sc")) {
        AddNumber(kOpFontSize, word->substr(1));
    }
    return true; // \fax, \fay and other \f tags: read, not drawn
}

// \i, \u: exactly one character, 1 or 0.
bool TOverrideBlockParser::ReadOnOff(TOverrideOpcode on, TOverrideOpcode off) {
    const char16_t value = Peek(1);
    if (value != u'1' && value != u'0') {
        return false;
    }
    Pos += 2;
    TOverrideOpWriter(Block.opcodes).Add(value == u'1' ? on : off);
    Block.keepsRun = true;
    return true;
}

// \pos(x,y); \p with a number switches drawing mode; other \p tags are read and ignored.
bool TOverrideBlockParser::ReadP() {
    ++Pos;
    const auto word = ReadTagWord();
    if (!word) {
        return false;
    }
    if (StartsNoCase(*word, u"os")) {
        const std::size_t open = word->find(u'(');
        const std::size_t comma = open == std::u16string_view::npos ? open : word->find(u',', open);
        if (word->size() < 2 || open == std::u16string_view::npos || open + 1 >= word->size() ||
            comma == std::u16string_view::npos || comma + 1 >= word->size()) {
            return false;
        }
        Block.positioned = true;
        Block.posX = ToInt32(LeadingNumber(word->substr(open + 1)));
        Block.posY = ToInt32(LeadingNumber(word->substr(comma + 1)));
        Block.keepsRun = true;
        return true;
    }
    if (!word->empty() && IsDigit((*word)[0])) {
        Block.drawing = LeadingNumber(*word) != 0;
    }
    return true;
}

// \q and exactly one digit; a wrap style of exactly 128 (\q0) is not changed again.
bool TOverrideBlockParser::ReadQ() {
    const char16_t digit = Peek(1);
    if (!IsDigit(digit)) {
        return false;
    }
    Pos += 2;
    if (Block.wrapStyle != kOverrideTagBit) {
        Block.wrapStyle = kOverrideTagBit + (digit - u'0');
    }
    return true;
}

// \shad, \s1, \s0.
bool TOverrideBlockParser::ReadS() {
    if (StartsNoCase(Text.substr(Pos + 1), u"had")) {
        ++Pos;
        const auto word = ReadTagWord();
        if (!word) {
            return false;
        }
        AddNumber(kOpShadow, word->substr(3));
        return true;
    }
    return IsAsciiLetter(Peek(1)) ? SkipUnknownTag() : ReadOnOff(kOpStrikeOn, kOpStrikeOff);
}

// \t(...): read up to its matching ')', nested parentheses included, and ignored. A '}' first
// ends the block and refuses it.
bool TOverrideBlockParser::ReadTransform() {
    ++Pos;
    const std::size_t start = Pos;
    int depth = 0;
    while (Pos < Text.size() && Pos - start < kMaxTransform && Text[Pos] != u'}') {
        const char16_t c = Text[Pos++];
        if (c == u'(') {
            ++depth;
        } else if (c == u')' && --depth <= 0) {
            return true;
        }
    }
    return false;
}

// A tag the renderer does not draw (\clip, \iclip, \org, \xbord, \fax, ...): its name, then its
// arguments up to the next '\' outside parentheses or the block's '}'.
bool TOverrideBlockParser::SkipUnknownTag() {
    int depth = 0;
    while (Pos < Text.size()) {
        const char16_t c = Text[Pos];
        if (c == u'}' || (depth == 0 && c == u'\\')) {
            return true;
        }
        if (c == u'(') {
            ++depth;
        } else if (c == u')' && depth > 0) {
            --depth;
        }
        ++Pos;
    }
    return false;
}
