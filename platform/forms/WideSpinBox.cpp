#include "platform/forms/WideSpinBox.h"

#include <QLineEdit>

#include <algorithm>

namespace plat::forms {

namespace {

constexpr int kMaxDigits = 20; // the digits of the largest 64-bit unsigned value

} // namespace

WideSpinBox::WideSpinBox(Value minimum, Value maximum, QWidget* parent)
    : QAbstractSpinBox(parent), minimum_(minimum), maximum_(std::max(minimum, maximum)), value_(minimum) {
    setValue(minimum);
}

QString WideSpinBox::Text(Value value) {
    const bool negative = value < 0;
    // Digits of the magnitude; the most negative 128-bit value never occurs (ranges stop at 64 bits).
    Value magnitude = negative ? -value : value;
    QString digits;
    do {
        digits.prepend(QChar(u'0' + static_cast<char16_t>(magnitude % 10)));
        magnitude /= 10;
    } while (magnitude != 0);
    return negative ? u'-' + digits : digits;
}

std::optional<WideSpinBox::Value> WideSpinBox::Parse(const QString& text) {
    const QString trimmed = text.trimmed();
    const bool negative = trimmed.startsWith(u'-');
    const QStringView digits = QStringView(trimmed).mid(negative || trimmed.startsWith(u'+') ? 1 : 0);
    if (digits.isEmpty() || digits.size() > kMaxDigits) {
        return std::nullopt;
    }
    Value magnitude = 0;
    for (const QChar c : digits) {
        if (c < u'0' || c > u'9') {
            return std::nullopt;
        }
        magnitude = magnitude * 10 + (c.unicode() - u'0');
    }
    return negative ? -magnitude : magnitude;
}

WideSpinBox::Value WideSpinBox::Clamped(Value value) const {
    return std::clamp(value, minimum_, maximum_);
}

WideSpinBox::Value WideSpinBox::value() const {
    const auto shown = Parse(lineEdit()->text());
    return shown ? Clamped(*shown) : value_;
}

void WideSpinBox::setValue(Value value) {
    value_ = Clamped(value);
    lineEdit()->setText(Text(value_));
}

void WideSpinBox::stepBy(int steps) {
    setValue(value() + steps);
    selectAll();
}

QAbstractSpinBox::StepEnabled WideSpinBox::stepEnabled() const {
    if (isReadOnly()) {
        return StepNone;
    }
    const Value shown = value();
    StepEnabled enabled = StepNone;
    if (shown < maximum_) {
        enabled |= StepUpEnabled;
    }
    if (shown > minimum_) {
        enabled |= StepDownEnabled;
    }
    return enabled;
}

// Digits that are out of range may still be on their way to a number in range.
QValidator::State WideSpinBox::validate(QString& input, int&) const {
    const QString trimmed = input.trimmed();
    if (trimmed.isEmpty() || trimmed == u"-" || trimmed == u"+") {
        return QValidator::Intermediate;
    }
    const auto number = Parse(trimmed);
    if (!number) {
        return QValidator::Invalid;
    }
    return *number == Clamped(*number) ? QValidator::Acceptable : QValidator::Intermediate;
}

void WideSpinBox::fixup(QString& input) const {
    input = Text(value());
}

} // namespace plat::forms
