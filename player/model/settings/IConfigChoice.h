#pragma once
// A choice box (drop-down list) of the settings dialog: items with a text and a number, and the
// selected index (-1 for none).
#include <cstdint>
#include <string>

class IConfigChoice {
public:
    virtual ~IConfigChoice() = default;
    virtual void Clear() = 0;
    virtual void AddItem(const std::u16string& text, std::int32_t number) = 0;
    virtual std::int32_t Count() const = 0;
    virtual std::u16string ItemText(std::int32_t index) const = 0;
    virtual std::int32_t ItemIndex() const = 0;
    virtual void SetItemIndex(std::int32_t index) = 0;
};
