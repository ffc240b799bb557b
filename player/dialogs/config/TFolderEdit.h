#pragma once
// A folder field of the settings dialog: a line edit whose double click opens the folder chooser.
#include <QLineEdit>

class TFolderEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TFolderEdit(const QString& name, QWidget* parent = nullptr);

signals:
    void doubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};
