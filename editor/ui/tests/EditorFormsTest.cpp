// The small editor forms: the yes/no question's keys, the error window's kinds and replacement, and
// the Info window, whose four fields and readmes are written back into the profile.
#include "editor/TShared.h"
#include "editor/tests/EditorTestSupport.h"
#include "editor/ui/TErrMessage.h"
#include "editor/ui/TInfo.h"
#include "editor/ui/TYesNo.h"
#include "subtitles/profiles/TDVDProfile.h"
#include "subtitles/profiles/TLanguage.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

TEST(EditorFormsTest, YesNoAnswersByKey) {
    struct Case {
        Qt::Key key;
        int answer;
    };
    for (const Case& c : {Case{Qt::Key_Return, TYesNo::kYes}, Case{Qt::Key_Escape, TYesNo::kNo}}) {
        TYesNo yesNo;
        QTimer::singleShot(0, &yesNo, [&] { QTest::keyClick(&yesNo, c.key); });
        EXPECT_EQ(yesNo.Ask(u"one", u"two", u""), c.answer);
        EXPECT_EQ(yesNo.findChild<QLabel*>("Lb_L1")->text(), "one");
    }
    TYesNo closed;
    QTimer::singleShot(0, &closed, [&] { closed.done(0); });
    EXPECT_EQ(closed.Ask(u"a", u"b", u"c"), 0);
}

TEST(EditorFormsTest, TheErrorWindowShowsTheLastMessageOfKindsZeroAndOne) {
    TErrMessage window;
    window.ShowText(2, u"ignored");
    EXPECT_FALSE(window.isVisible());
    window.ShowText(1, u"first");
    window.ShowText(0, u"second");
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.Text(), "second");
}

TEST(EditorFormsTest, TheInfoWindowWritesItsEditsIntoTheProfile) {
    TShared shared;
    RecordingMainView main;
    shared.SetViews({&main, nullptr, nullptr, nullptr});
    TDVDProfile profile;
    shared.SetDocument(&profile);
    ASSERT_TRUE(shared.NewProfile());
    profile.Header.Title = "Old title";
    TInfo info(shared);
    TProfileCursor cursor = shared.GetCurrentItem();
    info.ShowProfileInfo(&cursor);
    EXPECT_FALSE(main.Modified);
    auto* title = info.findChild<QLineEdit*>("Ed_Pro_Name");
    EXPECT_EQ(title->text(), "Old title");
    title->selectAll();
    QTest::keyClicks(title, "New title");
    EXPECT_EQ(profile.Header.Title, "New title");
    EXPECT_TRUE(main.Modified);

    auto* readme = info.findChild<QPlainTextEdit*>("Me_Readme");
    ASSERT_TRUE(readme->isEnabled());
    readme->setPlainText("Profile readme \u00e9");
    info.StoreReadme();
    ASSERT_NE(profile.Readme, nullptr);
    EXPECT_EQ(profile.Readme->substr(0, 2), "\xFF\xFE");
    info.findChild<QPushButton*>("Bt_LanReadme")->click();
    EXPECT_EQ(readme->toPlainText(), "");
    readme->setPlainText("Language readme");
    info.findChild<QPushButton*>("Bt_ProReadme")->click();
    EXPECT_EQ(readme->toPlainText(), "Profile readme \u00e9");
    info.findChild<QPushButton*>("Bt_LanReadme")->click();
    EXPECT_EQ(readme->toPlainText(), "Language readme");
    EXPECT_NE(profile.Volumes.Head->Languages.Head->Readme, nullptr);

    info.ShowProfileInfo(nullptr);
    main.Modified = false;
    QTest::keyClicks(title, "x");
    EXPECT_FALSE(main.Modified);
}
