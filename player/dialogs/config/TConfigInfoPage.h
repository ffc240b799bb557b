#pragma once
// The Information page of the settings dialog ("Tb_ErrorCode"): a read-only text area for debug and
// information texts, emptied by "Clear".
#include <QWidget>

class TConfigInfoPage : public QWidget {
    Q_OBJECT
public:
    explicit TConfigInfoPage(QWidget* parent = nullptr);
};
