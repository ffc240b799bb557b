#include "player/dialogs/config/TFolderEdit.h"

TFolderEdit::TFolderEdit(const QString& name, QWidget* parent) : QLineEdit(parent) {
    setObjectName(name);
}

void TFolderEdit::mouseDoubleClickEvent(QMouseEvent* event) {
    QLineEdit::mouseDoubleClickEvent(event);
    emit doubleClicked();
}
