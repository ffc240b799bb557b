// HTML-like tags of subtitle text as override tags: the simple tags, font attributes in their
// spellings, closing tags giving back what was in force, and text that only looks like a tag.
#include "platform/text/CodePage.h"
#include "plugins/decoders/tamble/THtmlTagConverter.h"

#include <gtest/gtest.h>

namespace {

TEST(HtmlTagConverter, ConvertsTagsLikeThis) {
    const struct {
        const char* text;
        const char* converted;
    } cases[] = {
        {"<i>a</i> <B>b</B> <u>c</u> <s>d</s>", "{\\i1}a{\\i0} {\\b1}b{\\b0} {\\u1}c{\\u0} {\\s1}d{\\s0}"},
        {"a<br>b<br/>c< / i >", "a\\nb\\nc{\\i0}"},
        {"<font color=\"#FF8000\">x</font>", "{\\c&H0080ff&}x{\\c&H00ffff&}"},
        {"<FONT COLOR='red'>x</FONT>", "{\\c&H0000ff&}x{\\c&H00ffff&}"},
        {"<font color=#00ff00 face=\"DejaVu Sans\" size=36>x</font>",
         "{\\c&H00ff00&}{\\fnDejaVu Sans}{\\fs36}x{\\c&H00ffff&}{\\fnArial}{\\fs28}"},
        // A closing tag gives back the enclosing font's values.
        {"<font color=red>a<font color=blue size=20>b</font>c</font>d",
         "{\\c&H0000ff&}a{\\c&Hff0000&}{\\fs20}b{\\c&H0000ff&}{\\fs28}c{\\c&H00ffff&}d"},
        // Attributes that are no colour, face or size set nothing and give nothing back.
        {"<font color=\"nothing\" size=big face=\"a}b\" class=x>a</font>b", "ab"},
        {"</font>stray", "stray"},
        {"unclosed <font color=red>a", "unclosed {\\c&H0000ff&}a"},
        // Text that is no known tag stays as it is.
        {"1 < 2 > 0, <3 you>, <span>x</span>, a<b", "1 < 2 > 0, <3 you>, <span>x</span>, a<b"},
        {"<<i>>", "<{\\i1}>"},
    };
    THtmlTagConverter converter;
    for (const auto& c : cases) {
        EXPECT_EQ(plat::text::WideToAnsi(converter.Convert(plat::text::AnsiToWide(c.text))), c.converted)
            << c.text;
    }
}

TEST(HtmlTagConverter, LongAndDeepInputStaysBounded) {
    THtmlTagConverter converter;
    const std::u16string longTag = u"<font " + std::u16string(THtmlTagConverter::kMaxTagChars, u'x') + u">";
    EXPECT_EQ(converter.Convert(longTag), longTag);
    std::u16string deep;
    for (int i = 0; i < 100000; ++i) {
        deep += u"<font color=red>";
    }
    for (int i = 0; i < 100000; ++i) {
        deep += u"</font>";
    }
    EXPECT_FALSE(converter.Convert(deep).empty());
}

} // namespace
