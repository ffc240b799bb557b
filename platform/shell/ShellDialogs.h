#pragma once
// The folder browser and the open-file dialog of both programs, over QFileDialog run through the
// platform's dialog runner (tests play the user's part). Filters come in the Windows form
// "Description|*.a;*.b|Description|*.c|".
#include <QString>
#include <QStringList>

class QWidget;

namespace plat::shell {

// The Windows filter text as Qt name filters: "Videos|*.avi;*.mpg|" gives "Videos (*.avi *.mpg)".
// A description without a pattern is dropped; "*.*" becomes "*", which finds names without a dot too.
QStringList ConvertFilter(const QString& windowsFilter);

// Lets the user choose an existing folder, starting in `initialFolder` when it is not empty. A chosen
// path that is not a folder is cut to its folder. Empty when the user cancels.
QString BrowseForFolder(QWidget* owner, const QString& title, const QString& initialFolder);

// Lets the user choose an existing file. `filterIndex` counts the filters from 1 (0 or one out of
// range selects the first); `defaultExtension` (without dot) is added to a typed name without one.
// Empty when the user cancels.
QString OpenFileDialog(QWidget* owner, const QString& title, const QString& filter,
                       const QString& defaultExtension, const QString& initialFolder, int filterIndex);

} // namespace plat::shell
