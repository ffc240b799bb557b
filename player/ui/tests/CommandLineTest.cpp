// The command language: every keyword, the token rules, the play-list rules, the queries, and the
// start command line rebuilt from the program's arguments with POSIX paths.
#include "player/ui/StartCommandLine.h"
#include "player/ui/TCommandLine.h"
#include "tests/RecordingCommandTarget.h"

#include <gtest/gtest.h>

namespace {

struct TextCase {
    const char* text;
    std::vector<std::string> calls;
    int32_t answer = 0;
};

void PrintTo(const TextCase& c, std::ostream* os) {
    *os << c.text;
}

class CommandTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(CommandTextTest, RunsTheOptionsFromLeftToRight) {
    RecordingCommandTarget target;
    target.TimeCode = 12345;
    target.HasDisc = true;
    target.DiscHigh = 0xA1B2C3D4u;
    target.DiscLow = 77;
    const TextCase& c = GetParam();
    EXPECT_EQ(TCommandLine::Process(c.text, 0x20000, target), c.answer) << c.text;
    EXPECT_EQ(target.Calls, c.calls) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Keywords, CommandTextTest,
    ::testing::Values(TextCase{"", {}}, TextCase{"no option at all", {}},
                      TextCase{R"(/O:C:\My Videos\a.avi)", {R"(open[C:\My Videos\a.avi])", "front"}},
                      TextCase{"/O:a.avi /SM:fullscreen", {"open[a.avi ]", "front", "screen 2"}},
                      TextCase{"/o:\"/home/u/My Videos/a.avi\" /sm:window",
                               {"open[/home/u/My Videos/a.avi]", "front", "screen 1"}},
                      TextCase{"/O:\"/tmp/say \"\"hi\"\".avi\"", {"open[/tmp/say \"hi\".avi]", "front"}},
                      TextCase{"/O:\"/tmp/unterminated/a b", {"open[/tmp/unterminated/a b]", "front"}},
                      TextCase{"/O:   \"\" ", {}}, TextCase{"/O:", {}}, TextCase{"/SM:other", {}},
                      TextCase{"/PL:3", {"play 2", "front"}}, TextCase{"/PL:0", {"front"}},
                      TextCase{"/PL: 12 ", {"play 11", "front"}}, TextCase{"/PL:\"3\"", {"enqueue[3]"}},
                      TextCase{"/PL:DEL:2", {"delete 1"}}, TextCase{"/PL:del:0", {}},
                      TextCase{"/PL:clear", {"delete -1"}}, TextCase{"/PL:CLEARALL", {"delete -1"}},
                      TextCase{"/PL:\"/music/clear water.mp3\"", {"enqueue[/music/clear water.mp3]"}},
                      TextCase{"/PL:\"/v/My Films/b.mkv\"", {"enqueue[/v/My Films/b.mkv]"}},
                      TextCase{"/SKIN:\"/home/u/skins/x.zip\"", {"skin[/home/u/skins/x.zip]"}},
                      TextCase{"/CONFIG:\"/home/u/ini\"", {"config[/home/u/ini]"}},
                      TextCase{"/NOPLUG /NOINTERFACE /RESETWINPOS", {"noplug", "hide", "resetpos"}},
                      TextCase{"/AR:Wide", {"aspect[Wide]"}},
                      TextCase{"/IR:1234 /O:x", {"remote[1234 /O:x]"}},
                      TextCase{"/SILENT /SILENTOFF", {"silent", "loud"}},
                      TextCase{"/SILENTOFF /SILENT", {"loud", "silent"}},
                      TextCase{"/EDITMODE:ON", {"edit on 131072"}}, TextCase{"/editmode:off", {"edit off"}},
                      TextCase{"/CMD:GETTIME", {}, 12345}, TextCase{"/cmd:gettime", {}, 12345},
                      TextCase{"/CMD:GETTIME /CMD:GETDISKIDLO", {}, 77},
                      TextCase{"/CMD:GETDISKIDHI", {}, static_cast<int32_t>(0xA1B2C3D4u)},
                      TextCase{"/CMD:CLEARPROFSUBS /CMD:SHOWPROFSUBS /CMD:HIDEPROFSUBS /CMD:SHOWVIDEOWIN",
                               {"closeprofile", "showsubs", "hidesubs", "front"}},
                      TextCase{"/cmd:quit", {"cmd[QUIT]"}}, TextCase{"/CMD:Play(1, 2)", {"cmd[PLAY(1, 2)]"}},
                      TextCase{"/ds /unknown /O:f", {"open[f]", "front"}}),
    [](const ::testing::TestParamInfo<TextCase>& info) { return "Text" + std::to_string(info.index); });

TEST(CommandTextTest, ATextWhileClosingDoesNothing) {
    RecordingCommandTarget target;
    target.Closing = true;
    target.TimeCode = 5;
    EXPECT_EQ(TCommandLine::Process("/CMD:GETTIME /O:x /EDITMODE:OFF", 0, target), 0);
    EXPECT_TRUE(target.Calls.empty());
}

TEST(CommandTextTest, DiscQueriesWithoutADiscAnswerZero) {
    RecordingCommandTarget target;
    target.DiscLow = 9; // not known: must not be read
    EXPECT_EQ(TCommandLine::Process("/CMD:GETDISKIDLO", 0, target), 0);
}

TEST(CommandTokenTest, StopsAtASlashAndStepsPastAQuote) {
    std::string token;
    size_t position = 0;
    const std::string text = "ab/cd\"ef";
    ASSERT_TRUE(TCommandLine::ReadCommandToken(text, &token, &position));
    EXPECT_EQ(token, "ab");
    EXPECT_EQ(position, 2u);
    ASSERT_TRUE(TCommandLine::ReadCommandToken(text, &token, &position));
    EXPECT_EQ(token, "cd");
    EXPECT_EQ(position, 6u);
    ASSERT_TRUE(TCommandLine::ReadCommandToken(text, &token, &position));
    EXPECT_EQ(token, "ef");
    EXPECT_FALSE(TCommandLine::ReadCommandToken(text, &token, &position));
    EXPECT_TRUE(token.empty());
}

TEST(CommandTokenTest, QueueNumbers) {
    EXPECT_TRUE(TCommandLine::IsQueueNumber(""));
    EXPECT_TRUE(TCommandLine::IsQueueNumber(" 1 2 "));
    EXPECT_FALSE(TCommandLine::IsQueueNumber("1a"));
    EXPECT_FALSE(TCommandLine::IsQueueNumber("-1"));
}

struct StartCase {
    std::vector<std::string> arguments;
    const char* text;
};

void PrintTo(const StartCase& c, std::ostream* os) {
    *os << c.text;
}

class StartCommandLineTest : public ::testing::TestWithParam<StartCase> {};

TEST_P(StartCommandLineTest, QuotesPathsSoThatTheParserReadsThemBack) {
    EXPECT_EQ(StartCommandLine::Build(GetParam().arguments, "/home/u"), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, StartCommandLineTest,
    ::testing::Values(
        StartCase{{}, ""}, StartCase{{"a.avi"}, "/O:\"/home/u/a.avi\""},
        StartCase{{"/media/x/My Film.mkv", "b c.mp3"},
                  "/PL:clear /PL:\"/media/x/My Film.mkv\" /PL:\"/home/u/b c.mp3\" /PL:1"},
        StartCase{
            {"/NOPLUG", "a", "/SM:fullscreen", "b", "c"},
            "/NOPLUG /PL:clear /PL:\"/home/u/a\" /PL:\"/home/u/b\" /PL:\"/home/u/c\" /PL:1 /SM:fullscreen"},
        StartCase{{"say \"hi\".avi"}, "/O:\"/home/u/say \"\"hi\"\".avi\""},
        StartCase{{"/O:/tmp/a b.avi", "/SM:fullscreen"}, "/O:\"/tmp/a b.avi\" /SM:fullscreen"},
        StartCase{{"/PL:3", "/PL:DEL:1", "/PL:clear", "/PL:/tmp/x.avi"},
                  "/PL:3 /PL:DEL:1 /PL:clear /PL:\"/tmp/x.avi\""},
        StartCase{{"/CONFIG:/home/u/my ini/", "/ds", "/NOPLUG"}, "/CONFIG:\"/home/u/my ini/\" /ds /NOPLUG"},
        StartCase{{"/cmd:quit", "/O:\"/q.avi\""}, "/cmd:quit /O:\"/q.avi\""}),
    [](const ::testing::TestParamInfo<StartCase>& info) { return "Arguments" + std::to_string(info.index); });

TEST(StartCommandLineTest, RoundTripsEveryPathThroughTheParser) {
    for (const std::string path : {"/home/dsmith/a b/c.avi", "/tmp/\"quoted\"/x", "/a//b/", "rel/ds/x.avi"}) {
        RecordingCommandTarget target;
        TCommandLine::Process(StartCommandLine::Build({path}, "/w"), 0, target);
        const std::string expected = path.front() == '/' ? path : "/w/" + path;
        ASSERT_FALSE(target.Calls.empty()) << path;
        EXPECT_EQ(target.Calls.front(), "open[" + expected + "]");
    }
}

TEST(StartCommandLineTest, TheDefaultSkinFlagIsOnlyItsOwnArgument) {
    EXPECT_TRUE(StartCommandLine::UsesDefaultSkin({"x.avi", "/ds"}));
    EXPECT_FALSE(StartCommandLine::UsesDefaultSkin({"/home/dsmith/x.avi"}));
    EXPECT_FALSE(StartCommandLine::UsesDefaultSkin({"/DS"}));
    EXPECT_FALSE(StartCommandLine::UsesDefaultSkin({"/ds/x.avi"}));
}

} // namespace
