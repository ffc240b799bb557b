#include "player/dialogs/config/TConfigSkinsPage.h"

#include "platform/text/CaseFold.h"
#include "player/dialogs/config/IConfigHost.h"

#include <QDir>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QVBoxLayout>

namespace {

constexpr int kFileNameRole = Qt::UserRole;
constexpr int kPathRole = Qt::UserRole + 1;

} // namespace

TConfigSkinsPage::TConfigSkinsPage(IConfigHost& host, QWidget* parent) : QWidget(parent), host_(host) {
    setObjectName(QStringLiteral("Pg_Skins"));
    auto* column = new QVBoxLayout(this);
    column->addWidget(new QLabel(tr("Select the skin you want to use..."), this));
    skins_ = new QListWidget(this);
    skins_->setObjectName(QStringLiteral("Ls_Skins"));
    column->addWidget(skins_, 1);
    preview_ = new QLabel(this);
    preview_->setObjectName(QStringLiteral("Im_Skins"));
    preview_->hide();
    column->addWidget(preview_, 2, Qt::AlignCenter);
    connect(skins_, &QListWidget::itemClicked, this, &TConfigSkinsPage::SkinClicked);
}

void TConfigSkinsPage::FillSkinList(const std::string& skinsFolder) {
    skins_->clear();
    const QDir folder(QString::fromStdString(skinsFolder), QStringLiteral("*.zip"),
                      QDir::Name | QDir::IgnoreCase, QDir::Files);
    for (const QFileInfo& file : folder.entryInfoList()) {
        std::string firstLine;
        const std::string path = file.absoluteFilePath().toStdString();
        if (!host_.ReadSkinFirstLine(path, firstLine, nullptr)) {
            continue;
        }
        auto* item = new QListWidgetItem(QString::fromStdString(firstLine), skins_);
        item->setData(kFileNameRole, file.fileName());
        item->setData(kPathRole, QString::fromStdString(path));
    }
}

void TConfigSkinsPage::SelectSkin(const std::string& fileName) {
    skins_->setCurrentRow(-1);
    for (int row = 0; row < skins_->count(); ++row) {
        if (plat::text::EqualsNoCaseA(skins_->item(row)->data(kFileNameRole).toString().toStdString(),
                                      fileName)) {
            skins_->setCurrentRow(row);
            return;
        }
    }
}

std::optional<std::string> TConfigSkinsPage::ChosenSkin() const {
    const QListWidgetItem* item = skins_->currentItem();
    if (item == nullptr || !item->isSelected()) {
        return std::nullopt;
    }
    return item->data(kFileNameRole).toString().toStdString();
}

void TConfigSkinsPage::ShowSkinPreview() {
    const QListWidgetItem* item = skins_->currentItem();
    if (item == nullptr) {
        return;
    }
    std::string firstLine;
    QImage picture;
    if (host_.ReadSkinFirstLine(item->data(kPathRole).toString().toStdString(), firstLine, &picture) &&
        !picture.isNull()) {
        preview_->setPixmap(QPixmap::fromImage(picture.convertToFormat(QImage::Format_RGB888)));
        preview_->show();
    }
}

void TConfigSkinsPage::Clear() {
    skins_->clear();
    preview_->clear();
    preview_->hide();
}

void TConfigSkinsPage::SkinClicked() {
    ShowSkinPreview();
    if (const std::optional<std::string> skin = ChosenSkin()) {
        host_.ApplySkin(*skin);
        // Loading a skin gives the player its keys back; the dialog still takes them.
        host_.DisableShortcuts();
    }
}
