#include "player/ui/TVersionCheckDialogs.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>

namespace {

constexpr int32_t kNo = 7;

QString Text(const std::u16string& text) {
    return QString::fromStdU16String(text);
}

} // namespace

TVersionCheckDialogs::TVersionCheckDialogs(QWidget* parent, std::function<bool()> silent)
    : parent_(parent), silent_(std::move(silent)) {}

void TVersionCheckDialogs::Report(uint8_t kind, const std::u16string& text, bool force) {
    if (silent_() || (kind > 1 && !force)) {
        return;
    }
    // Not modal: the box stays until the user closes it.
    auto* box = new QMessageBox(kind == kInformation ? QMessageBox::Information : QMessageBox::Warning,
                                QStringLiteral("Tovrin"), Text(text), QMessageBox::Ok, parent_);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowFlag(Qt::WindowStaysOnTopHint);
    box->show();
}

int32_t TVersionCheckDialogs::Ask(const std::u16string& line1, const std::u16string& line2,
                                  const std::u16string& line3, bool yesNo) {
    if (silent_()) {
        return kNo;
    }
    const QString text = Text(line1) + '\n' + Text(line2) + "\n\n" + Text(line3);
    if (!yesNo) {
        QMessageBox::information(parent_, QStringLiteral("Tovrin"), text);
        return kNo;
    }
    return QMessageBox::question(parent_, QStringLiteral("Tovrin"), text) == QMessageBox::Yes ? kYes : kNo;
}

void TVersionCheckDialogs::OpenPage(const std::string& url) {
    QDesktopServices::openUrl(QUrl(QString::fromStdString(url)));
}
