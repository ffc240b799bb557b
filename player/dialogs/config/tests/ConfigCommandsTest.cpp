// The commands page of the settings dialog: the grid by category, shortcut editing, gestures and the
// learning of remote-control codes.
#include "player/dialogs/config/GestureDrawing.h"
#include "player/dialogs/config/TConfigCommandsPage.h"
#include "player/dialogs/config/TConfigPageTree.h"
#include "player/dialogs/config/tests/ConfigFixture.h"
#include "player/scripting/actions/ShortcutCode.h"

#include <QAbstractButton>
#include <QAction>
#include <QImage>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QTableWidget>
#include <QTimer>

namespace {

class CommandsTest : public ConfigFixture {
public:
    void SetUp() override {
        ConfigFixture::SetUp();
        StartFrom(kStartSettings);
        ShowDialog();
        grid = Find<QTableWidget>("Str_Keys");
    }
    // The row of the command of that action.
    int RowOf(const char* action) const {
        for (int row = 0; row < grid->rowCount(); ++row) {
            const TActionCommand* command = Page().CommandOfRow(row);
            if (command != nullptr && command->Action->objectName() == QLatin1String(action)) {
                return row;
            }
        }
        return -1;
    }
    TConfigCommandsPage& Page() const { return *dialog->findChild<TConfigCommandsPage*>(); }
    void ClickBinding(const char* action) { emit grid->cellClicked(RowOf(action), 1); }
    TActionCommand& Command(const char* action) const { return *Page().CommandOfRow(RowOf(action)); }
    void ReceiveCode(const std::string& code) {
        Dialog().ShowRemoteCode(code);
        if (Dialog().IsWaitingForRemoteCode()) {
            Dialog().AssignRemoteCode(code);
        }
    }

    QTableWidget* grid = nullptr;
};

TEST_F(CommandsTest, TheGridListsTheCommandsByCategoryFromTheCommandTable) {
    // 5 commands in 3 categories: commands + 3 x categories - 1 rows.
    ASSERT_EQ(grid->rowCount(), 5 + 3 * 3 - 1);
    const QStringList firstColumn = [this] {
        QStringList texts;
        for (int row = 0; row < grid->rowCount(); ++row) {
            texts << grid->item(row, 0)->text().trimmed();
        }
        return texts;
    }();
    EXPECT_EQ(firstColumn, (QStringList{"Standard playback key", "", "Play", "Pause", "Stop", "", "Display",
                                        "", "Full screen", "", "Interface", "", "Show Config"}));
    EXPECT_EQ(grid->currentRow(), 2);
    EXPECT_FALSE(grid->item(0, 0)->flags() & Qt::ItemIsSelectable);
    EXPECT_FALSE(grid->item(1, 0)->flags() & Qt::ItemIsSelectable);
    EXPECT_EQ(grid->columnWidth(1), TConfigCommandsPage::kBindingColumnWidth);
}

TEST_F(CommandsTest, TheKeyEditorGivesTheCommandItsKeyWhenItLosesTheFocus) {
    Dialog().ShowPage(TConfigPageTree::kShortcuts);
    ClickBinding("Ac_Pause");
    auto* editor = Find<QKeySequenceEdit>("Hk_HkEdit");
    ASSERT_TRUE(editor->isVisible());
    editor->setKeySequence(QKeySequence(Qt::CTRL | Qt::Key_P));
    Page().HidePanels();
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(Command("Ac_Pause").ShortcutCode, ShortCutToShortcutCode(ShortCutBit::Ctrl | 'P'));
    EXPECT_EQ(grid->item(RowOf("Ac_Pause"), 1)->text(), QStringLiteral("Ctrl+P"));
    // A special key from the editor's menu, and a key two commands share.
    ClickBinding("Ac_Stop");
    Find<QMenu>("Mn_SpecialKey")->findChild<QAction*>("Pop_Space")->trigger();
    Page().HidePanels();
    ClickBinding("Ac_Play");
    Find<QMenu>("Mn_SpecialKey")->findChild<QAction*>("Pop_Space")->trigger();
    Page().HidePanels();
    EXPECT_EQ(Command("Ac_Stop").ShortcutCode, Command("Ac_Play").ShortcutCode);
    EXPECT_EQ(ShortcutCodeToText(Command("Ac_Play").ShortcutCode), "Space");
}

TEST_F(CommandsTest, ALearntRemoteCodeMovesToTheChosenCommand) {
    Command("Ac_Play").RemoteCode = "KEY_5";
    Dialog().ShowPage(TConfigPageTree::kRemote);
    auto* label = Find<QLabel>("Lb_RemoteCode");
    // Nothing waits: the code is only shown, for two seconds.
    ReceiveCode("KEY_5");
    EXPECT_EQ(label->text(), QStringLiteral("KEY_5"));
    EXPECT_EQ(Command("Ac_Play").RemoteCode, "KEY_5");
    // The timer fires: the label empties.
    QMetaObject::invokeMethod(Find<QTimer>("Ti_Remote"), "timeout", Qt::DirectConnection);
    EXPECT_EQ(label->text(), QString());
    // The panel waits for "Stop": the code leaves "Play".
    ClickBinding("Ac_Stop");
    EXPECT_TRUE(Dialog().IsWaitingForRemoteCode());
    ReceiveCode("KEY_5");
    EXPECT_EQ(Command("Ac_Stop").RemoteCode, "KEY_5");
    EXPECT_EQ(Command("Ac_Play").RemoteCode, "");
    EXPECT_FALSE(Find<QWidget>("Pn_Remote")->isVisible());
    EXPECT_EQ(grid->item(RowOf("Ac_Stop"), 1)->text(), QStringLiteral("Assigned"));
    EXPECT_EQ(grid->item(RowOf("Ac_Play"), 1)->text(), QStringLiteral("--"));
    // Closed with " x ": nothing is learnt.
    ClickBinding("Ac_Pause");
    Page().HidePanels();
    ReceiveCode("KEY_7");
    EXPECT_EQ(Command("Ac_Pause").RemoteCode, "");
    ASSERT_TRUE(Dialog().SaveSettings());
    EXPECT_NE(FakeConfigHost::ReadFile(host.SettingsFolder() + "Keys.cfg").find("KEY_5"), std::string::npos);
}

TEST_F(CommandsTest, AGestureIsTakenOnlyWhileTheGesturePanelWaits) {
    Dialog().ShowPage(TConfigPageTree::kGesture);
    EXPECT_FALSE(Dialog().ShowGesture(26));
    ClickBinding("Ac_FullScreen");
    EXPECT_TRUE(Dialog().ShowGesture(0));
    EXPECT_TRUE(Dialog().ShowGesture(2684));
    Find<QAbstractButton>("Bt_AssignGesture")->click();
    EXPECT_EQ(Command("Ac_FullScreen").GestureCode, 2684);
    EXPECT_FALSE(Dialog().ShowGesture(2));
    ClickBinding("Ac_FullScreen");
    Find<QAbstractButton>("Bt_ClearGesture")->click();
    EXPECT_EQ(Command("Ac_FullScreen").GestureCode, 0);
    // Another tree node closes the panel.
    ClickBinding("Ac_Play");
    Dialog().ShowPage(TConfigPageTree::kInterface);
    EXPECT_FALSE(Dialog().ShowGesture(8));
}

TEST(GestureDrawing, EachDigitIsASquareWithTheArrowOfItsDirection) {
    QImage image(100, 17, QImage::Format_RGB32);
    QPainter painter(&image);
    DrawGesture(2684, painter, image.rect());
    painter.end();
    // Squares 13 pixels wide, 3 apart, from x = 2: centres at 8, 24, 40, 56 (row 8).
    const struct {
        int x;
        QColor colour;
    } arrows[] = {{8, QColor(0, 0x80, 0)},
                  {24, QColor(0, 0, 0x80)},
                  {40, QColor(0xFF, 0, 0)},
                  {56, QColor(0x80, 0, 0x80)}};
    for (const auto& arrow : arrows) {
        bool found = false;
        for (int dx = -1; dx <= 1 && !found; ++dx) {
            for (int dy = -1; dy <= 1 && !found; ++dy) {
                found = image.pixelColor(arrow.x + dx, 8 + dy) == arrow.colour;
            }
        }
        EXPECT_TRUE(found) << arrow.x;
    }
    EXPECT_EQ(image.pixelColor(90, 8), QColor(0xFB, 0xFC, 0xF9));
    EXPECT_EQ(image.pixelColor(0, 0), QColor(0xFB, 0xFC, 0xF9));
}

} // namespace
