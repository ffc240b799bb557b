#pragma once
// A spin box over whole numbers from the smallest 64-bit signed value to the largest 64-bit unsigned
// one, which QSpinBox's int cannot hold.
#include <QAbstractSpinBox>

#include <optional>

namespace plat::forms {

class WideSpinBox : public QAbstractSpinBox {
public:
    using Value = __int128;

    WideSpinBox(Value minimum, Value maximum, QWidget* parent);

    // The number the text shows, within the range; the last accepted number while the text is
    // incomplete.
    Value value() const;
    void setValue(Value value);
    Value minimum() const { return minimum_; }
    Value maximum() const { return maximum_; }

    static QString Text(Value value);
    // Decimal digits with an optional sign, at most 20 digits; nothing otherwise.
    static std::optional<Value> Parse(const QString& text);

    void stepBy(int steps) override;
    QValidator::State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;

protected:
    StepEnabled stepEnabled() const override;

private:
    Value Clamped(Value value) const;

    Value minimum_;
    Value maximum_;
    Value value_;
};

} // namespace plat::forms
