#include "platform/shell/WaitCursor.h"

#include <QCursor>
#include <QGuiApplication>

#include <optional>

namespace plat::shell {
namespace {

// The program-wide state: the remembered cursor (an empty optional inside when that was "no
// override") and whether the top of Qt's override stack is ours.
std::optional<std::optional<QCursor>> remembered;
bool ownsOverride = false;

std::optional<QCursor> Showing() {
    const QCursor* cursor = QGuiApplication::overrideCursor();
    return cursor ? std::optional<QCursor>(*cursor) : std::nullopt;
}

} // namespace

void PushWaitCursor() {
    const std::optional<QCursor> showing = Showing();
    const bool hourglass = showing && showing->shape() == Qt::WaitCursor;
    if (!(remembered && hourglass)) {
        remembered = showing;
    }
    if (ownsOverride) {
        QGuiApplication::changeOverrideCursor(QCursor(Qt::WaitCursor));
    } else {
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        ownsOverride = true;
    }
}

void PopWaitCursor() {
    if (ownsOverride) {
        QGuiApplication::restoreOverrideCursor();
        ownsOverride = false;
    }
    // Our level is gone; the remembered cursor shows again unless the level below shows it already.
    const std::optional<QCursor> wanted = remembered.value_or(std::nullopt);
    const std::optional<QCursor> showing = Showing();
    if (wanted && (!showing || showing->shape() != wanted->shape())) {
        QGuiApplication::setOverrideCursor(*wanted);
        ownsOverride = true;
    }
    remembered.reset();
}

} // namespace plat::shell
