// The ".sdf" reader: what each token and line does to the definitions, files in UTF-16 and in 8-bit
// code pages, and loading a folder twice.
#include "platform/text/CodePage.h"
#include "plugins/decoders/tamble/DefinitionFiles.h"
#include "plugins/decoders/tamble/TFormatRegistry.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

using plat::text::AnsiToWide;
using plat::text::WideToAnsi;

std::string Escaped(std::u16string_view text) {
    std::string out;
    for (const char c : WideToAnsi(text)) {
        out += c == '\r' ? std::string("\\r") : c == '\n' ? std::string("\\n") : std::string(1, c);
    }
    return out;
}

// Every field of a definition in one line, for comparing tables of cases.
std::string Dump(const TFormatDefinition& d) {
    std::string out = "name=" + (d.Name ? "'" + WideToAnsi(*d.Name) + "'" : std::string("none"));
    out += " id=" + (d.Identifier ? "'" + WideToAnsi(*d.Identifier) + "'" : std::string("none"));
    out += " le=" + Escaped(d.LineEnd);
    for (const TFormatTemplate& t : d.Templates) {
        out += std::string(t.Comment ? " C[" : " T[") + Escaped(t.Text) + "]";
    }
    for (const TReplacement& r : d.Replacements) {
        out += " R[" + Escaped(r.Find) + "=>" + Escaped(r.Replace) + "]";
    }
    for (const std::u16string& e : d.Extensions) {
        out += " E[" + WideToAnsi(e) + "]";
    }
    if (d.HtmlTags) {
        out += " html";
    }
    return out;
}

std::string DumpAll(const TFormatRegistry& registry) {
    std::string out;
    for (const auto& d : registry.Definitions()) {
        out += (out.empty() ? "" : " | ") + Dump(*d);
    }
    return out;
}

std::string Read(const std::string& text) {
    TFormatRegistry registry;
    registry.LoadDefinitions(AnsiToWide(text));
    return DumpAll(registry);
}

const std::string kBegin = "[#scriptdef: begin]\r\n";

TEST(DefinitionReader, TokensAndLinesGiveTheseDefinitions) {
    const struct {
        const char* what;
        std::string sdf;
        std::string definitions;
    } cases[] = {
        {"nothing outside a definition", "[#name]x\r\n[#dialogue: end]\r\n", ""},
        {"name keeps leading spaces", kBegin + "[#name]  Sub Rip\r\n", "name='  Sub Rip' id=none le=\\r\\n"},
        {"name on the next line is not taken", kBegin + "[#name]\r\nSubRip\r\n",
         "name=none id=none le=\\r\\n"},
        {"identifier", kBegin + "[#ID]SRT\r\n", "name=none id='SRT' le=\\r\\n"},
        {"line end LF", kBegin + "[#linefeed]0x0A\r\n", "name=none id=none le=\\n"},
        {"line end CR LF after LF", kBegin + "[#linefeed]0x0A\r\n[#linefeed]0x0D0A\r\n",
         "name=none id=none le=\\r\\n"},
        {"odd line end ignored", kBegin + "[#linefeed]0x0A\r\n[#linefeed]0xA\r\n",
         "name=none id=none le=\\n"},
        {"bare 0x ignored", kBegin + "[#linefeed]0x0A\r\n[#linefeed]0x\r\n", "name=none id=none le=\\n"},
        {"not hexadecimal ignored", kBegin + "[#linefeed]0xZZ\r\n", "name=none id=none le=\\r\\n"},
        {"template lines joined by CR LF",
         kBegin + "[#dialogue: begin] ignored\r\n[#subnumber:num]\r\n[#text:toeol]\r\n[#dialogue: end]\r\n",
         "name=none id=none le=\\r\\n T[[#subnumber:num]\\r\\n[#text:toeol]\\r\\n]"},
        {"comment template keeps its mark",
         kBegin + "[#comment: begin]\r\nx[#text:toeol]\r\n[#comment: end]\r\n",
         "name=none id=none le=\\r\\n C[x[#text:toeol]\\r\\n]"},
        {"escaped token gives [#]", kBegin + "[#dialogue: begin]\r\n[#[#]][#[#xyz]\r\n[#dialogue: end]\r\n",
         "name=none id=none le=\\r\\n T[[#][#\\r\\n]"},
        {"empty dialogue block removes templates",
         kBegin + "[#dialogue: begin]\r\na\r\n[#dialogue: end][#dialogue: begin]\r\n[#dialogue: end]\r\n",
         "name=none id=none le=\\r\\n"},
        {"other word after dialogue: keeps the state", kBegin + "[#dialogue: maybe]\r\n[#name]n\r\n",
         "name='n' id=none le=\\r\\n"},
        {"replacement pairs", kBegin + "[#replace: begin]\r\n<i>[#]{\\i1}\r\n|[#]\\n\r\n[#replace: end]\r\n",
         "name=none id=none le=\\r\\n R[<i>=>{\\i1}] R[|=>\\n]"},
        {"empty line removes the pairs before it",
         kBegin + "[#replace: begin]\r\na[#]b\r\n\r\nc[#]d\r\n[#replace: end]\r\n",
         "name=none id=none le=\\r\\n R[c=>d]"},
        {"empty find text ignored", kBegin + "[#replace: begin]\r\n[#]x\r\na[#]b\r\n[#replace: end]\r\n",
         "name=none id=none le=\\r\\n R[a=>b]"},
        {"extensions one per line",
         kBegin + "[#extention: begin]\r\nsrt\r\n\r\n.srt\r\n[#extention: end]\r\n",
         "name=none id=none le=\\r\\n E[srt] E[.srt]"},
        {"comment lines outside", "; [#scriptdef: begin]\r\n" + kBegin + "[#name]a\r\n",
         "name='a' id=none le=\\r\\n"},
        {"token without ] ends the reading", kBegin + "[#name]a\r\n[#name b\r\n",
         "name='a' id=none le=\\r\\n"},
        {"open definitions keep what was read", kBegin + "[#dialogue: begin]\r\nx\r\n",
         "name=none id=none le=\\r\\n"},
        {"htmltags marks the definition", kBegin + "[#htmltags]\r\n", "name=none id=none le=\\r\\n html"},
        {"htmltags outside a definition or inside a block is no mark",
         "[#htmltags]\r\n" + kBegin + "[#dialogue: begin]\r\n[#htmltags]\r\n[#dialogue: end]\r\n",
         "name=none id=none le=\\r\\n T[[#htmltags]\\r\\n]"},
        {"two definitions", kBegin + "[#name]a\r\n[#scriptdef: end]\r\n" + kBegin + "[#name]b\r\n",
         "name='a' id=none le=\\r\\n | name='b' id=none le=\\r\\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Read(c.sdf), c.definitions) << c.what;
    }
}

TEST(DefinitionReader, FilesWithLfOrCrLfLineEndsReadAlike) {
    const std::string crlf = kBegin +
                             "[#name]a\r\n[#dialogue: begin]\r\n[#subnumber:num]\r\n[#text:toeol]\r\n"
                             "[#dialogue: end]\r\n[#replace: begin]\r\nx[#]y\r\n[#replace: end]\r\n";
    std::string lf = crlf;
    for (std::size_t at = lf.find('\r'); at != std::string::npos; at = lf.find('\r')) {
        lf.erase(at, 1);
    }
    EXPECT_EQ(Read(lf), Read(crlf));
    EXPECT_NE(Read(crlf).find("T[[#subnumber:num]\\r\\n[#text:toeol]\\r\\n]"), std::string::npos);
}

TEST(DefinitionReader, AcceptsFilterByIdentifierOrExtension) {
    TFormatRegistry registry;
    registry.LoadDefinitions(
        AnsiToWide(kBegin + "[#ID]SRT\r\n[#extention: begin]\r\n.srt\r\n[#extention: end]\r\n"));
    const TFormatDefinition& d = *registry.Definitions().front();
    EXPECT_TRUE(d.AcceptsFilter(std::nullopt));
    EXPECT_TRUE(d.AcceptsFilter(u"srt"));
    EXPECT_TRUE(d.AcceptsFilter(u".SRT"));
    EXPECT_FALSE(d.AcceptsFilter(u".sub"));
    TFormatDefinition open;
    EXPECT_TRUE(open.AcceptsFilter(u".sub")); // no extension, no identifier
}

class DefinitionFolder : public ::testing::Test {
protected:
    void SetUp() override {
        folder = std::filesystem::temp_directory_path() /
                 ("tamble-sdf-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    void Write(const std::string& name, const std::string& bytes) {
        std::ofstream(folder / name, std::ios::binary) << bytes;
    }

    std::filesystem::path folder;
};

const std::string kAccented =
    kBegin + "[#name]Sous-titres éàü\r\n[#replace: begin]\r\n«[#]\"\r\n[#replace: end]\r\n";

TEST_F(DefinitionFolder, Utf16AndEightBitFilesGiveTheSameDefinitions) {
    std::string utf16 = "\xFF\xFE";
    for (const char16_t unit : AnsiToWide(kAccented)) {
        utf16 += std::string{static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
    }
    std::string cp1252;
    ASSERT_TRUE(plat::text::WideToMultiByte(1252, AnsiToWide(kAccented), cp1252));
    Write("a.sdf", utf16);
    TFormatRegistry wide;
    EXPECT_EQ(LoadDefinitionFolder(wide, folder.string()), 1);
    std::filesystem::remove(folder / "a.sdf");
    Write("a.SDF", cp1252);
    TFormatRegistry eight;
    EXPECT_EQ(LoadDefinitionFolder(eight, folder.string()), 1);
    EXPECT_EQ(DumpAll(wide), DumpAll(eight));
    EXPECT_EQ(DumpAll(wide), Read(kAccented));
}

TEST_F(DefinitionFolder, LoadingTwiceHoldsEveryDefinitionTwiceInFileOrder) {
    Write("b.sdf", kBegin + "[#name]b\r\n");
    Write("a.sdf", kBegin + "[#name]a\r\n");
    Write("c.txt", kBegin + "[#name]c\r\n");
    TFormatRegistry registry;
    EXPECT_EQ(LoadDefinitionFolder(registry, folder.string()), 2);
    EXPECT_EQ(LoadDefinitionFolder(registry, folder.string()), 2);
    ASSERT_EQ(registry.Definitions().size(), 4u);
    EXPECT_EQ(*registry.Definitions()[0]->Name, u"a");
    EXPECT_EQ(*registry.Definitions()[2]->Name, u"a");
    EXPECT_EQ(registry.Current(), registry.Definitions()[3].get()); // the last read
    TFormatRegistry none;
    EXPECT_EQ(LoadDefinitionFolder(none, (folder / "missing").string()), 0);
    EXPECT_FALSE(none.Match(u"1\r\n", std::nullopt, false));
}

} // namespace
