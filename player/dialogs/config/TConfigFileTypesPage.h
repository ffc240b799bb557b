#pragma once
// The File Type page of the settings dialog ("Pg_Assoc"): the file types of the settings with a check
// mark each for associating them with the player, buttons that check or uncheck all, apply the
// associations at once ("Refresh all"), and add a type of each kind from a chosen file.
#include "player/model/settings/TExtensionEntry.h"

#include <QWidget>

#include <string>
#include <vector>

class IConfigChoosers;
class IConfigHost;
class QListWidget;

class TConfigFileTypesPage : public QWidget {
    Q_OBJECT
public:
    // The longest extension a file type takes, dot included: the player finds an extension only among
    // the last 10 characters of a file's name.
    static constexpr std::size_t kMaxExtensionUnits = 10;

    TConfigFileTypesPage(IConfigHost& host, IConfigChoosers& choosers, std::vector<TExtensionEntry>& table,
                         QWidget* parent = nullptr);

    void FillFileTypeList();
    // Each entry's association flag takes its check mark.
    void StoreFileTypeChecks();
    // The extension of a file's name (".avi"), from its last dot; empty when the name has no dot or the
    // extension is too long to be found again.
    static std::u16string ExtensionOfFile(const QString& path);
    // Adds a type of that kind for the file's extension unless the table has it (without regard to
    // case); true when added.
    bool AddFileType(const QString& path, std::uint8_t kind);

private:
    void SetAllChecks(bool checked);
    void RefreshAll();

    IConfigHost& host_;
    IConfigChoosers& choosers_;
    std::vector<TExtensionEntry>& table_;
    QListWidget* list_;
};
