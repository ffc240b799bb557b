// The language name a language file gives, whatever its encoding or layout.
#include "player/dialogs/config/TLanguageFiles.h"

#include <gtest/gtest.h>

namespace {

std::string Utf16(const std::u16string& text, bool oddTail = false) {
    std::string bytes = "\xFF\xFE";
    for (char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return oddTail ? bytes + "<" : bytes;
}

TEST(LanguageFiles, NamesComeFromTheLanguageElement) {
    const struct {
        const char* what;
        std::string head;
        std::optional<std::u16string> name;
    } cases[] = {
        {"8-bit", "<?xml?>\n<LANGUAGE NAME=\"English\">", u"English"},
        {"UTF-8 letters",
         "<language  name = \"Fran\xC3\xA7"
         "ais\" >",
         u"Fran\u00E7ais"},
        {"UTF-16 with a mark", Utf16(u"<Language Name=\"Deutsch\">"), u"Deutsch"},
        {"UTF-16 with an odd byte", Utf16(u"<LANGUAGE NAME=\"Dansk\">", true), u"Dansk"},
        {"no LANGUAGE element", "<TOVRIN NAME=\"x\">", std::nullopt},
        {"quote after the tag's end", "<LANGUAGE NAME=>\"x\"", std::nullopt},
        {"unterminated name", "<LANGUAGE NAME=\"never ends", std::nullopt},
        {"name past the head", std::string(2100, ' ') + "<LANGUAGE NAME=\"late\">", std::nullopt},
        {"empty", "", std::nullopt},
    };
    for (const auto& item : cases) {
        SCOPED_TRACE(item.what);
        const std::string head = item.head.substr(0, TLanguageFiles::kHeadBytes);
        EXPECT_EQ(TLanguageFiles::NameInHead(head), item.name);
    }
}

TEST(LanguageFiles, ALongNameIsCut) {
    const std::string name(400, 'n');
    const auto read = TLanguageFiles::NameInHead("<LANGUAGE NAME=\"" + name + "\">");
    ASSERT_TRUE(read);
    EXPECT_EQ(read->size(), TLanguageFiles::kMaxNameUnits);
}

} // namespace
