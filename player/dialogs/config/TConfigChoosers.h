#pragma once
// The settings dialog's choosers on the desktop: Qt's colour, font and file dialogs run through the
// platform's dialog runner, and the player's yes/no box.
#include "player/dialogs/config/IConfigChoosers.h"

class QWidget;

class TConfigChoosers : public IConfigChoosers {
public:
    // The dialogs open over `owner`, which must outlive the choosers.
    explicit TConfigChoosers(QWidget* owner) : owner_(owner) {}

    std::optional<QColor> ChooseColour(const QColor& initial) override;
    std::optional<QFont> ChooseFont(const QFont& initial) override;
    QString ChooseFolder(const QString& title, const QString& initialFolder) override;
    QString ChooseOpenFile(const QString& title, const QString& filter, const QString& defaultExtension,
                           const QString& initialFolder) override;
    QString ChooseSaveFile(const QString& title, const QString& filter, const QString& defaultExtension,
                           const QString& initialFolder) override;
    bool Confirm(const QString& question) override;

private:
    QWidget* owner_;
};
