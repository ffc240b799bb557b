#include "platform/shell/ShellDialogs.h"

#include "platform/forms/DialogRunner.h"

#include <QFileDialog>
#include <QFileInfo>

namespace plat::shell {
namespace {

QString ConvertPatterns(const QString& patterns) {
    QStringList converted;
    for (const QString& pattern : patterns.split(u';', Qt::SkipEmptyParts)) {
        const QString trimmed = pattern.trimmed();
        if (!trimmed.isEmpty()) {
            converted << (trimmed == u"*.*" ? QStringLiteral("*") : trimmed);
        }
    }
    return converted.join(u' ');
}

QString SelectedFile(QFileDialog& dialog) {
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? QString() : files.first();
}

} // namespace

QStringList ConvertFilter(const QString& windowsFilter) {
    const QStringList parts = windowsFilter.split(u'|');
    QStringList filters;
    for (qsizetype at = 0; at + 1 < parts.size(); at += 2) {
        const QString patterns = ConvertPatterns(parts[at + 1]);
        if (!patterns.isEmpty()) {
            filters << QStringLiteral("%1 (%2)").arg(parts[at].trimmed(), patterns);
        }
    }
    return filters;
}

QString BrowseForFolder(QWidget* owner, const QString& title, const QString& initialFolder) {
    QFileDialog dialog(owner, title);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    if (!initialFolder.isEmpty()) {
        dialog.setDirectory(initialFolder);
    }
    if (plat::forms::DialogRunner::Current().Run(dialog) != QDialog::Accepted) {
        return {};
    }
    const QString chosen = SelectedFile(dialog);
    if (chosen.isEmpty() || QFileInfo(chosen).isDir()) {
        return chosen;
    }
    return QFileInfo(chosen).path();
}

QString OpenFileDialog(QWidget* owner, const QString& title, const QString& filter,
                       const QString& defaultExtension, const QString& initialFolder, int filterIndex) {
    QFileDialog dialog(owner, title);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    const QStringList filters = ConvertFilter(filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        dialog.selectNameFilter(filters.value(filterIndex - 1, filters.first()));
    }
    dialog.setDefaultSuffix(defaultExtension);
    if (!initialFolder.isEmpty()) {
        dialog.setDirectory(initialFolder);
    }
    if (plat::forms::DialogRunner::Current().Run(dialog) != QDialog::Accepted) {
        return {};
    }
    return SelectedFile(dialog);
}

} // namespace plat::shell
