// The skin's action sink over a fake main form: command names find actions by their place in the
// action list, the seek bar's target is clamped to what the player seeks to, and the main skin form
// first stands below the video window, then where it last was.
#include "player/ui/TPlayerSkin.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QWidget>

#include <limits>
#include <string>
#include <vector>

namespace {

class TFakeSkinActionHost : public ISkinActionHost {
public:
    TFakeSkinActionHost() {
        for (const char* name : {"Ac_Play", "Ac_Stop", "Ac_EnterDVDMode"}) {
            auto* action = new QAction(name, &owner_);
            action->setObjectName(name);
            actions_.push_back(action);
        }
    }

    const QList<QAction*>& DVDControl() const override { return actions_; }
    QAction* FindActionByCommand(std::string_view text, std::string* arguments) const override {
        *arguments = "found";
        return text == "Stop" ? actions_[1] : nullptr;
    }
    void Ac_QuitExecute() override { ++quits; }
    void SetSeekTarget(uint32_t ms) override { seekTarget = ms; }
    uint32_t SeekTarget() const override { return seekTarget; }
    void GoToSeekPos() override {}
    void FormMouseWheelUp() override { wheel.push_back("up"); }
    void FormMouseWheelDown() override { wheel.push_back("down"); }
    QMenu* PlaySourceMenu() const override { return nullptr; }
    void ShowError(const std::u16string& text) override { errors.push_back(text); }
    void LoadFormPosition(QWidget*) override {}
    void SaveFormPosition(const QWidget*) override {}
    QWidget* SkinAnchor() const override { return anchor; }

    QWidget* anchor = nullptr;
    uint32_t seekTarget = 0;
    int quits = 0;
    std::vector<std::string> wheel;
    std::vector<std::u16string> errors;

private:
    QObject owner_;
    QList<QAction*> actions_;
};

} // namespace

TEST(SkinActionSinkTest, CommandsFindActionsByTheirPlaceInTheActionList) {
    TFakeSkinActionHost host;
    TPlayerSkin skin(host, "");
    TSkinActionSink& sink = skin.Sink();
    std::string argument = "old";
    EXPECT_EQ(sink.FindActionByCommand("Stop", argument), 1);
    EXPECT_EQ(argument, "found");
    EXPECT_EQ(sink.FindActionByCommand("Nothing", argument), ISkinActionSink::kNoAction);
    EXPECT_EQ(sink.ModeAction(true), 2) << "Ac_EnterDVDMode";
    EXPECT_EQ(sink.ModeAction(false), ISkinActionSink::kNoAction);

    int stopped = 0;
    QObject::connect(host.DVDControl()[1], &QAction::triggered, [&stopped] { ++stopped; });
    for (const int index : {1, -1, 3}) {
        sink.ExecuteAction(index);
    }
    EXPECT_EQ(stopped, 1) << "indices outside the list run nothing";

    sink.Quit();
    sink.MouseWheel(true, Qt::NoModifier, QPoint());
    sink.MouseWheel(false, Qt::NoModifier, QPoint());
    sink.ReportError(u"bad skin");
    EXPECT_EQ(host.quits, 1);
    EXPECT_EQ(host.wheel, (std::vector<std::string>{"down", "up"}));
    EXPECT_EQ(host.errors, std::vector<std::u16string>{u"bad skin"});
}

TEST(SkinActionSinkTest, TheSeekTargetIsClampedToTheRangeThePlayerSeeksIn) {
    TFakeSkinActionHost host;
    TPlayerSkin skin(host, "");
    const struct {
        int64_t given;
        uint32_t kept;
    } cases[] = {{-5, 0}, {0, 0}, {90000, 90000}, {int64_t{1} << 40, std::numeric_limits<uint32_t>::max()}};
    for (const auto& c : cases) {
        skin.Sink().SetSeekTarget(c.given);
        EXPECT_EQ(host.seekTarget, c.kept) << c.given;
        EXPECT_EQ(skin.Sink().SeekTarget(), c.kept);
    }
}

TEST(SkinActionSinkTest, TheMainSkinFormFirstStandsBelowTheVideoWindowThenWhereItLastWas) {
    TFakeSkinActionHost host;
    TPlayerSkin skin(host, "");
    QWidget video;
    video.setGeometry(100, 50, 320, 240);
    host.anchor = &video;
    QWidget form;
    skin.Sink().LoadFormPosition(form);
    EXPECT_EQ(form.pos(), QPoint(video.frameGeometry().left(), video.frameGeometry().bottom() + 1));

    form.move(7, 9);
    skin.Sink().SaveFormPosition(form);
    form.move(0, 0);
    skin.Sink().LoadFormPosition(form);
    EXPECT_EQ(form.pos(), QPoint(7, 9));
}
