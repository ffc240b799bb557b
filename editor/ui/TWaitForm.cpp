#include "editor/ui/TWaitForm.h"

#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>

TWaitForm::TWaitForm() : QWidget(nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool) {
    setObjectName("WaitForm");
    setWindowTitle("Wait...");
    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel("Pellit", this);
    QFont big = title->font();
    big.setPointSize(20);
    big.setBold(true);
    big.setItalic(true);
    title->setFont(big);
    layout->addWidget(title);
    layout->addWidget(new QLabel("The Subtitles Editor ", this));
    layout->addWidget(new QLabel("Please wait...", this));
    action_ = new QLabel("----", this);
    action_->setObjectName("Lb_Action");
    layout->addWidget(action_);
    auto* panel = new QWidget(this);
    panel->setObjectName("Pn_ActInfo");
    auto* panelLayout = new QVBoxLayout(panel);
    info_ = new QLabel("---", panel);
    info_->setObjectName("Lb_ActInfo");
    panelLayout->addWidget(info_);
    layout->addWidget(panel);
    setCursor(Qt::WaitCursor);
    resize(320, 160);
}

void TWaitForm::ShowWait(std::u16string_view action, std::u16string_view info) {
    action_->setText(QString::fromStdU16String(std::u16string(action)));
    SetWaitInfo(info);
    if (!cursorSaved_) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        cursorSaved_ = true;
    }
    show();
    repaint();
}

void TWaitForm::SetWaitInfo(std::u16string_view info) {
    info_->setText(QString::fromStdU16String(std::u16string(info)));
    repaint();
}

void TWaitForm::HideWait() {
    if (cursorSaved_) {
        QApplication::restoreOverrideCursor();
        cursorSaved_ = false;
    }
    hide();
}
