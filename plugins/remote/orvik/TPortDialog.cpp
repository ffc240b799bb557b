#include "plugins/remote/orvik/TPortDialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace orvik {

TPortDialog::TPortDialog(const std::vector<std::string>& names, const std::string& current, QWidget* parent)
    : QDialog(parent), Cb_Port(new QComboBox(this)) {
    setObjectName("TPortDialog");
    setWindowTitle("IR-Man Plug-In Configuration");
    auto* label = new QLabel("Connect using:", this);
    label->setObjectName("Lb_ConnectUsing");
    label->setBuddy(Cb_Port);
    Cb_Port->setObjectName("Cb_Port");
    for (const std::string& name : names) {
        Cb_Port->addItem(QString::fromStdString(name));
    }
    const int index =
        Cb_Port->findText(QString::fromStdString(current), Qt::MatchExactly | Qt::MatchCaseSensitive);
    Cb_Port->setCurrentIndex(index >= 0 ? index : (names.empty() ? -1 : 0));

    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("Bt_Ok");
    ok->setDefault(true);
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("Bt_Cancel");
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QGridLayout(this);
    layout->addWidget(label, 0, 0);
    layout->addWidget(Cb_Port, 0, 1);
    layout->addLayout(buttons, 1, 0, 1, 2);
    layout->setColumnStretch(1, 1);
}

std::string TPortDialog::SelectedName() const {
    return Cb_Port->currentText().toStdString();
}

} // namespace orvik
