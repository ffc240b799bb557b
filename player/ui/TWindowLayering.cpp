#include "player/ui/TWindowLayering.h"

#include "player/ui/skin/TSkinScript.h"

#include <QScreen>
#include <QWidget>

bool TWindowLayering::WantsTopMost(bool flag, const QRect& frame, const QRect& monitor) {
    const bool endsAtCorner = frame.left() + frame.width() == monitor.left() + monitor.width() &&
                              frame.top() + frame.height() == monitor.top() + monitor.height();
    return flag && !endsAtCorner;
}

void TWindowLayering::ApplyStayOnTop(QWidget& video, bool flag) {
    const QRect monitor = video.screen() != nullptr ? video.screen()->geometry() : QRect();
    const bool topMost = WantsTopMost(flag, video.frameGeometry(), monitor);
    if (video.windowFlags().testFlag(Qt::WindowStaysOnTopHint) == topMost) {
        return;
    }
    // Changing a window's flags hides it; it comes back where it was, without taking the focus.
    const bool shown = video.isVisible();
    const QRect place = video.geometry();
    video.setWindowFlag(Qt::WindowStaysOnTopHint, topMost);
    video.setGeometry(place);
    if (shown) {
        video.setAttribute(Qt::WA_ShowWithoutActivating);
        video.show();
        video.setAttribute(Qt::WA_ShowWithoutActivating, false);
    }
}

void TWindowLayering::Restack(QWidget& video, TSkinScript* skin) {
    video.raise();
    if (skin != nullptr) {
        skin->RestoreForms();
        skin->ArrangeForms(TSkinScript::Arrange::Show);
    }
}
