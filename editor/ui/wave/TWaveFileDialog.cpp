#include "editor/ui/wave/TWaveFileDialog.h"

#include <QFileDialog>

bool TWaveFileDialog::ChooseWaveFile(QWidget* parent, std::u16string& path) {
    QFileDialog dialog(parent);
    dialog.setObjectName("OpenDialog");
    // Linux names are case-sensitive: both spellings of the extension are listed.
    dialog.setNameFilter(QObject::tr("Wave files") + " (*.wav *.WAV)");
    dialog.setDefaultSuffix("wav");
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return false;
    }
    path = dialog.selectedFiles().first().toStdU16String();
    return true;
}
