#pragma once
// The modal choosers and questions of the settings dialog, behind one interface so that tests answer
// them without a modal loop.
#include <QColor>
#include <QFont>
#include <QString>

#include <optional>

class IConfigChoosers {
public:
    virtual ~IConfigChoosers() = default;
    // Nothing when the user cancels.
    virtual std::optional<QColor> ChooseColour(const QColor& initial) = 0;
    virtual std::optional<QFont> ChooseFont(const QFont& initial) = 0;
    // An empty text when the user cancels.
    virtual QString ChooseFolder(const QString& title, const QString& initialFolder) = 0;
    virtual QString ChooseOpenFile(const QString& title, const QString& filter,
                                   const QString& defaultExtension, const QString& initialFolder) = 0;
    virtual QString ChooseSaveFile(const QString& title, const QString& filter,
                                   const QString& defaultExtension, const QString& initialFolder) = 0;
    // A yes/no question; true for yes.
    virtual bool Confirm(const QString& question) = 0;
};
