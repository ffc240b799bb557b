#include "player/dialogs/config/TConfigDirectoryPage.h"

#include "player/dialogs/config/ConfigWidgets.h"
#include "player/dialogs/config/TFolderEdit.h"
#include "player/model/settings/Tag_VokradConfig.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

TConfigDirectoryPage::TConfigDirectoryPage(IConfigChoosers& choosers, const Tag_VokradConfig& saved,
                                           QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("Pg_Directory"));
    struct Row {
        const char* edit;
        const char* button;
        QString label;
        QString title;
        const std::string Tag_VokradConfig::*folder;
    };
    const Row rows[] = {
        {"Ed_DVDScriptDir", "Bt_DVDProfileDir", tr("DVD profile (ZDS) directory"),
         tr("Select the DVD Script folder"), &Tag_VokradConfig::DVDScriptPath},
        {"Ed_TimedScriptDir", "Bt_TimedScriptDir", tr("Timed script directory"),
         tr("Select the Timed Script folder"), &Tag_VokradConfig::TimedScriptPath},
        {"Ed_MediaFilesDir", "Bt_MediaDir", tr("Media files directory"), tr("Select the Media files folder"),
         &Tag_VokradConfig::MediaFilesPath},
        {"Ed_DVDISOFilesDir", "Bt_DVDISODir", tr("DVD ISO files directory"), tr("Select the DVD ISO folder"),
         &Tag_VokradConfig::DVDISOFilesPath},
        {"Ed_PlaylistDir", "Bt_PlaylistDir", tr("Playlist directory"), tr("Select the Playlist folder"),
         &Tag_VokradConfig::PlaylistPath},
    };
    auto* grid = new QGridLayout(this);
    int line = 0;
    for (const Row& row : rows) {
        auto* edit = new TFolderEdit(QString::fromLatin1(row.edit), this);
        auto* browse = ConfigWidgets::Button(this, row.button, QStringLiteral("..."));
        const auto choose = [&choosers, &saved, edit, title = row.title, folder = row.folder] {
            ConfigWidgets::ChooseFolderInto(choosers, *edit, title, QString::fromStdString(saved.*folder));
        };
        connect(edit, &TFolderEdit::doubleClicked, this, choose);
        connect(browse, &QPushButton::clicked, this, choose);
        grid->addWidget(new QLabel(row.label, this), line++, 0, 1, 2);
        grid->addWidget(edit, line, 0);
        grid->addWidget(browse, line++, 1);
    }
    grid->setRowStretch(line, 1);
}
