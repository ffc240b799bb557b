#include "plugins/decoders/support/TAdvancedDialog.h"

#include "platform/forms/DialogRunner.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace scr {

TAdvancedDialog::TAdvancedDialog(const TAdvancedPrompt& prompt, const std::string& shown, QWidget* parent)
    : QDialog(parent), FPrompt(prompt), FField(new QLineEdit(this)) {
    setObjectName("101");
    setWindowTitle("Dialog");
    auto* label = new QLabel(QString::fromUtf8(prompt.Label), this);
    label->setObjectName("Label");
    FField->setObjectName("1002");
    FField->setMaxLength(static_cast<int>(kMaxDialogText));
    FField->setText(QString::fromStdString(shown));
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton("OK", QDialogButtonBox::AcceptRole);
    ok->setObjectName("OK");
    ok->setDefault(true);
    QPushButton* cancel = buttons->addButton("Cancel", QDialogButtonBox::RejectRole);
    cancel->setObjectName("Cancel");
    connect(ok, &QPushButton::clicked, this, [this] { Confirm(); });
    connect(cancel, &QPushButton::clicked, this, [this] { reject(); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(FField);
    layout->addWidget(buttons);
}

void TAdvancedDialog::Confirm() {
    const std::string text = FField->text().left(static_cast<int>(kMaxDialogText)).toStdString();
    if (FPrompt.Range == nullptr) {
        FSetting = text;
        accept();
        return;
    }
    const auto value = CheckDialogValue(text, *FPrompt.Range);
    if (!value) {
        ShowRefusal();
        return;
    }
    FSetting = FormatSetting(*value, *FPrompt.Range);
    accept();
}

void TAdvancedDialog::ShowRefusal() {
    QMessageBox box(QMessageBox::Critical, kInvalidValueTitle,
                    QString::fromStdString(RangeMessage(*FPrompt.Range)), QMessageBox::Ok, this);
    box.setWindowModality(Qt::ApplicationModal);
    plat::forms::DialogRunner::Current().Run(box);
    FField->setFocus();
}

} // namespace scr
