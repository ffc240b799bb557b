#include "player/dialogs/config/TConfigChoosers.h"

#include "platform/forms/DialogRunner.h"
#include "platform/shell/ShellDialogs.h"
#include "player/dialogs/TYesNo.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>

namespace {

int Run(QDialog& dialog) {
    return plat::forms::DialogRunner::Current().Run(dialog);
}

} // namespace

std::optional<QColor> TConfigChoosers::ChooseColour(const QColor& initial) {
    QColorDialog dialog(initial, owner_);
    dialog.setOption(QColorDialog::DontUseNativeDialog, true);
    if (Run(dialog) != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.selectedColor();
}

std::optional<QFont> TConfigChoosers::ChooseFont(const QFont& initial) {
    QFontDialog dialog(initial, owner_);
    dialog.setOption(QFontDialog::DontUseNativeDialog, true);
    dialog.setOption(QFontDialog::ScalableFonts, true);
    if (Run(dialog) != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.selectedFont();
}

QString TConfigChoosers::ChooseFolder(const QString& title, const QString& initialFolder) {
    return plat::shell::BrowseForFolder(owner_, title, initialFolder);
}

QString TConfigChoosers::ChooseOpenFile(const QString& title, const QString& filter,
                                        const QString& defaultExtension, const QString& initialFolder) {
    return plat::shell::OpenFileDialog(owner_, title, filter, defaultExtension, initialFolder, 1);
}

QString TConfigChoosers::ChooseSaveFile(const QString& title, const QString& filter,
                                        const QString& defaultExtension, const QString& initialFolder) {
    QFileDialog dialog(owner_, title, initialFolder);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    // The folder must exist; an existing file is only replaced when the user agrees.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(plat::shell::ConvertFilter(filter));
    dialog.setDefaultSuffix(defaultExtension);
    if (Run(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().first();
}

bool TConfigChoosers::Confirm(const QString& question) {
    return YesNo != nullptr && YesNo->Ask(question, {}, {}, true) == TYesNo::kYes;
}
