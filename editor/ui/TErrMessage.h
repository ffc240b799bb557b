#pragma once
// The editor's error window ("ErrMessage"): every error the player or the model reports is shown in
// red; a new message replaces the last one. Kinds 0 and 1 show the window, other kinds show nothing.
#include <QDialog>

#include <string_view>

class QTextEdit;

class TErrMessage : public QDialog {
public:
    explicit TErrMessage(QWidget* parent = nullptr);
    void ShowText(int kind, std::u16string_view text);
    QString Text() const;

private:
    QTextEdit* message_;
};
