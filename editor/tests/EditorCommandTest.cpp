// The editor's command texts and the command frames that carry them: the keys and values of a
// command line, quoted POSIX paths, and frames from other processes that lie about their length.
#include "editor/TEditorCommandFrame.h"
#include "editor/TEditorCommandLine.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace win = plat::win;

namespace {

struct RecordingTarget : TEditorCommandLine::ITarget {
    void OpenProfileFromCommand(const std::string& path) override { Opened.push_back(path); }
    void SetCaptionFromCommand(const std::u16string& caption) override { Captions.push_back(caption); }
    std::vector<std::string> Opened;
    std::vector<std::u16string> Captions;
};

std::vector<uint8_t> Frame(int32_t magic, int32_t length, const std::vector<uint8_t>& data) {
    std::vector<uint8_t> frame(12);
    std::memcpy(frame.data(), &magic, 4);
    std::memcpy(frame.data() + 8, &length, 4);
    frame.insert(frame.end(), data.begin(), data.end());
    return frame;
}

std::optional<std::u16string> Read(const std::vector<uint8_t>& frame, uint32_t delivered) {
    const win::COPYDATASTRUCT copy{0, delivered, frame.data()};
    return TEditorCommandFrame::ReadCommandText(&copy);
}

} // namespace

TEST(EditorCommandTest, CommandLineKeysAndValues) {
    struct Case {
        std::u16string text;
        std::vector<std::string> opened;
        std::vector<std::u16string> captions;
    };
    const std::vector<Case> cases = {
        {u"/O:\"/tmp/a b/p.zds\"", {"/tmp/a b/p.zds"}, {}},
        {u"/o:\"/tmp/x.zds\" /CMD:Word", {"/tmp/x.zds"}, {u"Word"}},
        {u"/CMD:", {}, {}},
        {u"/CMD:Word", {}, {u"Word"}},
        {u"/cmd:two words", {}, {u"two words"}},
        {u"/O:", {}, {}},
        {u"/O:plain.zds", {"plain.zds"}, {}},
        {u"/O:\"with \"\"quote\"\".zds\"", {"with \"quote\".zds"}, {}},
        {u"/O:/home/u/p.zds", {"home"}, {}}, // an unquoted value ends at the next '/'
        {u"no keys at all", {}, {}},
        {u"/X:1 /CMD:\"T\"", {}, {u"T"}},
    };
    for (const Case& c : cases) {
        RecordingTarget target;
        TEditorCommandLine::Run(c.text, target);
        EXPECT_EQ(target.Opened, c.opened) << std::string(c.text.begin(), c.text.end());
        EXPECT_EQ(target.Captions, c.captions) << std::string(c.text.begin(), c.text.end());
    }
}

TEST(EditorCommandTest, QuotedPathsComeBackWhole) {
    for (const std::string path : {"/tmp/a b/p.zds", "/x/\"q\"/y.zds", "plain"}) {
        RecordingTarget target;
        const std::string text = "/O:" + TEditorCommandLine::Quote(path);
        TEditorCommandLine::Run(std::u16string(text.begin(), text.end()), target);
        EXPECT_EQ(target.Opened, std::vector<std::string>{path});
    }
}

TEST(EditorCommandTest, CommandFramesAreCheckedAgainstTheBytesDelivered) {
    const std::vector<uint8_t> word = {'/', 'C', 'M', 'D', ':', 'W', 0};
    const std::vector<uint8_t> wide = {0xFF, 0xFE, '/', 0, 'C', 0, 'M', 0, 'D', 0, ':', 0, 'W', 0, 0, 0};
    struct Case {
        const char* name;
        std::vector<uint8_t> frame;
        uint32_t delivered; // 0: the whole frame
        std::optional<std::u16string> text;
    };
    const std::vector<Case> cases = {
        {"8-bit text", Frame(102901, 7, word), 0, u"/CMD:W"},
        {"UTF-16 after FF FE", Frame(102901, 16, wide), 0, u"\uFEFF/CMD:W"},
        {"odd UTF-16 length", Frame(102901, 15, std::vector<uint8_t>(wide.begin(), wide.end() - 1)), 0,
         u"\uFEFF/CMD:W"},
        {"length beyond the bytes", Frame(102901, 400, word), 0, std::nullopt},
        {"negative length", Frame(102901, -5, word), 0, std::nullopt},
        {"length zero", Frame(102901, 0, word), 0, std::nullopt},
        {"another magic", Frame(11011, 7, word), 0, std::nullopt},
        {"cut header", Frame(102901, 7, word), 11, std::nullopt},
        {"no NUL in the text", Frame(102901, 6, std::vector<uint8_t>(word.begin(), word.end() - 1)), 0,
         u"/CMD:W"},
    };
    for (const Case& c : cases) {
        const uint32_t delivered = c.delivered != 0 ? c.delivered : static_cast<uint32_t>(c.frame.size());
        EXPECT_EQ(Read(c.frame, delivered), c.text) << c.name;
    }
    EXPECT_EQ(TEditorCommandFrame::ReadCommandText(nullptr), std::nullopt);
}

TEST(EditorCommandTest, BuiltFramesHaveTheirLayout) {
    const std::vector<uint8_t> text = TEditorCommandFrame::BuildText("/EDITMODE:ON");
    ASSERT_EQ(text.size(), 12u + 13u);
    int32_t words[3];
    std::memcpy(words, text.data(), sizeof words);
    EXPECT_EQ(words[0], 102901);
    EXPECT_EQ(words[1], 0);
    EXPECT_EQ(words[2], 13);
    EXPECT_EQ(text.back(), 0);

    const std::vector<uint8_t> empty = TEditorCommandFrame::BuildOrder(301, {});
    ASSERT_EQ(empty.size(), 12u);
    std::memcpy(words, empty.data(), sizeof words);
    EXPECT_EQ(words[0], 11011);
    EXPECT_EQ(words[1], 301);
    EXPECT_EQ(words[2], 0);
}
