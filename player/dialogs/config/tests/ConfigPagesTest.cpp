// The plain pages of the settings dialog: every control of the binding table exists, unchanged
// settings survive a show and a Save byte for byte, each edited control reaches its key, and the
// enabling rules follow the values.
#include "player/dialogs/config/TColorSwatch.h"
#include "player/dialogs/config/TConfigBindings.h"
#include "player/dialogs/config/tests/ConfigFixture.h"
#include "player/model/settings/Tag_PlayerConfig.h"
#include "player/model/settings/Tag_VokradConfig.h"
#include "subtitles/scripts/TScriptControl.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

#include <functional>

namespace {

using PagesTest = ConfigFixture;

TEST_F(PagesTest, TheFormHoldsEveryControlOfTheBindingTable) {
    THintValues hints;
    const auto table = TConfigBindings::Table({VokradConfig(), PlayerConfig(), GlobalDefaultStyle(), hints});
    for (std::string_view missing : TConfigBindings::Missing(table, Dialog())) {
        ADD_FAILURE() << "no control " << missing;
    }
}

TEST_F(PagesTest, ShowingAndSavingUnchangedSettingsKeepsEveryByte) {
    const std::string before = StartFrom(kStartSettings);
    const std::string keysBefore = FakeConfigHost::ReadFile(host.SettingsFolder() + "Keys.cfg");
    ShowDialog();
    ASSERT_TRUE(Dialog().SaveSettings());
    EXPECT_EQ(FakeConfigHost::ReadFile(host.SettingsFile()), before);
    EXPECT_EQ(FakeConfigHost::ReadFile(host.SettingsFolder() + "Keys.cfg"), keysBefore);
    EXPECT_NE(before.find("; the user's own comment"), std::string::npos);
    EXPECT_EQ(host.closed, std::vector<bool>{true});
}

struct Edit {
    const char* name;
    std::function<void(PagesTest&)> change;
    const char* section;
    const char* key;
    const char* expected;
};

void SetSpin(PagesTest& test, const char* name, int value) {
    if (auto* spin = test.Find<QSpinBox>(name)) {
        spin->setValue(value);
    }
}

void Click(PagesTest& test, const char* name) {
    if (auto* button = test.Find<QAbstractButton>(name)) {
        button->click();
    }
}

TEST_F(PagesTest, EachEditedControlReachesItsKey) {
    const Edit edits[] = {
        {"spin beyond its range", [](PagesTest& t) { SetSpin(t, "Ud_AutoHide", 100); }, "General",
         "AutoHideMouseTime", "60"},
        {"quality below its range", [](PagesTest& t) { SetSpin(t, "Ud_CaptJPGQuality", 0); }, "Capture",
         "JPGQuality", "1"},
        {"check box", [](PagesTest& t) { Click(t, "Ch_CheckForUpdates"); }, "General", "CheckForUpdates",
         "0"},
        {"folder",
         [](PagesTest& t) { t.Dialog().findChild<QLineEdit*>("Ed_PlaylistDir")->setText("/media/lists"); },
         "FilePath", "PlaylistPath", "/media/lists"},
        {"OSD place", [](PagesTest& t) { Click(t, "Sh_OSDBr"); }, "OSD", "Position", "3"},
        {"alignment top right", [](PagesTest& t) { Click(t, "Bt_Top"), Click(t, "Bt_Right"); },
         "DefaultStyle", "Alignment", "7"},
        {"outline method", [](PagesTest& t) { Click(t, "Rb_CalcOutlines"); }, "StyleOverride", "OutlineStyle",
         "1"},
        {"capture target", [](PagesTest& t) { Click(t, "Rb_CaptToClipboard"); }, "Capture", "ToClipboard",
         "1"},
        {"hint delay", [](PagesTest& t) { SetSpin(t, "Ud_HintShowTime", 250); }, "Hints", "TimeBeforeShow",
         "250"},
        {"double click",
         [](PagesTest& t) { t.Dialog().findChild<QComboBox*>("Cb_DoubleClickFunction")->setCurrentIndex(2); },
         "General", "DoubleClickFunction", "2"},
        {"speed 3 ends the list", [](PagesTest& t) { SetSpin(t, "Ud_SeekSpeed_3", 0); }, "SeekSpeed",
         "Speed_3", "0"},
        {"colour key", [](PagesTest& t) { t.choosers.colour = QColor(1, 2, 3), Click(t, "Bt_SelectKey"); },
         "ColorKey", "B", "3"},
        {"disable shadows",
         [](PagesTest& t) {
             Click(t, "Ch_ForceShadow");
             Click(t, "Ch_DisableShadows"); // a shadow of 0 showed it checked
             SetSpin(t, "Ud_OverShadow", 3);
             Click(t, "Ch_DisableShadows");
         },
         "StyleOverride", "Shadow", "0"},
    };
    for (const Edit& edit : edits) {
        SCOPED_TRACE(edit.name);
        StartFrom(kStartSettings);
        ShowDialog();
        edit.change(*this);
        ASSERT_TRUE(Dialog().SaveSettings());
        EXPECT_EQ(Setting(edit.section, edit.key), edit.expected);
    }
}

TEST_F(PagesTest, StoredValuesShowInTheirControls) {
    StartFrom(std::string(kStartSettings) +
              "[StyleOverride]\nOutlineStyle=2\nShadow=0\nOverrideDropShadow=1\n");
    ShowDialog();
    EXPECT_EQ(Find<QSpinBox>("Ud_AutoHide")->value(), 12);
    EXPECT_TRUE(Find<QAbstractButton>("Sh_OSDTr")->isChecked());
    EXPECT_TRUE(Find<QAbstractButton>("Bt_Center")->isChecked());
    EXPECT_TRUE(Find<QAbstractButton>("Bt_Top")->isChecked());
    // An outline method no button stands for shows as precalculated and is saved as such.
    EXPECT_TRUE(Find<QAbstractButton>("Rb_BestOutlines")->isChecked());
    EXPECT_TRUE(Find<QCheckBox>("Ch_DisableShadows")->isChecked());
    EXPECT_FALSE(Find<QSpinBox>("Ud_OverShadow")->isEnabled());
    ASSERT_TRUE(Dialog().SaveSettings());
    EXPECT_EQ(Setting("StyleOverride", "OutlineStyle"), "4");
}

TEST_F(PagesTest, AScanSpeedOfZeroSwitchesTheNextOneOff) {
    StartFrom(kStartSettings);
    ShowDialog();
    auto* third = Find<QSpinBox>("Ud_SeekSpeed_3");
    EXPECT_TRUE(third->isEnabled());
    EXPECT_FALSE(Find<QSpinBox>("Ud_SeekSpeed_5")->isEnabled()); // speed 4 is 0
    SetSpin(*this, "Ud_SeekSpeed_2", 0);
    EXPECT_FALSE(third->isEnabled());
    EXPECT_FALSE(third->findChild<QLineEdit*>()->isEnabled());
    SetSpin(*this, "Ud_SeekSpeed_2", 4);
    EXPECT_TRUE(third->isEnabled());
    // The capture size takes no part in the chain.
    SetSpin(*this, "Ud_CaptResizeX", 640);
    EXPECT_TRUE(third->isEnabled());
}

TEST_F(PagesTest, CaptureAndOverrideControlsFollowTheirBoxes) {
    StartFrom(kStartSettings);
    ShowDialog();
    const struct {
        const char* box;
        std::vector<const char*> controls;
    } rules[] = {
        {"Ch_CaptureResize", {"Ud_CaptResizeX", "Ud_CaptResizeY"}},
        {"Ch_CaptSavetoJPG", {"Ud_CaptJPGQuality", "Lb_CaptJPGPercent"}},
        {"Ch_ForceShadow", {"Ch_DisableShadows"}},
        {"Ch_ForceOutline", {"Ch_DisableOutlines"}},
    };
    for (const auto& rule : rules) {
        SCOPED_TRACE(rule.box);
        auto* box = Find<QAbstractButton>(rule.box);
        for (bool on : {true, false}) {
            box->setChecked(on);
            for (const char* control : rule.controls) {
                EXPECT_EQ(Find<QWidget>(control)->isEnabled(), on) << control;
            }
        }
    }
}

TEST_F(PagesTest, TheFontChooserFillsTheLabelsAndToggles) {
    StartFrom(kStartSettings);
    ShowDialog();
    QFont chosen(QStringLiteral("DejaVu Sans"));
    chosen.setPointSize(22);
    chosen.setBold(true);
    choosers.font = chosen;
    Click(*this, "Bt_FontSelect");
    EXPECT_EQ(Find<QLabel>("Lb_FontFace")->text(), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(Find<QLabel>("Lb_FontSize")->text(), QStringLiteral("22"));
    EXPECT_TRUE(Find<QAbstractButton>("Bt_Bold")->isChecked());
    ASSERT_TRUE(Dialog().SaveSettings());
    EXPECT_EQ(Setting("DefaultStyle", "FontName"), "DejaVu Sans");
    EXPECT_EQ(Setting("DefaultStyle", "FontSize"), "22");
    EXPECT_EQ(Setting("DefaultStyle", "Bold"), "1");
}

TEST_F(PagesTest, FolderChoosersOpenOnTheSavedFolderAndKeepTheEditWhenCancelled) {
    StartFrom(std::string(kStartSettings) + "[FilePath]\nPlaylistPath=/saved/lists\n");
    ShowDialog();
    auto* edit = Find<QLineEdit>("Ed_PlaylistDir");
    edit->setText(QStringLiteral("/typed"));
    Click(*this, "Bt_PlaylistDir");
    EXPECT_EQ(choosers.asked,
              (QStringList{QStringLiteral("Select the Playlist folder"), QStringLiteral("/saved/lists")}));
    EXPECT_EQ(edit->text(), QStringLiteral("/typed"));
    choosers.folder = QStringLiteral("/chosen");
    Click(*this, "Bt_PlaylistDir");
    EXPECT_EQ(edit->text(), QStringLiteral("/chosen"));
    EXPECT_EQ(Find<QLineEdit>("Ed_MediaFilesDir")->text(), QString());
}

} // namespace
