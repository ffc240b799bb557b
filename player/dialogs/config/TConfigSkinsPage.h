#pragma once
// The Skins page of the settings dialog ("Pg_Skins"): the skin archives of the skins folder by the
// first line of their script, with the chosen one's preview. Choosing a skin applies it at once.
#include <QWidget>

#include <optional>
#include <string>

class IConfigHost;
class QLabel;
class QListWidget;

class TConfigSkinsPage : public QWidget {
    Q_OBJECT
public:
    TConfigSkinsPage(IConfigHost& host, QWidget* parent = nullptr);

    // Lists the ".zip" archives of the folder (names without regard to case, in name order) whose
    // script can be read.
    void FillSkinList(const std::string& skinsFolder);
    // Selects the entry of that file name (without regard to case); none when no entry has it.
    void SelectSkin(const std::string& fileName);
    // The selected entry's file name; nothing when no entry is selected.
    std::optional<std::string> ChosenSkin() const;
    // Shows the selected skin's preview; a skin without one leaves the previous preview.
    void ShowSkinPreview();
    // Empties the list and the preview.
    void Clear();

private:
    void SkinClicked();

    IConfigHost& host_;
    QListWidget* skins_;
    QLabel* preview_;
};
