#include "player/dialogs/config/TChoiceLink.h"

#include <QComboBox>

void TChoiceLink::Clear() {
    choice_.clear();
}

void TChoiceLink::AddItem(const std::u16string& text, std::int32_t number) {
    choice_.addItem(QString::fromStdU16String(text), number);
}

std::int32_t TChoiceLink::Count() const {
    return choice_.count();
}

std::u16string TChoiceLink::ItemText(std::int32_t index) const {
    return choice_.itemText(index).toStdU16String();
}

std::int32_t TChoiceLink::ItemIndex() const {
    return choice_.currentIndex();
}

void TChoiceLink::SetItemIndex(std::int32_t index) {
    choice_.setCurrentIndex(index);
}
