// Every corpus script reads, writes and reads back to the same model; the writers' bytes match the
// golden files; style templates go through the same reader and writer.
#include "subtitles/model/FixedText.h"
#include "subtitles/model/StyleRecordFields.h"
#include "subtitles/scripts/tests/ScriptTestSupport.h"

#include "platform/text/CodePage.h"
#include "foundation/tests/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct CorpusCase {
    const char* file;
    int32_t codePage; // as handed to the reader
    int styles;       // the script's styles, a "Default" added when it has none
    int events;
    bool v4Plus;
    bool unicode;
    int32_t storedCodePage;
    std::u16string title;
    std::u16string firstText;
};

void PrintTo(const CorpusCase& c, std::ostream* os) {
    *os << c.file;
}

class CorpusRoundTrip : public testing::TestWithParam<CorpusCase> {};

TEST_P(CorpusRoundTrip, ReadsWritesAndReadsBackTheSameModel) {
    const CorpusCase& c = GetParam();
    TScriptControl first;
    ASSERT_TRUE(
        first.LoadFile(plat::text::AnsiToWide(TestDataPath(std::string("corpus/") + c.file)), c.codePage))
        << first.LoadError;
    EXPECT_EQ(first.Styles.Count, c.styles);
    EXPECT_EQ(first.Events.Count, c.events);
    EXPECT_EQ(first.V4Plus, c.v4Plus ? 1 : 0);
    EXPECT_EQ(first.Unicode, c.unicode ? 1 : 0);
    EXPECT_EQ(first.CodePage, c.storedCodePage);
    EXPECT_EQ(first.Title, c.title);
    EXPECT_EQ(first.FromPlainFile, 1);
    ASSERT_GT(first.Events.Count, 0);
    EXPECT_EQ(EventAt(first, 0).GetText(), c.firstText);

    const std::string bytes = Written(first);
    EXPECT_EQ(bytes.starts_with("\xFF\xFE"), c.unicode);
    TScriptControl second;
    ASSERT_TRUE(second.Parse(bytes, first.CodePage)) << second.LoadError;
    ExpectSameModel(first, second);
    EXPECT_EQ(Written(second), bytes); // writing is stable
}

const std::u16string kUtf8Title = u"\u00dcn\u00efc\u00f6d\u00e9 t\u00edtle \u2014 \u5b57\u5e55";
const std::u16string kUtf8First =
    u"Gr\u00fc\u00dfe aus K\u00f6ln \u2014 \u3053\u3093\u306b\u3061\u306f \U0001F3AC";

INSTANTIATE_TEST_SUITE_P(
    Corpus, CorpusRoundTrip,
    testing::Values(
        CorpusCase{"v4plus_every_field.ass", 0, 4, 6, true, false, 0, u"Every Field", u"Hi"},
        CorpusCase{"v4_decimal_colours.ssa", 0, 3, 4, false, false, 0, u"Old Style", u"First line"},
        CorpusCase{"utf8_no_bom.ass", 0, 2, 2, true, false, 0, kUtf8Title, kUtf8First},
        CorpusCase{"utf8_bom.ass", 0, 2, 2, true, false, 65001, kUtf8Title, kUtf8First},
        CorpusCase{"utf8_bom.ass", -1, 2, 2, true, false, 65001, kUtf8Title, kUtf8First},
        CorpusCase{"utf16le_bom.ass", -1, 2, 2, true, true, 1200, kUtf8Title, kUtf8First},
        CorpusCase{"utf16be_bom.ssa", 0, 3, 4, false, true, 0, u"\u03a9mega \u2014 \u9577\u3044",
                   u"First line"},
        CorpusCase{"cp1252_latin.ssa", 1252, 1, 2, false, false, 1252, u"L\u00e9gende fran\u00e7aise",
                   u"D\u00e9j\u00e0 vu, M\u00fcller, \u00c6r\u00f8, \u0153uvre \u2014 20 \u20ac"},
        CorpusCase{
            "cp1251_cyrillic.ass", 1251, 1, 2, true, false, 1251,
            u"\u0420\u0443\u0441\u0441\u043a\u0438\u0435 \u0441\u0443\u0431\u0442\u0438\u0442\u0440\u044b",
            u"\u041f\u0440\u0438\u0432\u0435\u0442, \u043c\u0438\u0440! \u0421\u044a\u0435\u0448\u044c "
            u"\u0435\u0449\u0451 \u044d\u0442\u0438\u0445 \u043c\u044f\u0433\u043a\u0438\u0445 "
            u"\u0444\u0440\u0430\u043d\u0446\u0443\u0437\u0441\u043a\u0438\u0445 "
            u"\u0431\u0443\u043b\u043e\u043a."}));

TEST(ScriptWriter, LegacyCodePagesAreWrittenInTheirOwnPage) {
    TScriptControl script;
    ASSERT_TRUE(script.LoadFile(plat::text::AnsiToWide(TestDataPath("corpus/cp1252_latin.ssa")), 1252));
    const std::string bytes = Written(script);
    EXPECT_NE(bytes.find("D\xE9j\xE0 vu, M\xFCller"), std::string::npos); // 1252 bytes, not UTF-8
    EXPECT_NE(bytes.find("Title: L\xE9gende"), std::string::npos);        // info texts in the same page
}

// The bytes of the writers for what the formats fix: every line but the comment lines of our own
// wording is given exactly by the format strings. SCRIPTS_UPDATE_GOLDEN=1 rewrites the files.
class GoldenFiles : public testing::TestWithParam<std::pair<const char*, const char*>> {};

TEST_P(GoldenFiles, WriterBytesMatch) {
    const auto [source, golden] = GetParam();
    TScriptControl script;
    ASSERT_TRUE(script.LoadFile(plat::text::AnsiToWide(TestDataPath(std::string("corpus/") + source)), -1));
    const std::string bytes = Written(script);
    const std::string path = TestDataPath(std::string("golden/") + golden);
    if (std::getenv("SCRIPTS_UPDATE_GOLDEN")) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    EXPECT_EQ(bytes, ReadBytes(path));
}

INSTANTIATE_TEST_SUITE_P(Writers, GoldenFiles,
                         testing::Values(std::make_pair("v4plus_every_field.ass", "v4plus_every_field.ass"),
                                         std::make_pair("v4_decimal_colours.ssa", "v4_decimal_colours.ssa"),
                                         std::make_pair("utf16le_bom.ass", "utf16le_bom.ass")));

TEST(ScriptWriter, LinesTheFormatsFixExactly) {
    TScriptControl script;
    ASSERT_TRUE(script.LoadFile(plat::text::AnsiToWide(TestDataPath("corpus/v4plus_every_field.ass")), 0));
    std::string v4Plus = Written(script);
    EXPECT_NE(v4Plus.find("\r\nDialogue: Marked=0,,0:00:01.00,0:00:02.50,Default,,,,,,Hi\r\n"),
              std::string::npos);
    EXPECT_NE(
        v4Plus.find("\r\nStyle: Top Left, DejaVu Sans, 36, &H0000FFFF, &H00FF0000, &H00202020, &H64000000, "
                    "-1, -1, -1, -1, 120, 80, 2, 0 ,3, 1, 0, 7, 25, 30, 40, 0\r\n"),
        std::string::npos);
    EXPECT_NE(v4Plus.find("\r\nTimer: 100.0000\r\nWrapStyle: 2\r\n"), std::string::npos);

    script.V4Plus = 0;
    const std::string v4 = Written(script);
    EXPECT_NE(v4.find("\r\nDialogue: Marked=0,0:00:01.00,0:00:02.50,Default,,,,,,Hi\r\n"), std::string::npos);
    // v4 values as stored (alignment 5 top left), decimal colours, encoding 1 written as 0
    EXPECT_NE(
        v4.find("\r\nStyle: Top Left, DejaVu Sans, 36, 65535, 16711680, 0, 1677721600, -1, -1, 3, 1, 0, 5, "
                "25, 30 ,40, 0, 0\r\n"),
        std::string::npos);
    EXPECT_NE(
        v4.find("\r\nStyle: Default, Arial, 48, 16777215, 255, 0, -2147483648, 0, 0, 1, 2, 2, 2, 10, 10 ,10, "
                "0, 0\r\n"),
        std::string::npos);
    EXPECT_NE(v4.find("ScriptType: v4.00\r\n"), std::string::npos);
}

TEST(ScriptWriter, NewScriptsWriteOnlyWhatTheyHold) {
    TScriptControl script;
    const std::string bytes = Written(script);
    EXPECT_TRUE(bytes.starts_with("[Script Info]\r\n; "));
    EXPECT_NE(bytes.find("\r\nScriptType: v4.00\r\nCollisions: \r\nPlayResY: 0\r\nPlayDepth: 0\r\n"
                         "Timer: 0.0000\r\n\r\n[V4 Styles]\r\n"),
              std::string::npos); // no PlayResX line for 0, no WrapStyle line when none was given
    EXPECT_NE(
        bytes.find("\r\n\r\n[Events]\r\nFormat: Marked, Start, End, Style, Name, MarginL, MarginR, MarginV, "
                   "Effect, Text\r\n\r\n\r\n; "),
        std::string::npos);
}

TEST(ScriptWriter, UnicodeScriptsAreWrittenAsUtf16Throughout) {
    TScriptControl script;
    ASSERT_TRUE(script.LoadFile(plat::text::AnsiToWide(TestDataPath("corpus/utf16le_bom.ass")), -1));
    const std::string bytes = Written(script);
    ASSERT_TRUE(bytes.starts_with("\xFF\xFE"));
    ASSERT_EQ(bytes.size() % 2, 0u);
    std::u16string text(bytes.size() / 2 - 1, u'\0');
    std::memcpy(text.data(), bytes.data() + 2, text.size() * 2);
    EXPECT_TRUE(text.starts_with(u"[Script Info]\r\n"));
    EXPECT_NE(text.find(u"Title: " + kUtf8Title + u"\r\n"), std::u16string::npos);
    EXPECT_NE(text.find(u"Dialogue: Marked=0,,0:00:01.00,0:00:03.00,Default,J\u00fcrgen,,,,," + kUtf8First),
              std::u16string::npos);
}

TEST(ScriptWriter, MergedCopiesTakeTheirTimesAndTheSourcesEverythingElse) {
    TScriptControl script;
    ASSERT_TRUE(script.LoadFile(plat::text::AnsiToWide(TestDataPath("corpus/v4plus_every_field.ass")), 0));
    const TTextEvent& source = EventAt(script, 1);
    TPointer<TSubEvents> merged;
    TSubEvents* copy = merged.Insert(nullptr, std::make_unique<TSubEvents>(kSubItemText));
    copy->CreateRecord();
    copy->GetRecord()->start = 61000;
    copy->GetRecord()->end = 62500;
    TMemoryObject out(256);
    script.Write(script.Styles, out, &merged, [&](const TSubEvents&) { return &source; });
    const std::string bytes(out.Data, static_cast<std::size_t>(out.Used));
    EXPECT_NE(bytes.find("\r\nDialogue: Marked=0,1,0:01:01.00,0:01:02.50,Top Left,Bob,10,20,30,Karaoke,"
                         "{\\b1}Bold{\\b0}, then {\\i1}italic{\\i0}, with commas\r\n"),
              std::string::npos);

    script.Write(script.Styles, out, &merged); // without a source the copy cannot be written
    EXPECT_EQ(std::string(out.Data, static_cast<std::size_t>(out.Used)).find("Dialogue:"), std::string::npos);
}

TEST(ScriptWriter, SaveToFileReplacesTheFileWhole) {
    TempDir dir;
    TScriptControl script;
    ASSERT_TRUE(script.LoadFile(plat::text::AnsiToWide(TestDataPath("corpus/v4_decimal_colours.ssa")), 0));
    dir.Write("out.ssa", "old content");
    EXPECT_TRUE(TScriptControl::SaveToFile(script, dir.WPath("out.ssa"), script.Styles));
    EXPECT_EQ(TempDir::Read(dir.Path("out.ssa")), Written(script));
    EXPECT_EQ(dir.EntryCount(), 1u); // no temporary file left behind
    EXPECT_FALSE(TScriptControl::SaveToFile(script, dir.WPath("missing/out.ssa"), script.Styles));
}

// A style template is an ordinary script: the chosen styles of a language are written into a new
// (v4) script with no events and read back from the ".ST" file.
TEST(StyleTemplates, ExportAndImportThroughTheScriptClasses) {
    TScriptControl language;
    ASSERT_TRUE(language.LoadFile(plat::text::AnsiToWide(TestDataPath("corpus/v4_decimal_colours.ssa")), 0));
    TScriptControl exported;
    for (const TStyles* style = language.Styles.Head; style; style = style->Next) {
        if (GetStyleName(style->Record) != u"Middle") {
            exported.Styles.Insert(nullptr, std::make_unique<TStyles>())->Record = style->Record;
        }
    }
    TempDir dir;
    ASSERT_TRUE(TScriptControl::SaveToFile(exported, dir.WPath("chosen.ST"), exported.Styles));

    TScriptControl imported;
    ASSERT_TRUE(imported.LoadFile(dir.WPath("chosen.ST"), 1)) << imported.LoadError;
    EXPECT_EQ(imported.V4Plus, 0);
    EXPECT_EQ(imported.Events.Count, 0);
    ASSERT_EQ(imported.Styles.Count, 2);
    EXPECT_EQ(std::memcmp(&imported.Styles.Head->Record, &language.Styles.Head->Record, 404), 0);
    EXPECT_EQ(std::memcmp(&imported.Styles.Tail->Record, &language.Styles.Head->Next->Record, 404), 0);

    TScriptControl shipped;
    ASSERT_TRUE(shipped.LoadFile(plat::text::AnsiToWide(TestDataPath("corpus/styles_template.ST")), 1));
    ASSERT_EQ(shipped.Styles.Count, 2);
    EXPECT_EQ(GetStyleName(shipped.Styles.Tail->Record), u"Sign");
    EXPECT_EQ(FixedTextView(shipped.Styles.Tail->Record.fontName, kStyleFontNameUnits), u"Arial Black");
    EXPECT_EQ(shipped.Styles.Tail->Record.alignment, 6);
}

} // namespace
