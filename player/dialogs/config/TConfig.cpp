#include "player/dialogs/config/TConfig.h"

#include "platform/text/CaseFold.h"
#include "player/dialogs/config/ConfigStrings.h"
#include "player/dialogs/config/IConfigChoosers.h"
#include "player/dialogs/config/IConfigHost.h"
#include "player/dialogs/config/TCheckBoxLink.h"
#include "player/dialogs/config/TChoiceLink.h"
#include "player/dialogs/config/TConfigBindings.h"
#include "player/dialogs/config/TConfigChoosers.h"
#include "player/dialogs/config/TConfigCommandsPage.h"
#include "player/dialogs/config/TConfigDirectoryPage.h"
#include "player/dialogs/config/TConfigFileTypesPage.h"
#include "player/dialogs/config/TConfigInfoPage.h"
#include "player/dialogs/config/TConfigInterfacePage.h"
#include "player/dialogs/config/TConfigOsdPage.h"
#include "player/dialogs/config/TConfigPageTree.h"
#include "player/dialogs/config/TConfigSkinsPage.h"
#include "player/dialogs/config/TConfigStylePage.h"
#include "player/dialogs/config/TLanguageFiles.h"
#include "player/model/settings/Tag_PlayerConfig.h"
#include "player/model/settings/Tag_VokradConfig.h"
#include "player/scripting/actions/TActionControler.h"
#include "subtitles/scripts/TScriptControl.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <fstream>
#include <sstream>

namespace {

// Everything Save may change, to put back when writing fails.
struct SettingsSnapshot {
    Tag_VokradConfig Vokrad = VokradConfig();
    Tag_PlayerConfig Player = PlayerConfig();
    TSubtitleStyleRecord Style = GlobalDefaultStyle();
    THintValues Hints;

    void Restore(IHintSettings& hints) const {
        VokradConfig() = Vokrad;
        PlayerConfig() = Player;
        GlobalDefaultStyle() = Style;
        hints.SetHints(Hints);
    }
};

// The file's bytes; nothing when it cannot be read (a missing file reads as nothing too).
std::optional<std::string> ReadBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return std::nullopt;
    }
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

template <class Control> Control* FindControl(QObject& form, std::string_view name) {
    const QString wanted = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    for (Control* control : form.findChildren<Control*>()) {
        if (control->objectName().compare(wanted, Qt::CaseInsensitive) == 0) {
            return control;
        }
    }
    return nullptr;
}

} // namespace

TConfig::TConfig(IConfigHost& host, QWidget* parent)
    : TConfig(host, std::make_unique<TConfigChoosers>(this), nullptr, parent) {}

TConfig::TConfig(IConfigHost& host, IConfigChoosers& choosers, QWidget* parent)
    : TConfig(host, nullptr, &choosers, parent) {}

TConfig::TConfig(IConfigHost& host, std::unique_ptr<IConfigChoosers> own, IConfigChoosers* choosers,
                 QWidget* parent)
    : QDialog(parent), host_(host), ownChoosers_(std::move(own)),
      choosers_(choosers != nullptr ? *choosers : *ownChoosers_), config_(host.Hints()) {
    setObjectName(QStringLiteral("Config"));
    setWindowTitle(tr("Tovrin Settings"));
    FillConfigStrings(strings_);
    BuildForm();
    interface_->SetDrives(host_.OpticalDriveRoots());
    RebuildPageTree();
}

TConfig::~TConfig() = default;

void TConfig::BuildForm() {
    tree_ = new TConfigPageTree(this);
    pages_ = new QStackedWidget(this);
    pages_->setObjectName(QStringLiteral("Pc_Config"));
    remoteCode_ = new QLabel(this);
    remoteCode_->setObjectName(QStringLiteral("Lb_RemoteCode"));
    remoteTimer_ = new QTimer(this);
    remoteTimer_->setObjectName(QStringLiteral("Ti_Remote"));
    remoteTimer_->setInterval(kRemoteCodeShownMs);
    connect(remoteTimer_, &QTimer::timeout, this, [this] {
        remoteCode_->clear();
        remoteTimer_->stop();
    });

    interface_ = new TConfigInterfacePage(choosers_, pages_);
    osd_ = new TConfigOsdPage(choosers_, pages_);
    style_ = new TConfigStylePage(choosers_, pages_);
    skins_ = new TConfigSkinsPage(host_, pages_);
    fileTypes_ = new TConfigFileTypesPage(host_, choosers_, PlayerConfig().Extensions, pages_);
    commands_ = new TConfigCommandsPage(host_.Commands(), strings_, pages_);
    auto* directX9 = new QWidget(pages_);
    directX9->setObjectName(QStringLiteral("Pg_Dx9"));
    AddPage(TConfigPageTree::kInterface, interface_);
    AddPage(TConfigPageTree::kFileType, fileTypes_);
    AddPage(TConfigPageTree::kDirectory, new TConfigDirectoryPage(choosers_, VokradConfig(), pages_));
    AddPage(TConfigPageTree::kSkin, skins_);
    AddPage(TConfigPageTree::kOsd, osd_);
    AddPage(TConfigPageTree::kInfo, new TConfigInfoPage(pages_));
    for (int node : {TConfigPageTree::kShortcuts, TConfigPageTree::kGesture, TConfigPageTree::kRemote}) {
        AddPage(node, commands_);
    }
    AddPage(TConfigPageTree::kProperties, style_);
    AddPage(TConfigPageTree::kDirectX9, directX9);
    connect(interface_, &TConfigInterfacePage::languageFlagChanged, this, [this] { languageFlag_ = true; });
    connect(osd_, &TConfigOsdPage::scriptFlagChanged, this, [this] { osdScriptFlag_ = true; });
    connect(tree_, &TConfigPageTree::pageChosen, this, &TConfig::ShowPage);

    saveGraph_ = new QPushButton(tr("Save To Graph File"), this);
    saveGraph_->setObjectName(QStringLiteral("Bt_SaveGraphToFile"));
    saveGraph_->hide();
    auto* save = new QPushButton(tr("OK"), this);
    save->setObjectName(QStringLiteral("Bt_Save"));
    auto* cancel = new QPushButton(tr("Cancel"), this);
    cancel->setObjectName(QStringLiteral("Bt_Cancel"));
    connect(save, &QPushButton::clicked, this, &TConfig::SaveSettings);
    connect(cancel, &QPushButton::clicked, this, &TConfig::Cancel);
    // Enter in a field does not save.
    save->setAutoDefault(false);
    cancel->setAutoDefault(false);

    auto* left = new QVBoxLayout;
    left->addWidget(tree_, 1);
    left->addWidget(remoteCode_);
    auto* top = new QHBoxLayout;
    top->addLayout(left);
    top->addWidget(pages_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(saveGraph_);
    buttons->addStretch();
    buttons->addWidget(save);
    buttons->addWidget(cancel);
    auto* column = new QVBoxLayout(this);
    column->addLayout(top, 1);
    column->addLayout(buttons);

    bindings_ = TConfigBindings::Table({VokradConfig(), PlayerConfig(), GlobalDefaultStyle(), hints_});
    TConfigBindings::SetLimits(bindings_, *this);
}

void TConfig::AddPage(int imageIndex, QWidget* page) {
    if (pages_->indexOf(page) < 0) {
        pages_->addWidget(page);
    }
    pageOfImage_[imageIndex] = page;
}

void TConfig::ApplyTranslation() {
    host_.Translate(*this, strings_);
    RebuildPageTree();
}

void TConfig::RebuildPageTree() {
    std::set<int> pages;
    for (const auto& entry : pageOfImage_) {
        pages.insert(entry.first);
    }
    tree_->BuildPageTree(strings_, pages);
}

void TConfig::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        FormShow();
    }
    host_.DisableShortcuts();
}

void TConfig::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    if (!event->spontaneous()) {
        host_.EnableShortcuts();
        skins_->Clear();
    }
}

void TConfig::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !isVisible()) {
        return;
    }
    if (isActiveWindow()) {
        host_.DisableShortcuts();
        return;
    }
    // Keys go back to the player only when a window other than the dialog's own choosers is active.
    QTimer::singleShot(0, this, [this] {
        QWidget* active = QApplication::activeWindow();
        const bool ours = active != nullptr && (active == this || isAncestorOf(active));
        if (isVisible() && !ours) {
            host_.EnableShortcuts();
        }
    });
}

void TConfig::reject() {
    Cancel();
}

void TConfig::FormShow() {
    config_.SetRootFolder(host_.ProgramFolder());
    skins_->FillSkinList(config_.SkinsFolder());
    FillLanguageList();
    FillOsdScriptList();
    SettingsToControls();
    commands_->FillCommandGrid();
    ShowInterfacePage();
    commands_->ResetGestures();
}

std::string TConfig::SettingsFile() const {
    return host_.SettingsFolder() + kSettingsFile;
}

void TConfig::ShowInterfacePage() {
    ShowPage(TConfigPageTree::kInterface);
    tree_->SelectPage(TConfigPageTree::kInterface);
}

void TConfig::ShowPage(int imageIndex) {
    const auto page = pageOfImage_.find(imageIndex);
    if (page == pageOfImage_.end()) {
        return;
    }
    commands_->HidePanels();
    currentPage_ = imageIndex;
    pages_->setCurrentWidget(page->second);
    if (page->second == commands_) {
        commands_->SetMode(imageIndex - TConfigPageTree::kShortcuts);
    }
    saveGraph_->setVisible(imageIndex == TConfigPageTree::kDvdGraph ||
                           imageIndex == TConfigPageTree::kMediaGraph);
}

void TConfig::FillLanguageList() {
    QComboBox& list = *interface_->Language();
    list.clear();
    const std::string& setting = VokradConfig().Language;
    const std::string folder = host_.SystemFolder();
    int chosen = -1;
    for (const std::string& file : TLanguageFiles::List(folder, "*.tovrin.lang")) {
        const std::optional<std::u16string> name = TLanguageFiles::ReadLanguageName(folder + file);
        // A file without a LANGUAGE name is listed by its file name.
        list.addItem(name ? QString::fromStdU16String(*name) : QString::fromStdString(file),
                     QString::fromStdString(file));
        if (plat::text::EqualsNoCaseA(file, setting)) {
            chosen = list.count() - 1;
        }
    }
    // A setting that names no file stays as it is until the user chooses one.
    list.setCurrentIndex(chosen);
    languageFlag_ = false;
}

void TConfig::FillOsdScriptList() {
    QComboBox& list = *osd_->Script();
    list.clear();
    const std::string& setting = PlayerConfig().OSDScript;
    int chosen = -1;
    for (const std::string& file : TLanguageFiles::List(host_.SystemFolder(), "*.OSD")) {
        list.addItem(QString::fromStdString(file), QString::fromStdString(file));
        if (plat::text::EqualsNoCaseA(file, setting)) {
            chosen = list.count() - 1;
        }
    }
    list.setCurrentIndex(chosen);
    osdScriptFlag_ = false;
}

std::string TConfig::ChosenFile(const QComboBox& list, const std::string& setting) {
    return list.currentIndex() < 0 ? setting : list.currentData().toString().toStdString();
}

void TConfig::SettingsToControls() {
    hints_ = host_.Hints().Hints();
    TConfigBindings::ToControls(bindings_, *this);
    interface_->ShowDrive(VokradConfig().Drive);
    interface_->ApplyRules();
    style_->ApplyRules();
    skins_->SelectSkin(PlayerConfig().SkinFileName);
    skins_->ShowSkinPreview();
    fileTypes_->FillFileTypeList();
}

void TConfig::ControlsToSettings() {
    TConfigBindings::FromControls(bindings_, *this);
    Tag_PlayerConfig& player = PlayerConfig();
    // The list of scan speeds ends at the first 0.
    player.SeekSpeeds[0] = 1;
    player.SeekSpeedCount = 1;
    while (player.SeekSpeedCount < Tag_PlayerConfig::kSeekSpeeds &&
           player.SeekSpeeds[static_cast<std::size_t>(player.SeekSpeedCount)] > 0) {
        ++player.SeekSpeedCount;
    }
    host_.Hints().SetHints(hints_);
    VokradConfig().Drive = interface_->ChosenDrive();
    VokradConfig().Language = ChosenFile(*interface_->Language(), VokradConfig().Language);
    player.OSDScript = ChosenFile(*osd_->Script(), player.OSDScript);
    fileTypes_->StoreFileTypeChecks();
    if (const std::optional<std::string> skin = skins_->ChosenSkin()) {
        player.SkinFileName = *skin;
    }
}

bool TConfig::SaveSettings() {
    const std::string settingsFile = SettingsFile();
    const std::string keysFile = host_.SettingsFolder() + TActionControler::kFileName;
    SettingsSnapshot before;
    before.Hints = host_.Hints().Hints();
    const std::optional<std::string> oldSettings = ReadBytes(settingsFile);
    ControlsToSettings();
    if (!config_.Save(settingsFile.c_str())) {
        before.Restore(host_.Hints());
        host_.ShowError(u"Unable to write the settings file " +
                        QString::fromStdString(settingsFile).toStdU16String() + u": nothing was changed.");
        return false;
    }
    TActionControler& commands = host_.Commands();
    if (!commands.SaveToFile(keysFile)) {
        before.Restore(host_.Hints());
        if (oldSettings) {
            WriteBytes(settingsFile, *oldSettings);
        }
        host_.ShowError(u"Unable to write the key map " + QString::fromStdString(keysFile).toStdU16String() +
                        u": nothing was changed.");
        return false;
    }
    host_.ApplyFileAssociations(false);
    hide();
    ShowInterfacePage();
    if (languageFlag_) {
        host_.ApplyTranslation();
    }
    languageFlag_ = false;
    osdScriptFlag_ = false;
    host_.SettingsClosed(true);
    return true;
}

void TConfig::Cancel() {
    hide();
    ShowInterfacePage();
    host_.SettingsClosed(false);
}

bool TConfig::ShowGesture(std::int32_t code) {
    return commands_->ShowGesture(code);
}

void TConfig::ShowRemoteCode(const std::string& code) {
    remoteCode_->setText(QString::fromStdString(code));
    remoteTimer_->start();
}

bool TConfig::IsWaitingForRemoteCode() const {
    return commands_->WaitingForRemote();
}

void TConfig::AssignRemoteCode(const std::string& code) {
    commands_->AssignRemoteCode(code);
}

IConfigCheckBox* TConfig::FindCheckBox(std::string_view name) {
    auto* box = FindControl<QAbstractButton>(*this, name);
    if (box == nullptr || !box->isCheckable()) {
        return nullptr;
    }
    auto& link = checkLinks_[box];
    if (!link) {
        link = std::make_unique<TCheckBoxLink>(*box);
    }
    return link.get();
}

IConfigChoice* TConfig::FindChoice(std::string_view name) {
    auto* choice = FindControl<QComboBox>(*this, name);
    if (choice == nullptr) {
        return nullptr;
    }
    auto& link = choiceLinks_[choice];
    if (!link) {
        link = std::make_unique<TChoiceLink>(*choice);
    }
    return link.get();
}

IConfigGrid* TConfig::FindGrid(std::string_view /*name*/) {
    return nullptr;
}
