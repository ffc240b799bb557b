#include "player/ui/skin/TSkinLabel.h"

#include "player/ui/skin/SkinText.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>

#include <cstdio>

TSkinLabel::TSkinLabel(QWidget& form, const std::string& kindName, bool isText)
    : kindName_(kindName.substr(0, kMaxKindName)), timeDisplay_(SkinText::SameText(kindName, "TimeDisplay")) {
    if (isText) {
        auto label = std::make_unique<QLabel>(&form);
        label->setAttribute(Qt::WA_TranslucentBackground);
        label->installEventFilter(this);
        textLabel_ = label.get();
        control_ = std::move(label);
    } else {
        control_ = std::make_unique<QWidget>(&form);
    }
}

TSkinLabel::~TSkinLabel() = default;

void TSkinLabel::SetText(const QString& text) {
    if (textLabel_ != nullptr) {
        textLabel_->setText(text);
    }
}

QString TSkinLabel::FormatTime(int64_t ms, bool remaining) {
    const int64_t value = std::max<int64_t>(ms, 0);
    char text[48];
    std::snprintf(text, sizeof text, "%c%2lld:%02lld:%02lld", remaining ? '-' : ' ',
                  static_cast<long long>(value / 3600000), static_cast<long long>(value % 3600000 / 60000),
                  static_cast<long long>(value % 60000 / 1000));
    return QString::fromLatin1(text);
}

void TSkinLabel::ShowTime(int64_t ms) {
    time_ = ms;
    const int64_t shown = remaining_ ? (duration_ > ms ? duration_ - ms : ms - duration_) : ms;
    SetText(FormatTime(shown, remaining_));
}

void TSkinLabel::SetDuration(int64_t ms) {
    duration_ = ms;
    ShowTime(time_);
}

void TSkinLabel::ToggleRemaining() {
    remaining_ = !remaining_;
    ShowTime(time_);
}

bool TSkinLabel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == textLabel_ && timeDisplay_ && event->type() == QEvent::MouseButtonPress) {
        ToggleRemaining();
        return true;
    }
    return false;
}
