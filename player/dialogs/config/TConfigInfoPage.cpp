#include "player/dialogs/config/TConfigInfoPage.h"

#include "player/dialogs/config/ConfigWidgets.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TConfigInfoPage::TConfigInfoPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Tb_ErrorCode"));
    auto* column = new QVBoxLayout(this);
    column->addWidget(new QLabel(tr("This screen is used only for debug and information purposes"), this));
    auto* text = new QPlainTextEdit(this);
    text->setObjectName(QStringLiteral("Mem_ErrorCode"));
    text->setReadOnly(true);
    column->addWidget(text);
    auto* clear = ConfigWidgets::Button(this, "Bt_Clear", tr("Clear"));
    connect(clear, &QPushButton::clicked, text, &QPlainTextEdit::clear);
    column->addWidget(clear, 0, Qt::AlignRight);
}
