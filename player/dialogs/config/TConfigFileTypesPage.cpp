#include "player/dialogs/config/TConfigFileTypesPage.h"

#include "platform/text/CaseFold.h"
#include "player/dialogs/config/ConfigWidgets.h"
#include "player/dialogs/config/IConfigChoosers.h"
#include "player/dialogs/config/IConfigHost.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <algorithm>
#include <functional>

namespace {

const char16_t* KindText(std::uint8_t kind) {
    static constexpr const char16_t* kKinds[] = {u"   (profile/scripts)", u"   (video)", u"   (audio)",
                                                 u"   (DVD ISO)", u"   (playlist)"};
    return kind < std::size(kKinds) ? kKinds[kind] : u"";
}

} // namespace

TConfigFileTypesPage::TConfigFileTypesPage(IConfigHost& host, IConfigChoosers& choosers,
                                           std::vector<TExtensionEntry>& table, QWidget* parent)
    : QWidget(parent), host_(host), choosers_(choosers), table_(table) {
    setObjectName(QStringLiteral("Pg_Assoc"));
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(tr("Tovrin compatible files "), this), 0, 0);
    grid->addWidget(new QLabel(tr("Check files type to associate them") + u'\n' + tr("with Tovrin"), this), 0,
                    1);
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("Ch_AssocList"));
    grid->addWidget(list_, 1, 0, 9, 1);

    const struct {
        const char* name;
        QString text;
        std::function<void()> action;
    } buttons[] = {
        {"Bt_CheckAll", tr("Check all"), [this] { SetAllChecks(true); }},
        {"Bt_UncheckAll", tr("Uncheck all"), [this] { SetAllChecks(false); }},
        {"Bt_RefreshAll", tr("Refresh all"), [this] { RefreshAll(); }},
    };
    int row = 1;
    for (const auto& button : buttons) {
        auto* control = ConfigWidgets::Button(this, button.name, button.text);
        connect(control, &QPushButton::clicked, this, button.action);
        grid->addWidget(control, row++, 1);
    }

    const struct {
        const char* name;
        QString text;
    } adds[] = {
        {"Bt_FTAddProfile", tr("Add a New Profile / Scripts Type")},
        {"Bt_FTAddVideo", tr("Add a New Video File Type")},
        {"Bt_FTAddAudio", tr("Add a New Audio File Type")},
        {"Bt_FTAddISO", tr("Add a New ISO Type")},
        {"Bt_FTAddPlaylist", tr("Add a New Playlist Type")},
    };
    std::uint8_t kind = 0;
    for (const auto& add : adds) {
        auto* button = ConfigWidgets::Button(this, add.name, add.text);
        connect(button, &QPushButton::clicked, this, [this, kind] {
            const QString file =
                choosers_.ChooseOpenFile(tr("Add a file type"), QStringLiteral("All Files|*.*|"), {}, {});
            if (!file.isEmpty()) {
                AddFileType(file, kind);
            }
        });
        grid->addWidget(button, row++, 1);
        ++kind;
    }
}

void TConfigFileTypesPage::FillFileTypeList() {
    list_->clear();
    for (const TExtensionEntry& entry : table_) {
        auto* item =
            new QListWidgetItem(QString::fromStdU16String(entry.Extension + KindText(entry.Type)), list_);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(entry.Associate ? Qt::Checked : Qt::Unchecked);
    }
}

void TConfigFileTypesPage::StoreFileTypeChecks() {
    const int count = std::min(list_->count(), static_cast<int>(table_.size()));
    for (int row = 0; row < count; ++row) {
        table_[static_cast<std::size_t>(row)].Associate = list_->item(row)->checkState() == Qt::Checked;
    }
}

std::u16string TConfigFileTypesPage::ExtensionOfFile(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot < 0 || static_cast<std::size_t>(name.size() - dot) > kMaxExtensionUnits) {
        return {};
    }
    return name.mid(dot).toStdU16String();
}

bool TConfigFileTypesPage::AddFileType(const QString& path, std::uint8_t kind) {
    const std::u16string extension = ExtensionOfFile(path);
    const bool known = std::any_of(table_.begin(), table_.end(), [&extension](const TExtensionEntry& entry) {
        return plat::text::EqualsNoCase(entry.Extension, extension);
    });
    if (extension.size() < 2 || known) {
        return false;
    }
    StoreFileTypeChecks();
    TExtensionEntry entry;
    entry.Extension = extension;
    entry.OpenWithFileManager = true;
    entry.Type = kind;
    table_.push_back(entry);
    FillFileTypeList();
    return true;
}

void TConfigFileTypesPage::SetAllChecks(bool checked) {
    for (int row = 0; row < list_->count(); ++row) {
        list_->item(row)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    }
}

void TConfigFileTypesPage::RefreshAll() {
    // What the list shows is what the desktop gets.
    StoreFileTypeChecks();
    host_.ApplyFileAssociations(true);
}
