#pragma once
#include "player/model/settings/IConfigChoice.h"
#include "player/model/settings/TNamedItem.h"

class FakeChoice : public IConfigChoice {
public:
    void Clear() override {
        items.clear();
        index = -1;
    }
    void AddItem(const std::u16string& text, std::int32_t number) override {
        items.push_back({text, number});
    }
    std::int32_t Count() const override { return static_cast<std::int32_t>(items.size()); }
    std::u16string ItemText(std::int32_t i) const override {
        return items.at(static_cast<std::size_t>(i)).Text;
    }
    std::int32_t ItemIndex() const override { return index; }
    void SetItemIndex(std::int32_t i) override { index = i; }

    TNamedList items;
    std::int32_t index = -1;
};
