#include "editor/ui/TAbout.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TAbout::TAbout(QWidget* parent) : QDialog(parent, Qt::Tool) {
    setObjectName("About");
    setWindowTitle("About Pellit");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("Pellit - The Subtitles Editor", this));
    version_ = new QLabel("---", this);
    version_->setObjectName("Lb_Version");
    layout->addWidget(version_);
    date_ = new QLabel("---", this);
    date_->setObjectName("Lb_BuildDate");
    layout->addWidget(date_);
    auto* link = new QLabel("<a href=\"https://tovrin.example/\">tovrin.example</a>", this);
    link->setObjectName("Lb_Link");
    link->setOpenExternalLinks(true);
    layout->addWidget(link);
    auto* close = new QPushButton("OK", this);
    close->setObjectName("Bt_Close");
    layout->addWidget(close);
    connect(close, &QPushButton::clicked, this, [this] { done(1); });
}

void TAbout::SetVersion(const QString& version, const QString& date) {
    version_->setText(version);
    date_->setText(date);
}
