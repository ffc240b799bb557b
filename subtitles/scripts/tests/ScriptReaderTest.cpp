// The reader's pieces (tokens, colours, times, lines), the loading paths (files, archive entries,
// decoder plug-ins), the round trips that used to lose data, and hostile input.
#include "subtitles/model/FixedText.h"
#include "subtitles/model/StyleRecordFields.h"
#include "subtitles/scripts/TScriptDecoderHost.h"
#include "subtitles/scripts/tests/ScriptTestSupport.h"
#include "subtitles/zip/TZipControl.h"

#include "foundation/tests/TempDir.h"
#include "platform/text/CodePage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace {

const std::string kV4PlusHead =
    "[Script Info]\r\nScriptType: v4.00+\r\n\r\n[V4+ Styles]\r\n"
    "Format: Name, Fontname, Fontsize, PrimaryColour, SecondaryColour, OutlineColour, BackColour, Bold, "
    "Italic, Underline, StrikeOut, ScaleX, ScaleY, Spacing, Angle, BorderStyle, Outline, Shadow, Alignment, "
    "MarginL, MarginR, MarginV, Encoding\r\n"
    "Style: "
    "Default,Arial,20,&H00FFFFFF,&H000000FF,&H00000000,&H00000000,0,0,0,0,100,100,0,0,1,2,2,2,10,10,10,1\r\n"
    "\r\n[Events]\r\nFormat: Layer, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, Text\r\n";

TScriptControl& Parsed(TScriptControl& script, const std::string& text) {
    EXPECT_TRUE(script.Parse(text, 0)) << script.LoadError;
    return script;
}

// Reads the text, writes it and reads the written bytes back.
void RoundTrip(const std::string& text, TScriptControl& first, TScriptControl& second) {
    Parsed(first, text);
    ASSERT_TRUE(second.Parse(Written(first), first.CodePage)) << second.LoadError;
    ExpectSameModel(first, second);
}

TEST(ScriptReader, Colours) {
    struct Case {
        std::u16string token;
        uint32_t value;
    };
    const std::vector<Case> cases = {
        {u"&HFF", 0xFF},
        {u"&H0000FF", 0xFF},
        {u"255", 255},
        {u"&H00FFFFFF", 0xFFFFFF},
        {u"&h80000000", 0x80000000},
        {u"-1", 0xFFFFFFFF},
        // colours with any number of digits, and with the closing '&' of override tags, keep their value
        {u"&H1FF", 0x1FF},
        {u"&HFF&", 0xFF},
        {u"&H00FFFFFF&", 0xFFFFFF},
        {u"&HF00", 0xF00},
        {u"&H0F0F0", 0xF0F0},
        {u" &H10 ", 0x10},
        {u"&H123456789", 0},
        {u"&H", 0},
        {u"junk", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TScriptControl::ParseColour(c.token), c.value)
            << std::string(c.token.begin(), c.token.end());
    }
}

TEST(ScriptReader, TimesAndTokens) {
    EXPECT_EQ(TScriptControl::ParseTime(u"0:00:01.5", true), 1050);
    EXPECT_EQ(TScriptControl::ParseTime(u"0:01:02.03", true), 62030);
    EXPECT_EQ(TScriptControl::ParseTime(u"12:34", true), -1);
    EXPECT_EQ(TScriptControl::ParseTime(u"-0:00:01.50", true), -1500);

    std::size_t pos = 0;
    std::u16string_view key;
    TScriptControl::ReadKeyToken(u"Title: My film", pos, key);
    EXPECT_EQ(key, u"Title");
    EXPECT_EQ(pos, 7u);
    pos = 0;
    TScriptControl::ReadKeyToken(u"Title: ", pos, key); // an empty value stays empty
    EXPECT_EQ(pos, 7u);

    const std::u16string line = u"a, b,c";
    std::vector<std::u16string> tokens;
    std::u16string_view token;
    pos = 0;
    while (TScriptControl::ReadFieldToken(line, pos, token, true)) {
        tokens.emplace_back(token);
    }
    EXPECT_EQ(tokens, (std::vector<std::u16string>{u"a", u"b", u"c"}));

    const std::u16string text = u"\r\n\r\nfirst\r\nsecond";
    std::size_t index = 0;
    std::u16string_view read;
    bool three = false;
    ASSERT_TRUE(TScriptControl::ReadLine(text, index, read, &three));
    EXPECT_EQ(read, u"first");
    EXPECT_TRUE(three);
    ASSERT_TRUE(TScriptControl::ReadLine(text, index, read, &three));
    EXPECT_EQ(read, u"second");
    EXPECT_FALSE(TScriptControl::ReadLine(text, index, read));

    std::FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    const std::u16string unicode = u"\nl\u00ednea\r\n";
    std::fwrite(unicode.data(), 2, unicode.size(), file);
    std::rewind(file);
    std::u16string fromFile;
    EXPECT_TRUE(TScriptControl::ReadLine(file, fromFile));
    EXPECT_EQ(fromFile, u"l\u00ednea");
    EXPECT_FALSE(TScriptControl::ReadLine(file, fromFile));
    std::fclose(file);
}

TEST(ScriptReader, StylesEventsAndSections) {
    TScriptControl script;
    Parsed(script, kV4PlusHead +
                       "Style: Late,Arial,20,0,0,0,0,0,0,0,0,100,100,0,0,1,2,2,7,10,10,10,1\r\n"
                       "Dialogue: 3,0:00:01.00,0:00:02.00,*default,Bob,1,2,3,12,Text, with, commas\r\n"
                       "Comment: 0,0:00:03.00,0:00:04.00,Late,,0,0,0,,note\r\n"
                       "Unknown: ignored\r\n[Fonts]\r\nDialogue: "
                       "0,0:00:05.00,0:00:06.00,Default,,0,0,0,,still events\r\n");
    EXPECT_EQ(script.V4Plus, 1);
    // A Style line in [Events] is no style; a [Fonts] header is no section header.
    ASSERT_EQ(script.Styles.Count, 1);
    ASSERT_EQ(script.Events.Count, 3);
    const TTextEventRecord& first = *EventAt(script, 0).GetTextRecord();
    EXPECT_EQ(FixedTextView(first.styleName, kStyleNameUnits), u"Default");
    EXPECT_EQ(first.head.layer, 3);
    EXPECT_EQ(first.head.start, 1000);
    EXPECT_EQ(first.head.end, 2000);
    EXPECT_EQ(first.marginL, 1);
    EXPECT_EQ(first.marginR, 2);
    EXPECT_EQ(first.marginV, 3);
    EXPECT_EQ(first.effect, 12);
    EXPECT_EQ(first.head.comment, 0);
    EXPECT_EQ(ScriptEventAt(script, 0).Actor, u"Bob");
    EXPECT_EQ(EventAt(script, 0).GetText(), u"Text, with, commas");
    EXPECT_TRUE(EventAt(script, 1).IsComment());
    EXPECT_EQ(EventAt(script, 2).GetText(), u"still events");

    EXPECT_NE(script.FindStyle(u"DEFAULT"), nullptr);
    EXPECT_EQ(script.FindStyle(u"missing"), nullptr);
}

TEST(ScriptReader, AlignmentIsKeptInV4Numbering) {
    TScriptControl script;
    Parsed(script, "[V4+ Styles]\r\nFormat: Name, Alignment\r\nStyle: A, 7\r\n");
    EXPECT_EQ(script.Styles.Head->Record.alignment, 5);
    Parsed(script, "[V4 Styles]\r\nFormat: Name, Alignment\r\nStyle: A, 7\r\n");
    EXPECT_EQ(script.Styles.Head->Record.alignment, 7);
}

TEST(ScriptReader, ScriptsWithoutDefaultStyleGetTheGlobalOne) {
    TScriptControl script;
    Parsed(script, "[V4 Styles]\r\nFormat: Name, Fontsize\r\nStyle: Own, 30\r\nStyle\r\n");
    ASSERT_EQ(script.Styles.Count, 3);
    // A Style line without values appends a zeroed style; the copy of the global default comes last.
    EXPECT_EQ(script.Styles.Head->Next->Record.name[0], 0);
    TSubtitleStyleRecord expected{};
    SetStyleName(expected, u"Default");
    EXPECT_EQ(std::memcmp(&script.Styles.Tail->Record, &expected, sizeof expected), 0);
}

// The resolution of a script never depends on the machine.
TEST(ScriptReader, MissingResolutionFollowsTheScriptNotTheScreen) {
    struct Case {
        std::string info;
        int32_t x;
        int32_t y;
    };
    const std::vector<Case> cases = {
        {"", 384, 288},
        {"PlayResY: 768\r\n", 1024, 768},
        {"PlayResY: 1024\r\n", 1280, 1024},
        {"PlayResY: 1080\r\n", 1440, 1080},
        {"PlayResX: 640\r\n", 640, 480},
        {"PlayResX: 1280\r\n", 1280, 1024},
        {"PlayResX: 1920\r\nPlayResY: 1080\r\n", 1920, 1080},
        {"PlayResX: -5\r\n", 384, 288},
    };
    for (const Case& c : cases) {
        TScriptControl script;
        Parsed(script, "[Script Info]\r\n" + c.info +
                           "[Events]\r\nFormat: Start, End, Text\r\n"
                           "Dialogue: 0:00:01.00,0:00:02.00,x\r\n");
        EXPECT_EQ(script.PlayResX, c.x) << c.info;
        EXPECT_EQ(script.PlayResY, c.y) << c.info;
        const TSubEventRecord& head = EventAt(script, 0).GetTextRecord()->head;
        EXPECT_EQ(head.resX, c.x) << c.info;
        EXPECT_EQ(head.resY, c.y) << c.info;
    }
}

// Byte-order marks and UTF-8 text.
TEST(ScriptReader, Utf8ScriptsWithAndWithoutMark) {
    const std::string script = "[Script Info]\r\nTitle: Caf\xC3\xA9\r\nPlayResX: 640\r\n";
    for (const std::string& bytes : {"\xEF\xBB\xBF" + script, script}) {
        for (const int32_t codePage : {0, -1, 65001}) {
            TScriptControl read;
            ASSERT_TRUE(read.Parse(bytes, codePage)) << read.LoadError;
            EXPECT_EQ(read.Title, u"Caf\u00e9") << codePage;
            EXPECT_EQ(read.PlayResX, 640) << codePage; // the section header was recognised
            EXPECT_EQ(read.Unicode, 0);
        }
    }
    // Legacy 8-bit text handed in as the ANSI page is detected rather than read as broken UTF-8.
    TScriptControl legacy;
    ASSERT_TRUE(legacy.Parse(ReadBytes(TestDataPath("corpus/cp1252_latin.ssa")), 0));
    EXPECT_EQ(legacy.Title, u"L\u00e9gende fran\u00e7aise");
    EXPECT_NE(legacy.CodePage, 0);
}

// What other SubStation readers and writers agree on: each script is read, written, and the written
// bytes read back; the check sees the script as read, the written bytes and the script read back.
TEST(ScriptReaderAndWriter, AgreeWithOtherSubStationTools) {
    struct Case {
        const char* what;
        std::string bytes;
        int32_t codePage;
        std::function<void(const TScriptControl& read, const std::string& written,
                           const TScriptControl& back)>
            check;
    };
    const std::string cafe = "[Script Info]\r\nTitle: Caf\xC3\xA9\r\n" + kV4PlusHead.substr(15) +
                             "Dialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,D\xC3\xA9j\xC3\xA0\r\n";
    const auto writtenAsUtf8 = [](bool mark) {
        return [mark](const TScriptControl& read, const std::string& written, const TScriptControl& back) {
            EXPECT_EQ(written.starts_with("\xEF\xBB\xBF"), mark);
            EXPECT_EQ(written.find("\xEF\xBB\xBF", 1), std::string::npos);
            EXPECT_NE(written.find("Title: Caf\xC3\xA9\r\n"), std::string::npos);
            EXPECT_NE(written.find(",D\xC3\xA9j\xC3\xA0\r\n"), std::string::npos);
            EXPECT_EQ(back.Title, u"Caf\u00e9");
            EXPECT_EQ(read.Utf8Mark, mark ? 1 : 0);
        };
    };
    const std::vector<Case> cases = {
        {"short colour tags are colours, not text",
         kV4PlusHead + "Dialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,{\\c&HF00&}Red {\\1c&HF0}Green\r\n",
         0,
         [](const TScriptControl& read, const std::string&, const TScriptControl& back) {
             for (const TScriptControl* script : {&read, &back}) {
                 TTextEvent event;
                 event.Assign(EventAt(*script, 0));
                 event.BuildRuns();
                 EXPECT_EQ(event.GetCompactedText(), u"RedGreen");
             }
         }},
        {"blanks around style and font names",
         "[V4+ Styles]\r\nFormat: Name, Fontname, Fontsize\r\nStyle:  Default, Arial ,20\r\n"
         "Style: \tSign\t,\tDejaVu Sans\t, 30\r\n"
         "[Events]\r\nFormat: Layer, Start, End, Style, Text\r\n"
         "Dialogue: 0,0:00:01.00,0:00:02.00,Default,a\r\nDialogue: 0,0:00:01.00,0:00:02.00, Sign ,b\r\n",
         0,
         [](const TScriptControl& read, const std::string&, const TScriptControl& back) {
             for (const TScriptControl* script : {&read, &back}) {
                 ASSERT_EQ(script->Styles.Count, 2); // no default style added beside " Default"
                 EXPECT_EQ(GetStyleName(script->Styles.Head->Record), u"Default");
                 EXPECT_EQ(FixedTextView(script->Styles.Head->Record.fontName, kStyleFontNameUnits),
                           u"Arial");
                 EXPECT_EQ(FixedTextView(script->Styles.Tail->Record.fontName, kStyleFontNameUnits),
                           u"DejaVu Sans");
                 for (int i = 0; i < 2; ++i) {
                     const char16_t* name = nullptr;
                     ASSERT_TRUE(EventAt(*script, i).GetStyleName(name));
                     EXPECT_EQ(const_cast<TScriptControl*>(script)->FindStyle(name),
                               i == 0 ? &script->Styles.Head->Record : &script->Styles.Tail->Record);
                 }
             }
         }},
        {"UTF-8 with its mark", "\xEF\xBB\xBF" + cafe, 0, writtenAsUtf8(true)},
        {"UTF-8 with its mark, legacy page asked", "\xEF\xBB\xBF" + cafe, 1252, writtenAsUtf8(true)},
        {"UTF-8 without mark", cafe, 0, writtenAsUtf8(false)},
        {"UTF-8 without mark, detected", cafe, -1, writtenAsUtf8(false)},
        {"UTF-8 without mark, named", cafe, 65001, writtenAsUtf8(false)},
        {"v4 scripts have no WrapStyle line", "[Script Info]\r\nWrapStyle: 2\r\n[V4 Styles]\r\n", 0,
         [](const TScriptControl& read, const std::string& written, const TScriptControl&) {
             EXPECT_EQ(read.WrapStyle, 2);
             EXPECT_EQ(written.find("WrapStyle"), std::string::npos);
         }},
        {"v4+ scripts keep theirs", "[Script Info]\r\nWrapStyle: 2\r\n[V4+ Styles]\r\n", 0,
         [](const TScriptControl&, const std::string& written, const TScriptControl& back) {
             EXPECT_NE(written.find("\r\nWrapStyle: 2\r\n"), std::string::npos);
             EXPECT_EQ(back.WrapStyle, 2);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TScriptControl read;
        ASSERT_TRUE(read.Parse(c.bytes, c.codePage)) << read.LoadError;
        const std::string written = Written(read);
        TScriptControl back;
        ASSERT_TRUE(back.Parse(written, read.CodePage)) << back.LoadError;
        c.check(read, written, back);
    }
}

// What the format holds survives a write and a read.
TEST(ScriptRoundTrips, InfoValues) {
    TScriptControl first, second;
    RoundTrip("[Script Info]\r\nTimer: 123.4567\r\nOriginal Script Checking: Checker\r\n[V4+ Styles]\r\n",
              first, second);
    EXPECT_EQ(second.Timer, 123.4567);
    EXPECT_EQ(second.OriginalScriptChecking, u"Checker");
    EXPECT_EQ(second.WrapStyle, TScriptFields::kWrapStyleNotGiven); // not given, and still not given

    TScriptControl exact, exactBack;
    RoundTrip("[Script Info]\r\nTimer: 100.123456789\r\nWrapStyle: 3\r\n[V4+ Styles]\r\n", exact, exactBack);
    EXPECT_EQ(exactBack.Timer, 100.123456789);
    TScriptControl huge, hugeBack;
    RoundTrip("[Script Info]\r\nTimer: 1e300\r\n", huge, hugeBack);
    EXPECT_EQ(hugeBack.Timer, 1e300);
    EXPECT_EQ(exactBack.WrapStyle, 3);

    TScriptControl old;
    Parsed(old, "[Script Info]\r\nTimer : 100\r\nWrapStyle: 9\r\n");
    EXPECT_EQ(old.Timer, 100.0); // as older writers put it
    EXPECT_EQ(old.WrapStyle, 0); // out of range
}

TEST(ScriptRoundTrips, EventTextsStyleNamesAndNegativeTimes) {
    TScriptControl first, second;
    RoundTrip(kV4PlusHead +
                  "Dialogue: 0,0:00:01.00,0:00:02.00,0,Alice,0,0,0,Scroll up;10;100;5,Named 0\r\n"
                  "Dialogue: 0,0:00:03.00,0:00:04.00,a,0,0,b,0,0,Actor 0 and style a,0,0,b\r\n"
                  "Dialogue: 0,-0:00:01.50,0:00:00.50,Default,,0,0,0,Karaoke,{\\c&HF00&\\1a&HFF&}Negative "
                  "start\r\n",
              first, second);
    const TScriptTextEvent& named = ScriptEventAt(second, 0);
    EXPECT_EQ(FixedTextView(named.GetTextRecord()->styleName, kStyleNameUnits), u"0");
    EXPECT_EQ(named.Actor, u"Alice");
    EXPECT_EQ(named.Effect, u"Scroll up;10;100;5");
    EXPECT_EQ(ScriptEventAt(second, 1).Actor, u"0");
    EXPECT_EQ(EventAt(second, 2).GetTextRecord()->head.start, -1500);
    EXPECT_EQ(EventAt(second, 2).GetText(), u"{\\c&HF00&\\1a&HFF&}Negative start");
    EXPECT_EQ(ScriptEventAt(second, 2).Effect, u"Karaoke");

    // A changed effect number wins over the text read with the event.
    TTextEvent& edited = const_cast<TTextEvent&>(EventAt(first, 2));
    edited.GetTextRecord()->effect = 7;
    EXPECT_NE(Written(first).find(",Default,,,,,7,{"), std::string::npos);
}

TEST(ScriptRoundTrips, ColoursAndWeights) {
    TScriptControl first, second;
    RoundTrip("[V4+ Styles]\r\nFormat: Name, PrimaryColour, OutlineColour, BackColour, Bold, Encoding\r\n"
              "Style: Odd, &H1FF, &HFF&, &HF0F0F, 700, 1\r\n",
              first, second);
    const TSubtitleStyleRecord& style = second.Styles.Head->Record;
    EXPECT_EQ(style.primaryColour, 0x1FFu);
    EXPECT_EQ(style.outlineColour, 0xFFu);
    EXPECT_EQ(style.backColour, 0xF0F0Fu);
    EXPECT_EQ(style.bold, 700);
    EXPECT_EQ(style.encoding, 1);
}

// A long line keeps every character.
TEST(ScriptRoundTrips, LongLinesKeepEveryCharacter) {
    std::string text(300000, 'x');
    for (std::size_t i = 0; i < text.size(); i += 997) {
        text[i] = ',';
    }
    TScriptControl first, second;
    RoundTrip(kV4PlusHead + "Dialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,," + text + "\r\n", first,
              second);
    EXPECT_EQ(EventAt(second, 0).GetText(), plat::text::AnsiToWide(text));
}

TEST(ScriptLoad, FilesAndFailures) {
    TempDir dir;
    dir.Write("good.ass", kV4PlusHead + "Dialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,Hi\r\n");
    TScriptControl script;
    ASSERT_TRUE(script.LoadFile(dir.WPath("good.ass"), 0)) << script.LoadError;
    EXPECT_EQ(script.FileName, u"good.ass");
    EXPECT_EQ(script.Path, dir.WPath("good.ass"));
    EXPECT_EQ(script.Type, "SSA4");
    EXPECT_EQ(script.FromPlainFile, 1);
    EXPECT_TRUE(script.LoadError.empty());
    std::u16string backslashed = dir.WPath("good.ass");
    std::replace(backslashed.begin(), backslashed.end(), u'/', u'\\');
    EXPECT_TRUE(script.LoadFile(backslashed, 0)) << script.LoadError; // both separators are accepted

    // A failed load says why and keeps what the script held.
    EXPECT_FALSE(script.LoadFile(dir.WPath("missing.ass"), 0));
    EXPECT_NE(script.LoadError.find("cannot be read"), std::string::npos);
    EXPECT_EQ(script.Events.Count, 1);
    dir.Write("empty.ass", "");
    EXPECT_FALSE(script.LoadFile(dir.WPath("empty.ass"), 0));
    EXPECT_EQ(script.LoadError, "The script is empty.");
    EXPECT_FALSE(script.LoadFile(dir.WPath("good.ass"), 4242));
    EXPECT_NE(script.LoadError.find("code page 4242"), std::string::npos);
    EXPECT_EQ(script.FileName, u"good.ass");
    EXPECT_EQ(script.Events.Count, 1);
}

TEST(ScriptLoad, ArchiveEntries) {
    TempDir dir;
    const std::string text = kV4PlusHead + "Dialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,Zipped\r\n";
    TZipControl zip;
    ASSERT_TRUE(zip.Create(dir.Path("profile.zds").c_str()));
    ASSERT_TRUE(zip.AddEntry("Scripts/movie.ass", text.data(), static_cast<uint32_t>(text.size())));
    ASSERT_TRUE(zip.Close());
    ASSERT_TRUE(zip.Open(dir.Path("profile.zds").c_str()));

    TScriptControl script;
    ASSERT_TRUE(script.Load(&zip, u"scripts/MOVIE.ass", 0, false)) << script.LoadError;
    EXPECT_EQ(script.FromArchive, 1);
    EXPECT_EQ(script.FromPlainFile, 0);
    EXPECT_EQ(EventAt(script, 0).GetText(), u"Zipped");
    EXPECT_FALSE(script.Load(&zip, u"other.ass", 0, false));
    EXPECT_NE(script.LoadError.find("missing or empty"), std::string::npos);

    // A closed archive (as plain profiles hand in) reads the path as a file.
    zip.Close();
    dir.Write("plain.ssa", text);
    ASSERT_TRUE(script.Load(&zip, dir.WPath("plain.ssa"), 0, false));
    EXPECT_EQ(script.FromPlainFile, 1);
}

// Turns "srt" text into a SubStation script and reports what it was asked.
class FakeDecoderHost : public TScriptDecoderHost {
public:
    bool Decode(std::string_view bytes, std::u16string_view selector, std::string_view type,
                std::string& advanced, std::string& text) override {
        Selector = selector;
        AdvancedIn = advanced;
        if (selector != u".srt") {
            return false;
        }
        advanced = "fps=23.976";
        text =
            kV4PlusHead + "Dialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,," + std::string(bytes) + "\r\n";
        return true;
    }
    std::u16string Selector;
    std::string AdvancedIn;
};

TEST(ScriptLoad, NonNativeFilesGoThroughTheDecoderHost) {
    TempDir dir;
    dir.Write("movie.srt", "decoded");
    dir.Write("movie.xyz", "unknown");
    dir.Write("native.srt", kV4PlusHead);

    TScriptControl script;
    EXPECT_FALSE(script.LoadFile(dir.WPath("movie.srt"), 0)); // no host installed
    EXPECT_NE(script.LoadError.find("No decoder plug-in"), std::string::npos);

    auto owned = std::make_unique<FakeDecoderHost>();
    FakeDecoderHost* host = owned.get();
    InitScriptControlUnit(std::move(owned));
    script.Advanced = "previous";
    ASSERT_TRUE(script.LoadFile(dir.WPath("movie.srt"), 0)) << script.LoadError;
    EXPECT_EQ(host->AdvancedIn, "previous");
    EXPECT_EQ(script.Type, ".srt");
    EXPECT_EQ(script.Advanced, "fps=23.976");
    EXPECT_EQ(script.AdvancedLength, 10);
    EXPECT_EQ(EventAt(script, 0).GetText(), u"decoded");

    EXPECT_FALSE(script.LoadFile(dir.WPath("movie.xyz"), 0));
    EXPECT_EQ(script.Advanced, "fps=23.976"); // kept by the failed load

    ASSERT_TRUE(script.Load(nullptr, dir.WPath("native.srt"), 0, true)); // forced native
    EXPECT_EQ(script.Type, "SSA4");
    EXPECT_EQ(script.Advanced, "fps=23.976");
    FreeScriptControlUnit();
}

TEST(ScriptLoad, NativeSelectors) {
    TempDir dir;
    for (const char* name : {"a.ssa", "a.ASS", "a.st", "noextension", "a.ss"}) {
        dir.Write(name, kV4PlusHead);
        TScriptControl script;
        EXPECT_TRUE(script.LoadFile(dir.WPath(name), 0)) << name;
    }
}

// Hostile input: every case gives an answer (a clear error, or the lines that could be read) and
// no crash; run under the sanitizers.
TEST(ScriptHostileInput, TruncatedHugeMissingAndJunk) {
    struct Case {
        const char* what;
        std::string bytes;
        bool parses;
    };
    std::string junk(65536, '\0');
    std::mt19937 random(1234);
    for (char& c : junk) {
        c = static_cast<char>(random());
    }
    const std::vector<Case> cases = {
        {"truncated event", kV4PlusHead + "Dialogue: 0,0:00", true},
        {"truncated style", "[V4+ Styles]\r\nFormat: Name, Fontname\r\nStyle: ", true},
        {"truncated format", "[Events]\r\nFormat:", true},
        {"event before any format", "[Events]\r\nDialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,x\r\n",
         true},
        {"truncated header", "[Events", false},
        {"huge style name", "[V4 Styles]\r\nFormat: Name\r\nStyle: " + std::string(1 << 20, 'n'), true},
        {"huge format", "[Events]\r\nFormat: " + std::string(1 << 20, ','), true},
        {"huge key", std::string(1 << 20, 'k') + ":" + "\r\n[Script Info]", true},
        {"huge numbers", "[Script Info]\r\nPlayResX: 99999999999999999999\r\nTimer: 1e999\r\n", true},
        {"no sections", "Title: nothing\r\nDialogue: 0,0:00:01.00\r\n", false},
        {"only comments", "; [Script Info]\r\n;\r\n", false},
        {"binary junk", junk, false},
        {"odd UTF-16", std::string("\xFF\xFE[\0E\0v\0e\0n\0t\0s\0]\0\n\0", 20) + "\x01", true},
        {"UTF-16 mark only", "\xFE\xFF", false},
        {"NUL bytes", std::string("[Events]\0\r\nDialogue\0: x", 22), false},
    };
    for (const Case& c : cases) {
        TScriptControl script;
        const bool parsed = script.Parse(c.bytes, 0);
        EXPECT_EQ(parsed, c.parses) << c.what << ": " << script.LoadError;
        EXPECT_EQ(script.LoadError.empty(), parsed) << c.what;
        Written(script); // whatever was read can be written
    }
    std::string manyStyles = "[V4 Styles]\r\n";
    for (int32_t i = 0; i <= TScriptControl::kMaxStyles; ++i) {
        manyStyles += "Style:\n";
    }
    TScriptControl tooMany;
    EXPECT_FALSE(tooMany.Parse(manyStyles, 0));
    EXPECT_EQ(tooMany.LoadError, "The script has more than 10000 styles.");
    TScriptControl columns;
    ASSERT_TRUE(columns.Parse("[Events]\r\nFormat: " + std::string(1 << 20, ','), 0));
    EXPECT_EQ(columns.EventFormat.Count, TScriptControl::kMaxColumns);

    TempDir dir;
    dir.Write("huge.ass", "[Script Info]\r\n");
    std::filesystem::resize_file(dir.Path("huge.ass"), TScriptControl::kMaxScriptBytes + 1); // sparse
    TScriptControl tooLarge;
    EXPECT_FALSE(tooLarge.LoadFile(dir.WPath("huge.ass"), 0));
    EXPECT_NE(tooLarge.LoadError.find("too large"), std::string::npos);
    TScriptControl huge;
    ASSERT_TRUE(huge.Parse("[V4 Styles]\r\nFormat: Name, Fontname\r\nStyle: " + std::string(1000, 'n') + "," +
                               std::string(1000, 'f'),
                           0));
    EXPECT_EQ(GetStyleName(huge.Styles.Head->Record).size(), 49u);
    EXPECT_EQ(FixedTextView(huge.Styles.Head->Record.fontName, kStyleFontNameUnits).size(), 99u);
}

} // namespace
