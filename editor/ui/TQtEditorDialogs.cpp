#include "editor/ui/TQtEditorDialogs.h"

#include "editor/ui/TYesNo.h"

#include <QFileDialog>

namespace {

QString Text(std::u16string_view text) {
    return QString::fromStdU16String(std::u16string(text));
}

} // namespace

void TQtEditorDialogs::SetFilterNames(const QString& profiles, const QString& all) {
    profiles_ = profiles;
    all_ = all;
}

QString TQtEditorDialogs::Filter() const {
    // File names are matched with their case on Linux: both spellings of the extension are listed.
    return profiles_ + " (*.zds *.ZDS);;" + all_ + " (*)";
}

int TQtEditorDialogs::Ask(std::u16string_view line1, std::u16string_view line2, std::u16string_view line3) {
    return yesNo_.Ask(line1, line2, line3);
}

std::u16string TQtEditorDialogs::OpenFileName(std::u16string_view title, const std::string& folder) {
    return QFileDialog::getOpenFileName(owner_, Text(title), QString::fromStdString(folder), Filter())
        .toStdU16String();
}

std::u16string TQtEditorDialogs::SaveFileName(std::u16string_view title, const std::string& folder) {
    QFileDialog dialog(owner_, Text(title), QString::fromStdString(folder), Filter());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix("zds");
    return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()
               ? dialog.selectedFiles().front().toStdU16String()
               : std::u16string();
}
