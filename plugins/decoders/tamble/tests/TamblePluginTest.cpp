// scr_tamble as the host loads it from the program folder, with the definitions installed beside
// it: the exports, SubRip in its encodings and line-end forms, the other line formats, files that
// hold no subtitle, and hostile input.
#include "AssEvents.h"
#include "SubtitleCorpus.h"

#include "platform/win/Library.h"
#include "plugins/decoders/include/ScrPluginApi.h"
#include "subtitles/decoders/TPluginDecoderHost.h"
#include "subtitles/scripts/TScriptControl.h"
#include "subtitles/scripts/TScriptTextEvent.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <random>

namespace {

using ass_events::Event;

std::string SystemFolder() {
    const char* dist = std::getenv("TOVRIN_DIST_DIR");
    return dist != nullptr ? std::string(dist) + "/System" : std::string();
}

class TamblePlugin : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::filesystem::exists(SystemFolder() + "/scr_tamble.so")) {
            GTEST_SKIP() << "the program folder with scr_tamble.so is not built";
        }
        host = std::make_unique<TPluginDecoderHost>(SystemFolder());
    }

    // The events decoded through the host; nothing when it refused the file.
    std::optional<std::vector<Event>> Decode(const std::string& bytes, std::string advanced = "",
                                             std::u16string_view selector = u".srt") {
        std::string text;
        if (!host->Decode(bytes, selector, "", advanced, text)) {
            return std::nullopt;
        }
        lastSetting = advanced;
        return ass_events::Dialogues(ass_events::Utf8(text));
    }

    std::unique_ptr<TPluginDecoderHost> host;
    std::string lastSetting;
};

// Binds the library's exports directly, for what the host does not show.
class TambleExports : public TamblePlugin {
protected:
    void SetUp() override {
        TamblePlugin::SetUp();
        if (IsSkipped()) {
            return;
        }
        module = plat::win::LoadLibrary(SystemFolder() + "/scr_tamble.so");
        ASSERT_NE(module, nullptr);
        isCompatible = reinterpret_cast<ScrIsCompatibleFn>(plat::win::GetProcAddress(module, "IsCompatible"));
        decode = reinterpret_cast<ScrDecodeFn>(plat::win::GetProcAddress(module, "Decode"));
        freeBuffer = reinterpret_cast<ScrFreeBufferFn>(plat::win::GetProcAddress(module, "FreeBuffer"));
        ASSERT_TRUE(isCompatible && decode && freeBuffer);
    }
    void TearDown() override {
        if (module != nullptr) {
            plat::win::FreeLibrary(module);
        }
    }

    plat::win::HMODULE module = nullptr;
    ScrIsCompatibleFn isCompatible = nullptr;
    ScrDecodeFn decode = nullptr;
    ScrFreeBufferFn freeBuffer = nullptr;
};

const std::string kTwoCues = "1\n00:00:01,000 --> 00:00:02,500\n<i>Hello</i>\n<b>World</b>\n\n"
                             "2\n00:00:03,000 --> 00:00:04,040\nÇa va, Straße?\n\n";
const std::vector<Event> kTwoCueEvents{{1000, 2500, "{\\i1}Hello{\\i0}\\n{\\b1}World{\\b0}"},
                                       {3000, 4040, "Ça va, Straße?"}};

std::string WithLineEnds(std::string text, const std::string& lineEnd) {
    std::string out;
    for (const char c : text) {
        out += c == '\n' ? lineEnd : std::string(1, c);
    }
    return out;
}

TEST_F(TambleExports, IsCompatibleAnswersItsNamesAndTheirStarts) {
    const struct {
        const char* type;
        int32_t length;
        int32_t result;
    } cases[] = {{"SRT", 3, 1},  {".srt", 4, 1}, {"S", 1, 1},    {"SRTX", 4, 0},  {"sub", 3, 1},
                 {".TXT", 4, 1}, {"", 0, 0},     {".smi", 4, 0}, {nullptr, 3, 0}, {"SRT", -1, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(isCompatible(c.type, c.length, nullptr, 0), c.result) << (c.type ? c.type : "(none)");
    }
}

TEST_F(TambleExports, OutputIsMarkedUtf16WithItsFinalZeroCountedAndTheRateHandedBack) {
    const std::string srt = WithLineEnds(kTwoCues, "\r\n");
    void* text = nullptr;
    int32_t size = 0;
    char* setting = nullptr;
    int32_t settingLength = 0;
    ASSERT_EQ(decode(srt.data(), static_cast<int32_t>(srt.size()), &text, &size, &setting, &settingLength),
              1);
    const std::string bytes(static_cast<const char*>(text), static_cast<std::size_t>(size));
    EXPECT_TRUE(bytes.starts_with("\xFF\xFE"));
    EXPECT_TRUE(bytes.ends_with(std::string(2, '\0')));
    EXPECT_NE(ass_events::Utf8(bytes).find("[Events]"), std::string::npos);
    EXPECT_EQ(std::string(setting, static_cast<std::size_t>(settingLength)), "29.9700");
    EXPECT_EQ(freeBuffer(&text, &setting), 1);
    EXPECT_EQ(text, nullptr);
    EXPECT_EQ(setting, nullptr);
    EXPECT_EQ(decode(nullptr, 4, &text, &size, nullptr, nullptr), 0);
    EXPECT_EQ(decode(srt.data(), 0, &text, &size, nullptr, nullptr), 0);
}

TEST_F(TamblePlugin, SubRipDecodesAlikeInEveryEncodingAndLineEndForm) {
    using corpus::Encoding;
    const std::string crlf = WithLineEnds(kTwoCues, "\r\n");
    std::string utf16NoMark = corpus::Encode(crlf, Encoding::Utf16LeBom).substr(2);
    std::string noFinalBreak = crlf.substr(0, crlf.size() - 4);
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"UTF-8 CR LF", crlf},
        {"UTF-8 LF", kTwoCues},
        {"UTF-8 CR LF with mark", corpus::Encode(crlf, Encoding::Utf8Bom)},
        {"UTF-8 LF with mark", corpus::Encode(kTwoCues, Encoding::Utf8Bom)},
        {"UTF-16LE", corpus::Encode(crlf, Encoding::Utf16LeBom)},
        {"UTF-16BE LF", corpus::Encode(kTwoCues, Encoding::Utf16BeBom)},
        {"UTF-16LE without mark", utf16NoMark},
        {"Windows-1252", corpus::Encode(crlf, Encoding::Cp1252)},
        {"Windows-1252 LF", corpus::Encode(kTwoCues, Encoding::Cp1252)},
        {"no blank line at the end", crlf.substr(0, crlf.size() - 2)},
        {"no line end at the end", noFinalBreak},
        {"blank lines before and between",
         WithLineEnds("\n\n" + kTwoCues.substr(0, 58) + "\n\n" + kTwoCues.substr(58), "\r\n")},
        {"spaces after the number, dot before ms",
         "1  \r\n00:00:01.000 --> 00:00:02.500\r\n<i>Hello</i>\r\n<b>World</b>\r\n\r\n"
         "2\r\n00:00:03,000-->00:00:04,040 X1:10 X2:20\r\nÇa va, Straße?\r\n"},
    };
    for (const auto& c : cases) {
        const auto events = Decode(c.bytes);
        ASSERT_TRUE(events) << c.what;
        EXPECT_EQ(*events, kTwoCueEvents) << c.what;
    }
}

// What users of SubRip files expect beyond the plain form: tags as override tags, entries apart when a
// blank line is missing, and every entry kept in a file that mixes line ends.
TEST_F(TamblePlugin, SubRipTagsMissingBlankLinesAndMixedLineEnds) {
    std::string mixed;
    std::vector<Event> mixedEvents;
    for (int i = 1; i <= 8; ++i) {
        const std::string lineEnd = i % 3 == 0 ? "\r\n" : "\n";
        mixed += std::to_string(i) + lineEnd + "00:00:0" + std::to_string(i) + ",000 --> 00:00:0" +
                 std::to_string(i) + ",500" + lineEnd + "Line " + std::to_string(i) + lineEnd + lineEnd;
        mixedEvents.push_back({i * 1000, i * 1000 + 500, "Line " + std::to_string(i)});
    }
    const struct {
        const char* what;
        std::string bytes;
        std::vector<Event> events;
    } cases[] = {
        {"font colour, face and size",
         "1\r\n00:00:01,000 --> 00:00:02,000\r\n<font color=\"#ff0000\">Red</font> and "
         "<font face=\"Serif\" size=\"20\">small</font>\r\n",
         {{1000, 2000, "{\\c&H0000ff&}Red{\\c&H00ffff&} and {\\fnSerif}{\\fs20}small{\\fnArial}{\\fs28}"}}},
        {"tags in any case, unknown ones kept",
         "1\n00:00:01,000 --> 00:00:02,000\n<I>a</I> <u>b</u> <s>c</s> <span>d</span>\n",
         {{1000, 2000, "{\\i1}a{\\i0} {\\u1}b{\\u0} {\\s1}c{\\s0} <span>d</span>"}}},
        {"blank line missing between entries",
         "1\r\n00:00:01,000 --> 00:00:02,000\r\nOne\r\n2\r\n00:00:03,000 --> 00:00:04,000\r\nTwo\r\n",
         {{1000, 2000, "One"}, {3000, 4000, "Two"}}},
        {"a number line inside the text stays text",
         "1\n00:00:01,000 --> 00:00:02,000\nCount:\n3\n\n2\n00:00:03,000 --> 00:00:04,000\nTwo\n",
         {{1000, 2000, "Count:\\n3"}, {3000, 4000, "Two"}}},
        {"CR LF and LF mixed after many entries", mixed, mixedEvents},
    };
    for (const auto& c : cases) {
        const auto events = Decode(c.bytes);
        ASSERT_TRUE(events) << c.what;
        EXPECT_EQ(*events, c.events) << c.what;
    }
}

// The script reader loads what the plug-in writes; a file without subtitles leaves it as it was.
TEST_F(TamblePlugin, TheScriptReaderLoadsTheDecodedScript) {
    InitScriptControlUnit(std::move(host));
    TScriptControl script;
    ASSERT_TRUE(script.DecodeAndParse(kTwoCues, -1, u".srt")) << script.LoadError;
    ASSERT_EQ(script.Events.Count, 2);
    const auto* first = dynamic_cast<const TScriptTextEvent*>(script.Events.Head);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->GetText(), u"{\\i1}Hello{\\i0}\\n{\\b1}World{\\b0}");
    EXPECT_EQ(script.Advanced, "29.9700");
    EXPECT_FALSE(script.DecodeAndParse("no subtitles here", -1, u".srt"));
    EXPECT_EQ(script.Events.Count, 2);
    InitScriptControlUnit(nullptr);
}

TEST_F(TamblePlugin, LegacyCyrillicIsDetected) {
    const std::string text =
        "1\r\n00:00:01,000 --> 00:00:02,000\r\nСъешь же ещё этих мягких французских булок\r\n"
        "\r\n2\r\n00:00:03,000 --> 00:00:04,000\r\nда выпей чаю, пожалуйста\r\n";
    const auto events = Decode(corpus::Encode(text, corpus::Encoding::Cp1251));
    ASSERT_TRUE(events);
    ASSERT_EQ(events->size(), 2u);
    EXPECT_EQ((*events)[0].Text, "Съешь же ещё этих мягких французских булок");
}

TEST_F(TamblePlugin, LineFormatsDecode) {
    const struct {
        const char* what;
        std::string bytes;
        std::string setting;
        std::vector<Event> events;
        std::string handedBack;
    } cases[] = {
        {"MicroDVD at the declared rate",
         "{1}{1}25\r\n{25}{50}Hello|{y:i}World\r\n{75}{}Open\r\n",
         "",
         {{1000, 2000, "Hello\\n{\\i1}World"}, {3000, 6000, "Open"}},
         "25.0000"},
        {"MicroDVD at the default rate, LF", "{30}{60}Hi\n", "", {{1000, 2000, "Hi"}}, "29.9700"},
        {"MicroDVD: a given setting wins over the declared rate",
         "{1}{1}25\n{24}{48}Hi\n",
         "23.976",
         {{1000, 2000, "Hi"}},
         "23.9760"},
        {"SubViewer 2",
         "[INFORMATION]\r\n[TITLE]x\r\n[END INFORMATION]\r\n[SUBTITLE]\r\n\r\n"
         "00:00:01.50,00:00:03.00\r\nOne[br]Two\r\n\r\n00:01:00.00,00:01:02.25\r\nThree\r\n",
         "",
         {{1500, 3000, "One\\nTwo"}, {60000, 62250, "Three"}},
         "29.9700"},
        {"TMPlayer: each lasts until the next",
         "00:00:01:Hello|there\n00:00:04=Bye\n",
         "",
         {{1000, 4000, "Hello\\nthere"}, {4000, 7000, "Bye"}},
         "29.9700"},
        {"TMPlayer: an entry followed by an earlier one lasts the default time",
         "00:00:05:Late\n00:00:02:Early\n",
         "",
         {{5000, 8000, "Late"}, {2000, 5000, "Early"}},
         "29.9700"},
        {"timed text",
         "00:00:01.00 00:00:02.50 One|Two\r\n00:00:03.00 00:00:04.00 Three\r\n",
         "",
         {{1000, 2500, "One\\nTwo"}, {3000, 4000, "Three"}},
         "29.9700"},
    };
    for (const auto& c : cases) {
        const auto events = Decode(c.bytes, c.setting, u".sub");
        ASSERT_TRUE(events) << c.what;
        EXPECT_EQ(*events, c.events) << c.what;
        EXPECT_EQ(lastSetting, c.handedBack) << c.what;
    }
}

TEST_F(TamblePlugin, FilesWithoutSubtitlesAreNotDecoded) {
    std::mt19937 random(7);
    std::string binary(1 << 20, '\0');
    for (char& c : binary) {
        c = static_cast<char>(random());
    }
    for (const std::string& bytes :
         {std::string("Just some notes.\r\nNothing timed here.\r\n"), std::string("1\r\n"),
          std::string("\r\n\r\n"), binary, std::string("\x00\x01\x02", 3)}) {
        EXPECT_FALSE(Decode(bytes)) << bytes.substr(0, 20);
    }
}

TEST_F(TamblePlugin, HostileInputIsRefusedOrDecodedWithinBounds) {
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(Decode(std::string(100 << 20, 'a'))) << "100 MB on one line";
    EXPECT_FALSE(Decode(std::string(20 << 20, '7'))) << "20 MB of digits";
    EXPECT_FALSE(Decode("{" + std::string(10 << 20, '9') + "}")) << "10 MB frame number";
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(seconds, 60.0 * TOVRIN_TEST_SLOWDOWN);

    const auto huge = Decode("1\r\n99999999999999:99:99,99999 --> 99999999999999999999:00:00,000\r\nBig\r\n");
    ASSERT_TRUE(huge);
    ASSERT_EQ(huge->size(), 1u);
    EXPECT_GT((*huge)[0].Start, 0);
    const auto frames = Decode("{99999999999999999999999}{99999999999999999999999}Far\r\n", "", u".sub");
    ASSERT_TRUE(frames);
    EXPECT_EQ(frames->size(), 1u);
    for (const char* setting : {"1e308", "nan", "-5", "0", "abc", "99999999"}) {
        ASSERT_TRUE(Decode("{30}{60}Hi\n", setting)) << setting;
        EXPECT_EQ(lastSetting, "29.9700") << setting;
    }
    for (const char* declared : {"{1}{1}0\n{30}{60}Hi\n", "{1}{1}99999\n{30}{60}Hi\n"}) {
        ASSERT_TRUE(Decode(declared));
        EXPECT_EQ(lastSetting, "29.9700") << declared;
    }
}

} // namespace
