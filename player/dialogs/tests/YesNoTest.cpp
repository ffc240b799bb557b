// The player's yes/no box: what it shows in its two forms, the answers of its buttons and keys, and
// silent mode answering No without showing anything.
#include "platform/forms/DialogRunner.h"
#include "player/dialogs/TYesNo.h"
#include "player/ui/skin/buttons/THoverButton.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QTest>

#include <functional>

namespace {

// Plays the user's part: looks at the shown box, then acts on it.
class UserAtTheBox : public plat::forms::DialogRunner {
public:
    struct Seen {
        QString caption;
        QString lines[3];
        bool yesShown = false;
        QString noCaption;
        QWidget* focused = nullptr;
    };

    explicit UserAtTheBox(std::function<void(TYesNo&)> act) : act_(std::move(act)) { SetCurrent(this); }
    ~UserAtTheBox() override { SetCurrent(nullptr); }

    int Run(QDialog& dialog) override {
        auto& box = dynamic_cast<TYesNo&>(dialog);
        box.show();
        ++runs;
        seen.caption = box.findChild<QLabel*>("Lb_Caption")->text();
        const char* names[] = {"Lb_L1", "Lb_L2", "Lb_L3"};
        for (int i = 0; i < 3; ++i) {
            seen.lines[i] = box.findChild<QLabel*>(names[i])->text();
        }
        seen.yesShown = box.findChild<QWidget*>("Bt_Ok")->isVisible();
        seen.noCaption = box.findChild<THoverButton*>("Bt_No")->Caption();
        seen.focused = box.focusWidget();
        act_(box);
        return box.result();
    }

    Seen seen;
    int runs = 0;

private:
    std::function<void(TYesNo&)> act_;
};

void Click(TYesNo& box, const char* button) {
    QTest::mouseClick(box.findChild<QWidget*>(button), Qt::LeftButton);
}

TEST(YesNoTest, TheButtonsAndEscapeAnswer) {
    struct Case {
        const char* name;
        std::function<void(TYesNo&)> act;
        int answer;
    };
    const Case cases[] = {
        {"Yes", [](TYesNo& box) { Click(box, "Bt_Ok"); }, TYesNo::kYes},
        {"No", [](TYesNo& box) { Click(box, "Bt_No"); }, TYesNo::kNo},
        {"Escape", [](TYesNo& box) { QTest::keyClick(&box, Qt::Key_Escape); }, TYesNo::kNo},
    };
    TYesNo box;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        UserAtTheBox user(c.act);
        EXPECT_EQ(box.Ask("Clear the play list", "of 12 items", "", true), c.answer);
        EXPECT_EQ(user.seen.caption, "Are you sure ? ");
        EXPECT_EQ(user.seen.lines[0], "Clear the play list");
        EXPECT_EQ(user.seen.lines[1], "of 12 items");
        EXPECT_TRUE(user.seen.yesShown);
        EXPECT_EQ(user.seen.noCaption, "&No");
        EXPECT_FALSE(box.isVisible());
    }
}

TEST(YesNoTest, TheOneButtonFormAnswersNoAndTheNextQuestionHasBothButtonsAgain) {
    TYesNo box;
    {
        UserAtTheBox user([](TYesNo& shown) { Click(shown, "Bt_No"); });
        EXPECT_EQ(box.Ask("No newer version", "", "", false), TYesNo::kNo);
        EXPECT_EQ(user.seen.caption, "");
        EXPECT_FALSE(user.seen.yesShown);
        EXPECT_EQ(user.seen.noCaption, "OK");
    }
    UserAtTheBox user([](TYesNo& shown) { Click(shown, "Bt_Ok"); });
    EXPECT_EQ(box.Ask("Delete", "", "", true), TYesNo::kYes);
    EXPECT_TRUE(user.seen.yesShown);
    EXPECT_EQ(user.seen.noCaption, "&No");
}

// Silent mode must not confirm a destructive question on the user's behalf: it answers No.
TEST(YesNoTest, SilentModeAnswersNoWithoutShowingAnything) {
    TYesNo box;
    box.SetSilent(true);
    UserAtTheBox user([](TYesNo& shown) { Click(shown, "Bt_Ok"); });
    EXPECT_EQ(box.Ask("Clear the profile", "", "", true), TYesNo::kNo);
    EXPECT_EQ(user.runs, 0);
    EXPECT_FALSE(box.isVisible());
}

} // namespace
