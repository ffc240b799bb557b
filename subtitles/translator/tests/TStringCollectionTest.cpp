#include "subtitles/translator/TStringCollection.h"

#include <gtest/gtest.h>

TEST(TStringCollection, KeysAreFoundWithoutRegardToCaseAndListedInOrder) {
    TStringCollection strings("Messages");
    ASSERT_TRUE(strings.Add("Zeta", u"last"));
    ASSERT_TRUE(strings.Add("alpha", u"first"));
    ASSERT_TRUE(strings.Add("Mid", u"middle"));
    EXPECT_EQ(strings.GetText("ALPHA"), u"first");
    EXPECT_EQ(strings.GetText("zeta"), u"last");
    std::string key;
    std::u16string text;
    ASSERT_TRUE(strings.GetEntry(0, &key, &text));
    EXPECT_EQ(key, "alpha");
    ASSERT_TRUE(strings.GetEntry(2, &key, &text));
    EXPECT_EQ(key, "Zeta");
    EXPECT_EQ(text, u"last");
    EXPECT_FALSE(strings.GetEntry(3, &key, &text));
    EXPECT_FALSE(strings.GetEntry(-1, &key, &text));
    EXPECT_EQ(key, "Zeta");
}

TEST(TStringCollection, AddingAnExistingKeyPointsItToTheNewText) {
    TStringCollection strings;
    ASSERT_TRUE(strings.Add("Open", u"Open"));
    ASSERT_TRUE(strings.Add("OPEN", u"Open file"));
    EXPECT_EQ(strings.Count(), 1);
    EXPECT_EQ(strings.GetText("open"), u"Open file");
}

TEST(TStringCollection, UnknownKeysGiveEmptyTextsAndAreNeverAdded) {
    TStringCollection strings;
    strings.Add("Known", u"text");
    EXPECT_EQ(strings.GetText("Unknown"), u"");
    EXPECT_FALSE(strings.SetText("Unknown", u"new"));
    EXPECT_EQ(strings.Count(), 1);
    std::u16string text = u"kept";
    EXPECT_FALSE(strings.Find("Unknown", &text));
    EXPECT_EQ(text, u"kept");
    EXPECT_TRUE(strings.SetText("KNOWN", u"changed"));
    EXPECT_TRUE(strings.Find("known", &text));
    EXPECT_EQ(text, u"changed");
    EXPECT_TRUE(strings.Find("known"));
}

TEST(TStringCollection, RefusesKeysALanguageFileCannotCarry) {
    const std::string tooLong(TStringCollection::kMaxKeyLength + 1, 'k');
    for (const std::string& key :
         {std::string(), std::string("two words"), std::string("1st"), std::string("!hidden"),
          std::string("a<b"), std::string("q\"uote"), tooLong}) {
        TStringCollection strings;
        EXPECT_FALSE(strings.Add(key, u"text")) << key;
        EXPECT_EQ(strings.Count(), 0) << key;
    }
    TStringCollection strings;
    EXPECT_TRUE(strings.Add("Err_Not-found.2", u"text"));
    EXPECT_TRUE(strings.Add("Ünïcode", u"text"));
    EXPECT_TRUE(strings.Add(std::string(TStringCollection::kMaxKeyLength, 'k'), u"text"));
}
