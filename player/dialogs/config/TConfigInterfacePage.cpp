#include "player/dialogs/config/TConfigInterfacePage.h"

#include "player/dialogs/config/ConfigWidgets.h"
#include "player/dialogs/config/TColorSwatch.h"
#include "player/dialogs/config/TConfigBindings.h"
#include "player/dialogs/config/TFolderEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

using namespace ConfigWidgets;

namespace {

constexpr const char* kNotPresent = " (not present)";

} // namespace

TConfigInterfacePage::TConfigInterfacePage(IConfigChoosers& choosers, QWidget* parent)
    : QWidget(parent), choosers_(choosers) {
    setObjectName(QStringLiteral("Pg_General"));
    auto* grid = new QGridLayout(this);
    grid->setColumnStretch(1, 1);
    BuildColourAndDrive();
    BuildSpeeds();
    BuildCapture();
    BuildChoices();
    grid->setRowStretch(grid->rowCount(), 1);
    ApplyRules();
}

void TConfigInterfacePage::BuildColourAndDrive() {
    auto* grid = static_cast<QGridLayout*>(layout());
    colourKey_ = new TColorSwatch(QStringLiteral("Sh_ColorKey"), this);
    auto* select = Button(this, "Bt_SelectKey", tr("Select..."));
    connect(select, &QPushButton::clicked, this, [this] { ChooseColourInto(choosers_, *colourKey_); });
    connect(colourKey_, &TColorSwatch::clicked, this, [this] { ChooseColourInto(choosers_, *colourKey_); });
    auto* colourRow = new QHBoxLayout;
    colourRow->addWidget(colourKey_);
    colourRow->addWidget(select);
    colourRow->addStretch();
    grid->addWidget(new QLabel(tr("Overlay color key"), this), 0, 0);
    grid->addLayout(colourRow, 0, 1);

    drive_ = Choice(this, "Ed_DvdDrive", {});
    grid->addWidget(new QLabel(tr("DVD Drive"), this), 1, 0);
    grid->addWidget(drive_, 1, 1);
    SetDrives({});

    language_ = Choice(this, "Cb_Language", {});
    connect(language_, &QComboBox::activated, this, &TConfigInterfacePage::languageFlagChanged);
    grid->addWidget(new QLabel(tr("Language"), this), 2, 0);
    grid->addWidget(language_, 2, 1);

    auto* hideRow = new QHBoxLayout;
    hideRow->addWidget(Check(this, "Ch_AutoHideEnable", tr("Auto-Hide Mouse Cursor")));
    hideRow->addWidget(new QLabel(tr("after "), this));
    hideRow->addWidget(Spin(this, "Ud_AutoHide"));
    hideRow->addWidget(new QLabel(tr("seconds"), this));
    hideRow->addStretch();
    grid->addLayout(hideRow, 3, 0, 1, 2);
}

void TConfigInterfacePage::BuildSpeeds() {
    auto* grid = static_cast<QGridLayout*>(layout());
    auto* row = new QHBoxLayout;
    for (int speed = 1; speed <= TConfigBindings::kShownSeekSpeeds; ++speed) {
        auto* spin = Spin(this, QStringLiteral("Ud_SeekSpeed_%1").arg(speed).toLatin1().constData());
        spin->findChild<QLineEdit*>()->setObjectName(QStringLiteral("Ed_nt_SeekSpeed_%1").arg(speed));
        const int index = static_cast<int>(speeds_.size());
        connect(spin, &QSpinBox::valueChanged, this, [this, index] { SeekSpeedChanged(index); });
        speeds_.push_back(spin);
        row->addWidget(spin);
    }
    // The first speed is always 1.
    speeds_.front()->setRange(1, 1);
    speeds_.front()->setEnabled(false);
    grid->addWidget(new QLabel(tr("Scan Speed"), this), 4, 0);
    grid->addLayout(row, 4, 1);
}

void TConfigInterfacePage::BuildCapture() {
    auto* grid = static_cast<QGridLayout*>(layout());
    auto* isoRow = new QHBoxLayout;
    isoRow->addWidget(Check(this, "Ch_IsoTools_Enabled", tr("Enable")));
    auto* isoTool = Choice(this, "Ch_ISOTools", {QStringLiteral("DAEMON Tools v3.xx")});
    isoTool->setCurrentIndex(0);
    connect(isoTool, &QComboBox::activated, this, &TConfigInterfacePage::languageFlagChanged);
    isoRow->addWidget(isoTool);
    grid->addWidget(new QLabel(tr("DVD ISO Support"), this), 5, 0);
    grid->addLayout(isoRow, 5, 1);

    struct FolderRow {
        const char* edit;
        const char* button;
        QString label;
        QString title;
    };
    const FolderRow folders[] = {
        {"Ed_IsoTools_Directory", "Ch_IsoTools_SetFolder", tr("ISO Mounting tools directory"),
         tr("Select the location of the ISO tools")},
        {"Ed_Capture_Directory", "TexHoverButton1", tr("Capture Directory"),
         tr("Select the location of the Screen Capture")},
    };
    int row = 6;
    for (const FolderRow& folder : folders) {
        auto* edit = new TFolderEdit(QString::fromLatin1(folder.edit), this);
        auto* browse = Button(this, folder.button, QStringLiteral("..."));
        // These two choosers preselect nothing.
        const auto choose = [this, edit, title = folder.title] {
            ChooseFolderInto(choosers_, *edit, title, {});
        };
        connect(edit, &TFolderEdit::doubleClicked, this, choose);
        connect(browse, &QPushButton::clicked, this, choose);
        auto* line = new QHBoxLayout;
        line->addWidget(edit);
        line->addWidget(browse);
        grid->addWidget(new QLabel(folder.label, this), row, 0);
        grid->addLayout(line, row++, 1);
    }

    auto* target = new QHBoxLayout;
    target->addWidget(Radio(this, "Rb_CaptToFile", tr("To File")));
    target->addWidget(Radio(this, "Rb_CaptToClipboard", tr("To Clipboard")));
    resize_ = Check(this, "Ch_CaptureResize", tr("Resize to..."));
    target->addWidget(resize_);
    target->addWidget(Spin(this, "Ud_CaptResizeX"));
    target->addWidget(Spin(this, "Ud_CaptResizeY"));
    saveJpg_ = Check(this, "Ch_CaptSavetoJPG", tr("Save in JPG"));
    target->addWidget(saveJpg_);
    target->addWidget(Spin(this, "Ud_CaptJPGQuality"));
    target->addWidget(Label(this, "Lb_CaptJPGPercent", QStringLiteral("%     ")));
    connect(resize_, &QCheckBox::toggled, this, &TConfigInterfacePage::CaptureRules);
    connect(saveJpg_, &QCheckBox::toggled, this, &TConfigInterfacePage::CaptureRules);
    grid->addLayout(target, row, 0, 1, 2);
}

void TConfigInterfacePage::BuildChoices() {
    auto* grid = static_cast<QGridLayout*>(layout());
    const int row = grid->rowCount();
    auto* wheel = Choice(this, "Cb_MouseWheelFunction",
                         {tr("Volume Control"), tr("Prev / Next Chapter or File"),
                          tr("Fast Forward / Backward"), tr("Jump ... Seconds  Forward / Backward")});
    auto* doubleClick = Choice(this, "Cb_DoubleClickFunction",
                               {tr("Bring Player to Front"), tr("Switch Fullscreen"), tr("Pause / Unpause")});
    connect(wheel, &QComboBox::activated, this, &TConfigInterfacePage::languageFlagChanged);
    connect(doubleClick, &QComboBox::activated, this, &TConfigInterfacePage::languageFlagChanged);
    grid->addWidget(new QLabel(tr("Mouse wheel"), this), row, 0);
    grid->addWidget(wheel, row, 1);
    grid->addWidget(new QLabel(tr("Double click"), this), row + 1, 0);
    grid->addWidget(doubleClick, row + 1, 1);
    grid->addWidget(Check(this, "Ch_CheckForUpdates", tr("Automaticaly check for new versions")), row + 2, 0,
                    1, 2);
    // Stands for no setting: kept hidden and off.
    auto* renderMode = Choice(this, "Ch_RenderMode",
                              {tr("Using Directdraw (Recomended)"),
                               tr("Using Directshow filters (Need a very powerfull computer)")});
    renderMode->setEnabled(false);
    renderMode->hide();
}

void TConfigInterfacePage::SetDrives(const std::vector<std::string>& roots) {
    drive_->clear();
    drive_->addItem(QString::fromLatin1(kAuto), QString());
    for (const std::string& root : roots) {
        drive_->addItem(QString::fromStdString(root), QString::fromStdString(root));
    }
    drive_->setCurrentIndex(0);
}

void TConfigInterfacePage::ShowDrive(const std::string& stored) {
    // A drive listed as missing by an earlier show goes.
    for (int at = drive_->count() - 1; at > 0; --at) {
        if (drive_->itemText(at).endsWith(QString::fromLatin1(kNotPresent))) {
            drive_->removeItem(at);
        }
    }
    const QString drive = QString::fromStdString(stored);
    int index = drive.isEmpty() ? 0 : drive_->findData(drive);
    if (index < 0) {
        drive_->addItem(drive + QString::fromLatin1(kNotPresent), drive);
        index = drive_->count() - 1;
    }
    drive_->setCurrentIndex(index);
}

std::string TConfigInterfacePage::ChosenDrive() const {
    return drive_->currentData().toString().toStdString();
}

void TConfigInterfacePage::ApplyRules() {
    for (int index = 0; index + 1 < static_cast<int>(speeds_.size()); ++index) {
        SeekSpeedChanged(index);
    }
    CaptureRules();
}

void TConfigInterfacePage::SeekSpeedChanged(int index) {
    // A speed of 0 ends the list: the next speed is off; the first speed is always on.
    if (index + 1 < static_cast<int>(speeds_.size())) {
        const bool listGoesOn = speeds_[static_cast<std::size_t>(index)]->value() != 0;
        speeds_[static_cast<std::size_t>(index) + 1]->setEnabled(listGoesOn);
    }
}

void TConfigInterfacePage::CaptureRules() {
    for (const char* name : {"Ud_CaptResizeX", "Ud_CaptResizeY"}) {
        findChild<QWidget*>(QString::fromLatin1(name))->setEnabled(resize_->isChecked());
    }
    for (const char* name : {"Ud_CaptJPGQuality", "Lb_CaptJPGPercent"}) {
        findChild<QWidget*>(QString::fromLatin1(name))->setEnabled(saveJpg_->isChecked());
    }
}
