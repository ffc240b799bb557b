// The player's translation: targets in order with missing forms passed over, nothing translated
// without a language file, and the tips list sized by the language file's count (bounded).
#include "player/ui/TPlayerTranslation.h"
#include "subtitles/translator/TStringCollection.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace {

class PlayerTranslationTest : public ::testing::Test {
protected:
    void SetUp() override {
        file_ = fs::temp_directory_path() / ("tovrin-lang-" + std::to_string(getpid()) + ".lang");
    }
    void TearDown() override { fs::remove(file_); }

    // A language file with the tips' count and two tips, and a caption for the form "Tips".
    void Write(const std::string& count) {
        std::ofstream(file_)
            << "<LANGUAGE Name=\"Test\">\n  <FORM>\n    <Tips Caption=\"Astuces\"/>\n  </FORM>\n"
               "  <STRINGCOLLECTION>\n    <TipsStrings>\n"
            << (count.empty() ? "" : "      <NbOfTips Text=\"" + count + "\"/>\n")
            << "    </TipsStrings>\n    <TipsList>\n      <Tips_1 Text=\"First\"/>\n"
               "      <Tips_2 Text=\"Second\"/>\n    </TipsList>\n  </STRINGCOLLECTION>\n"
               "</LANGUAGE>\n";
    }

    fs::path file_;
};

TEST_F(PlayerTranslationTest, TheTipsListHasAsManyEntriesAsTheLanguageFileSays) {
    struct Case {
        const char* name;
        std::string count;
        int entries;
    };
    for (const Case& c :
         {Case{"missing", "", 0}, Case{"none", "0", 0}, Case{"three", "3", 3}, Case{"negative", "-4", 0},
          Case{"not a number", "many", 0}, Case{"hostile", "2000000000", TPlayerTranslation::kMaxTips}}) {
        SCOPED_TRACE(c.name);
        Write(c.count);
        TPlayerTranslation translation;
        ASSERT_TRUE(translation.Load(file_.string()));
        TStringCollection strings("TipsStrings");
        strings.Add("NbOfTips", u"0");
        TStringCollection tips("TipsList");
        tips.Add("Old", u"kept from before");
        translation.Apply({&strings});
        translation.FillTips(strings, tips);
        EXPECT_EQ(tips.Count(), c.entries);
        EXPECT_FALSE(tips.Find("Old")) << "the list is emptied first";
        if (c.entries >= 3) {
            EXPECT_EQ(tips.GetText("Tips_1"), u"First");
            EXPECT_EQ(tips.GetText("Tips_2"), u"Second");
            EXPECT_EQ(tips.GetText("Tips_3"), u"  ") << "an untranslated tip";
        }
    }
}

TEST_F(PlayerTranslationTest, FormsAndCollectionsAreTranslatedAndMissingOnesPassedOver) {
    Write("1");
    TPlayerTranslation translation;
    ASSERT_TRUE(translation.Load(file_.string()));
    QWidget tipsForm;
    tipsForm.setObjectName("Tips");
    tipsForm.setWindowTitle("Tips");
    TStringCollection tips("TipsList");
    tips.Add("Tips_2", u"English");
    translation.Apply(
        {static_cast<QWidget*>(nullptr), &tipsForm, static_cast<TStringCollection*>(nullptr), &tips});
    EXPECT_EQ(tipsForm.windowTitle(), "Astuces");
    EXPECT_EQ(tips.GetText("Tips_2"), u"Second");
}

TEST_F(PlayerTranslationTest, WithoutALanguageFileNothingChanges) {
    TPlayerTranslation translation;
    EXPECT_FALSE(translation.Load((file_.string() + ".missing")));
    QWidget tipsForm;
    tipsForm.setObjectName("Tips");
    tipsForm.setWindowTitle("Tips");
    translation.Apply({&tipsForm});
    EXPECT_EQ(tipsForm.windowTitle(), "Tips");
    TStringCollection strings("TipsStrings");
    strings.Add("NbOfTips", u"2");
    TStringCollection tips("TipsList");
    translation.FillTips(strings, tips);
    EXPECT_EQ(tips.Count(), 2) << "the English list: the tips' own count";
}

} // namespace
