#include "player/ui/TMouseCursor.h"

#include "player/model/controllers/IVideoControl.h"

#include <QCursor>
#include <QGuiApplication>

TMouseCursor::~TMouseCursor() {
    if (!shown_) {
        QGuiApplication::restoreOverrideCursor();
    }
}

void TMouseCursor::Show(bool show, IVideoControl* video) {
    if (show == shown_) {
        return;
    }
    if (show) {
        QGuiApplication::restoreOverrideCursor();
    } else {
        QGuiApplication::setOverrideCursor(QCursor(Qt::BlankCursor));
    }
    shown_ = show;
    if (video != nullptr) {
        video->ShowCursor(show);
    }
}
