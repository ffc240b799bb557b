#pragma once
// The settings dialog's choosers for tests: each answers what the test put in, and remembers how it
// was asked.
#include "player/dialogs/config/IConfigChoosers.h"

#include <QStringList>

class FakeConfigChoosers : public IConfigChoosers {
public:
    std::optional<QColor> ChooseColour(const QColor& initial) override {
        askedColour = initial;
        return colour;
    }
    std::optional<QFont> ChooseFont(const QFont& initial) override {
        askedFont = initial;
        return font;
    }
    QString ChooseFolder(const QString& title, const QString& initialFolder) override {
        asked << title << initialFolder;
        return folder;
    }
    QString ChooseOpenFile(const QString& title, const QString&, const QString&, const QString&) override {
        asked << title;
        return openFile;
    }
    QString ChooseSaveFile(const QString& title, const QString&, const QString&, const QString&) override {
        asked << title;
        return saveFile;
    }
    bool Confirm(const QString& question) override {
        asked << question;
        return confirm;
    }

    std::optional<QColor> colour;
    std::optional<QFont> font;
    QString folder;
    QString openFile;
    QString saveFile;
    bool confirm = true;
    QColor askedColour;
    QFont askedFont;
    QStringList asked;
};
