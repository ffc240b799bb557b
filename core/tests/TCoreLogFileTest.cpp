#include "core/src/framework/TCoreLogFile.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

class TCoreLogFileTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        path_ = dir_.filePath("core.log").toStdString();
        widePath_ = QString::fromStdString(path_).toStdU16String();
    }

    void Start() {
        log_.SetPath(widePath_.c_str());
        log_.SetEnabled(true);
    }

    bool Exists() const { return std::filesystem::exists(path_); }

    std::string Contents() const {
        std::ifstream in(path_, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    void Plant(const std::string& text) const { std::ofstream(path_, std::ios::binary) << text; }

    QTemporaryDir dir_;
    std::string path_;
    std::u16string widePath_;
    TCoreLogFile log_;
};

TEST_F(TCoreLogFileTest, NothingHappensWithoutAPathOrWhileDisabled) {
    struct Case {
        bool path;
        bool enabled;
    };
    for (const Case c : {Case{false, true}, Case{true, false}}) {
        Plant("kept");
        log_.SetPath(c.path ? widePath_.c_str() : nullptr);
        log_.SetEnabled(c.enabled);
        log_.WriteNarrow("narrow");
        log_.WriteWide(u"wide");
        log_.WriteNarrow(nullptr);
        EXPECT_EQ(Contents(), "kept") << c.path << c.enabled;
    }
}

TEST_F(TCoreLogFileTest, WritesAppendTheFormattedTextUnchanged) {
    Plant("old\n");
    Start();
    log_.WriteNarrow("%s=%d\n", "a", 5);
    log_.WriteWide(u"%s:%hs ", u"wide", "narrow");
    log_.WriteWide(u"%s", u"\u00e9\u20ac\U0001F600");
    EXPECT_EQ(Contents(), "old\na=5\nwide:narrow \u00e9\u20ac\U0001F600");
}

TEST_F(TCoreLogFileTest, NullFormatDeletesTheFile) {
    Start();
    log_.WriteNarrow("line\n");
    ASSERT_TRUE(Exists());
    log_.WriteNarrow(nullptr);
    EXPECT_FALSE(Exists());

    log_.WriteWide(u"line\n");
    log_.WriteWide(nullptr);
    EXPECT_FALSE(Exists());
}

TEST_F(TCoreLogFileTest, LongMessagesAreCutToTheLimitAtACharacterBoundary) {
    Start();
    const std::string narrowSplit = std::string(2046, 'a') + "\u00e9";
    const std::u16string wideSplit = std::u16string(2045, u'a') + u"\u20ac";
    struct Case {
        const char* name;
        std::size_t bytes;
    };
    const auto check = [&](const Case& c) {
        EXPECT_EQ(Contents().size(), c.bytes) << c.name;
        log_.WriteNarrow(nullptr);
    };
    log_.WriteNarrow("%s", narrowSplit.c_str());
    check({"narrow character on the limit", 2046});
    log_.WriteNarrow("%s", std::string(3000, 'b').c_str());
    check({"narrow plain text", TCoreLogFile::kMaxMessageBytes});
    log_.WriteWide(u"%s", wideSplit.c_str());
    check({"wide character on the limit", 2045});
}

TEST_F(TCoreLogFileTest, SetPathWithNullForgetsThePath) {
    Start();
    log_.SetPath(nullptr);
    log_.WriteNarrow("line\n");
    EXPECT_FALSE(Exists());
}

TEST_F(TCoreLogFileTest, ConcurrentWritersKeepEveryLineWhole) {
    constexpr int kThreads = 8;
    constexpr int kLines = 500;
    Start();
    std::vector<std::thread> writers;
    for (int t = 0; t < kThreads; ++t) {
        writers.emplace_back([this, t] {
            for (int i = 0; i < kLines; ++i) {
                log_.WriteNarrow("writer %d line %d of the concurrency test\n", t, i);
            }
        });
    }
    for (auto& writer : writers) {
        writer.join();
    }
    std::istringstream lines(Contents());
    std::set<std::pair<int, int>> seen;
    for (std::string line; std::getline(lines, line);) {
        int t = -1;
        int i = -1;
        char tail[64] = {};
        ASSERT_EQ(std::sscanf(line.c_str(), "writer %d line %d of the %63[a-z ]", &t, &i, tail), 3) << line;
        ASSERT_STREQ(tail, "concurrency test") << line;
        EXPECT_TRUE(seen.emplace(t, i).second) << line;
    }
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(kThreads * kLines));
}

TEST(TCoreLogFileInstanceTest, TheLibraryHasOneLog) {
    EXPECT_EQ(&TCoreLogFile::Instance(), &TCoreLogFile::Instance());
}

} // namespace
