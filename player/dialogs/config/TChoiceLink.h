#pragma once
// A choice box of the dialog as the settings model sees it: each item's number is its user data.
#include "player/model/settings/IConfigChoice.h"

class QComboBox;

class TChoiceLink : public IConfigChoice {
public:
    explicit TChoiceLink(QComboBox& choice) : choice_(choice) {}
    void Clear() override;
    void AddItem(const std::u16string& text, std::int32_t number) override;
    std::int32_t Count() const override;
    std::u16string ItemText(std::int32_t index) const override;
    std::int32_t ItemIndex() const override;
    void SetItemIndex(std::int32_t index) override;

private:
    QComboBox& choice_;
};
