#pragma once
// The editor's questions and file choosers on screen: the yes/no form and the system's file dialogs
// for profile archives.
#include "editor/IEditorDialogs.h"

#include <QString>

class QWidget;
class TYesNo;

class TQtEditorDialogs : public IEditorDialogs {
public:
    TQtEditorDialogs(TYesNo& yesNo, QWidget* owner) : yesNo_(yesNo), owner_(owner) {}
    // The filter's name texts ("Fil_ZDS", "Fil_All").
    void SetFilterNames(const QString& profiles, const QString& all);

    int Ask(std::u16string_view line1, std::u16string_view line2, std::u16string_view line3) override;
    std::u16string OpenFileName(std::u16string_view title, const std::string& folder) override;
    std::u16string SaveFileName(std::u16string_view title, const std::string& folder) override;

private:
    QString Filter() const;

    TYesNo& yesNo_;
    QWidget* owner_;
    QString profiles_ = "Tovrin profile files";
    QString all_ = "All files";
};
