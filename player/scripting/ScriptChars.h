#pragma once
// Character classes of the command script language.
namespace script_chars {

constexpr char16_t kCr = u'\r';
constexpr char16_t kLf = u'\n';

// Space and TAB.
constexpr bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t';
}
// Space, TAB, CR and LF.
constexpr bool IsBlankOrLineEnd(char16_t c) {
    return IsBlank(c) || c == kCr || c == kLf;
}
// ASCII letters and "_"; digits are not name characters.
constexpr bool IsNameChar(char16_t c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_';
}
constexpr bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}
// What may follow a name in a statement or an operand: NUL, a blank, a line end, "(", ")" or ",".
constexpr bool IsNameEnd(char16_t c) {
    return c == 0 || IsBlankOrLineEnd(c) || c == u'(' || c == u')' || c == u',';
}
// What must follow a keyword, a built-in name or an object member: NUL, TAB, LF, CR, space, "(", ")".
constexpr bool IsWordEnd(char16_t c) {
    return c == 0 || IsBlankOrLineEnd(c) || c == u'(' || c == u')';
}

} // namespace script_chars
