#pragma once
// The about box ("About"): version, build date and a link to the project's page.
#include <QDialog>

class QLabel;

class TAbout : public QDialog {
public:
    explicit TAbout(QWidget* parent = nullptr);
    void SetVersion(const QString& version, const QString& date);

private:
    QLabel* version_;
    QLabel* date_;
};
