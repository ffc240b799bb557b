#include "editor/ui/TYesNo.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TYesNo::TYesNo(QWidget* parent) : QDialog(parent, Qt::Tool) {
    setObjectName("YesNo");
    setWindowTitle("Confirmation");
    auto* layout = new QVBoxLayout(this);
    for (int i = 0; i < 3; ++i) {
        lines_[i] = new QLabel(this);
        lines_[i]->setObjectName(QString("Lb_L%1").arg(i + 1));
        lines_[i]->setAlignment(Qt::AlignCenter);
        layout->addWidget(lines_[i]);
    }
    auto* buttons = new QHBoxLayout;
    auto* yes = new QPushButton("&Yes", this);
    yes->setObjectName("Bt_Ok");
    auto* no = new QPushButton("&No", this);
    no->setObjectName("Bt_No");
    buttons->addWidget(yes);
    buttons->addWidget(no);
    layout->addLayout(buttons);
    connect(yes, &QPushButton::clicked, this, [this] { done(kYes); });
    connect(no, &QPushButton::clicked, this, [this] { done(kNo); });
}

int TYesNo::Ask(std::u16string_view line1, std::u16string_view line2, std::u16string_view line3) {
    const std::u16string_view texts[] = {line1, line2, line3};
    for (int i = 0; i < 3; ++i) {
        lines_[i]->setText(QString::fromStdU16String(std::u16string(texts[i])));
    }
    const int answer = exec();
    return answer == kYes || answer == kNo ? answer : 0;
}

void TYesNo::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        done(kYes);
    } else if (event->key() == Qt::Key_Escape) {
        done(kNo);
    } else {
        QDialog::keyPressEvent(event);
    }
}
