#include "plugins/decoders/support/ShowAdvancedDialog.h"

#include "platform/forms/ApplicationThread.h"
#include "platform/forms/DialogRunner.h"
#include "plugins/decoders/support/ScrExports.h"
#include "plugins/decoders/support/TAdvancedDialog.h"

#include <QApplication>
#include <QThread>

#include <optional>

namespace scr {

namespace {

std::optional<std::string> RunDialog(const TAdvancedPrompt& prompt, const std::string& shown) {
    TAdvancedDialog dialog(prompt, shown, QApplication::activeWindow());
    dialog.setWindowModality(Qt::ApplicationModal);
    if (plat::forms::DialogRunner::Current().Run(dialog) != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.Setting();
}

} // namespace

int32_t ShowAdvancedDialog(const TAdvancedPrompt& prompt, const std::string& shown, char** advanced,
                           int32_t* advancedLength) {
    QCoreApplication* application = QCoreApplication::instance();
    if (advanced == nullptr || advancedLength == nullptr ||
        qobject_cast<QApplication*>(application) == nullptr) {
        return 0;
    }
    std::optional<std::string> setting;
    if (QThread::currentThread() == application->thread()) {
        setting = RunDialog(prompt, shown);
    } else {
        plat::forms::RunOnApplicationThread([&] { setting = RunDialog(prompt, shown); });
    }
    char* buffer = setting ? HandOut(*setting) : nullptr;
    if (buffer == nullptr) {
        return 0;
    }
    *advanced = buffer;
    *advancedLength = static_cast<int32_t>(setting->size());
    return 1;
}

} // namespace scr
