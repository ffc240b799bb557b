#include "player/ui/TVersionCheckDialogs.h"

#include "platform/text/CodePage.h"
#include "player/dialogs/TErrMessage.h"
#include "player/dialogs/TYesNo.h"

#include <QDesktopServices>
#include <QUrl>

void TVersionCheckDialogs::Report(uint8_t kind, const std::u16string& text, bool force) {
    if (ErrMessage != nullptr) {
        ErrMessage->Report(kind, plat::text::WideToAnsi(text), force);
    }
}

int32_t TVersionCheckDialogs::Ask(const std::u16string& line1, const std::u16string& line2,
                                  const std::u16string& line3, bool yesNo) {
    if (YesNo == nullptr) {
        return TYesNo::kNo;
    }
    return YesNo->Ask(QString::fromStdU16String(line1), QString::fromStdU16String(line2),
                      QString::fromStdU16String(line3), yesNo);
}

void TVersionCheckDialogs::OpenPage(const std::string& url) {
    QDesktopServices::openUrl(QUrl(QString::fromStdString(url)));
}
