#include "plugins/remote/orvik/QtPluginMessages.h"

#include "platform/forms/DialogRunner.h"
#include "plugins/remote/orvik/LibraryPin.h"

#include <QApplication>
#include <QMessageBox>
#include <QThread>

#include <cstdio>

namespace orvik {

namespace {

void ShowBox(const std::string& text) {
    QMessageBox box(QMessageBox::Information, QString::fromUtf8(PluginMessages::Caption),
                    QString::fromStdString(text), QMessageBox::Ok);
    plat::forms::DialogRunner::Current().Run(box);
}

} // namespace

void QtPluginMessages::ShowMessage(const std::string& text) {
    auto* application = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (application == nullptr) {
        std::fprintf(stderr, "%s: %s\n", Caption, text.c_str());
        return;
    }
    if (QThread::currentThread() == application->thread()) {
        ShowBox(text);
        return;
    }
    // The queued call runs this library's code later, perhaps after the host has unloaded it.
    PinOwnLibrary();
    QMetaObject::invokeMethod(
        application, [text] { ShowBox(text); }, Qt::QueuedConnection);
}

} // namespace orvik
