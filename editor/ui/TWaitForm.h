#pragma once
// The wait form ("WaitForm"), also the splash while the editor starts: an action and an info line,
// with the busy cursor while it is shown.
#include "editor/IEditorViews.h"

#include <QWidget>

class QLabel;

class TWaitForm : public QWidget, public IWaitView {
public:
    TWaitForm();
    void ShowWait(std::u16string_view action, std::u16string_view info) override;
    void SetWaitInfo(std::u16string_view info) override;
    void HideWait() override;

private:
    QLabel* action_;
    QLabel* info_;
    bool cursorSaved_ = false;
};
