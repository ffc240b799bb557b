// The skinned player on an X server of its own, playing a generated clip, with the video context menu
// open over the video window: the screenshot shows the picture, the skin's control window below it and
// the menu with its gradient bar and the skin's menu picture. It is kept in the build folder to look at.
#include "player/ui/TVideoMenu2.h"
#include "player/ui/TVideoPopupMenu.h"
#include "tests/SkinnedPlayerTest.h"

#include <QGuiApplication>
#include <QMenu>
#include <QPixmap>
#include <QScreen>

#include <string>

const std::string& XvfbDisplay();

namespace {

constexpr const char* kShot = SCREENSHOT_FOLDER "/player_context_menu_screenshot.png";

bool NotBlack(const QImage& shot, const QRect& area) {
    for (int y = area.top(); y <= area.bottom(); y += 4) {
        for (int x = area.left(); x <= area.right(); x += 4) {
            if (shot.pixelColor(x, y).value() > 40) {
                return true;
            }
        }
    }
    return false;
}

bool Near(const QColor& colour, const QColor& expected) {
    return std::abs(colour.red() - expected.red()) <= 6 && std::abs(colour.green() - expected.green()) <= 6 &&
           std::abs(colour.blue() - expected.blue()) <= 6;
}

class ContextMenuScreenshotTest : public SkinnedPlayerTest {
protected:
    static QImage Screen() { return QGuiApplication::primaryScreen()->grabWindow(0).toImage(); }
};

TEST_F(ContextMenuScreenshotTest, TheSkinnedPlayerPlaysWithItsContextMenuOpen) {
    if (XvfbDisplay().empty()) {
        GTEST_SKIP() << "no X server of its own: Xvfb is needed (scripts/install-deps.sh installs it)";
    }
    Start("");
    PlayClip("long.mp4");
    const QRect picture(video_->mapToGlobal(QPoint(video_->width() - 120, video_->height() / 2)),
                        QSize(100, 60));
    ASSERT_TRUE(QTest::qWaitFor([&] { return NotBlack(Screen(), picture); }, kWaitMs))
        << "the clip's picture";
    Player().Pause();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Player().GetPlayState() == kPaused; }, kWaitMs));

    TVideoMenu2& videoMenu = main_->VideoMenu();
    videoMenu.Rebuild();
    auto* menu = static_cast<TVideoPopupMenu*>(videoMenu.Menu());
    ASSERT_NE(menu, nullptr);
    menu->popup(video_->mapToGlobal(QPoint(40, 40)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
    const QRect quit = menu->actionGeometry(menu->findChild<QAction*>("Me_Quit"));
    const int logoTop = quit.y() + quit.height() - menu->Logo().height() + TVideoPopupMenu::kLogoOverlap;
    const QPoint barTop = menu->mapToGlobal(QPoint(5, 1));
    ASSERT_GT(logoTop, 10) << "the menu is taller than the skin's menu picture";
    const QPoint barFoot = menu->mapToGlobal(QPoint(5, logoTop - 2));
    QImage shot;
    const bool shown = QTest::qWaitFor(
        [&] {
            shot = Screen();
            return Near(shot.pixelColor(barTop), TVideoPopupMenu::kBarTop) &&
                   Near(shot.pixelColor(barFoot), TVideoPopupMenu::kBarBottom);
        },
        kWaitMs);
    shot.save(kShot);
    EXPECT_TRUE(shown) << "the menu's gradient bar: see " << kShot;
    EXPECT_TRUE(NotBlack(shot, picture)) << "the paused clip's picture: see " << kShot;
    const QRect skin = Skin().MainForm()->frameGeometry();
    EXPECT_TRUE(NotBlack(shot, skin.adjusted(10, 10, -10, -10)))
        << "the skin's control window: see " << kShot;
    menu->close();
}

} // namespace
