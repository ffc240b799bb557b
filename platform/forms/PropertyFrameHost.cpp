#include "platform/forms/PropertyFrameHost.h"

#include "platform/forms/ApplicationThread.h"
#include "platform/forms/DialogRunner.h"
#include "platform/forms/PropertyFrame.h"
#include "platform/media/ElementProperties.h"
#include "platform/media/GstRef.h"
#include "platform/win/Window.h"

#include <QApplication>
#include <QThread>

namespace plat::forms {

namespace {

QPoint Origin(win::HWND owner, int x, int y) {
    win::POINT at{x, y};
    if (owner != 0) {
        win::ClientToScreen(owner, &at);
    }
    return {at.x, at.y};
}

void RunFrame(win::HWND owner, int x, int y, const std::u16string& caption, GstElement* element) {
    PropertyFrame frame(element, QString::fromStdU16String(caption));
    frame.setWindowModality(Qt::ApplicationModal);
    frame.move(Origin(owner, x, y));
    if (DialogRunner::Current().Run(frame) == QDialog::Accepted) {
        frame.Apply();
    }
}

} // namespace

bool OleCreatePropertyFrame(win::HWND owner, int x, int y, const std::u16string& caption,
                            GstElement* element) {
    QCoreApplication* application = QCoreApplication::instance();
    if (qobject_cast<QApplication*>(application) == nullptr || element == nullptr ||
        !media::ElementProperties::Any(element)) {
        return false;
    }
    // The element lives until the frame is closed, whatever its graph does meanwhile.
    const media::ElementRef held = media::ElementRef::Share(element);
    if (QThread::currentThread() == application->thread()) {
        RunFrame(owner, x, y, caption, held.get());
    } else {
        RunOnApplicationThread([&] { RunFrame(owner, x, y, caption, held.get()); });
    }
    return true;
}

} // namespace plat::forms
