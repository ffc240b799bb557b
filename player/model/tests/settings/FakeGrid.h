#pragma once
#include "player/model/settings/IConfigGrid.h"
#include "player/model/settings/TNamedItem.h"

#include <utility>

class FakeGrid : public IConfigGrid {
public:
    explicit FakeGrid(std::string name) : name_(std::move(name)) {}

    std::string Name() const override { return name_; }
    std::int32_t RowCount() const override { return static_cast<std::int32_t>(rows.size()); }
    void SetRowCount(std::int32_t count) override { rows.resize(static_cast<std::size_t>(count)); }
    std::u16string Cell(std::int32_t row) const override {
        return rows.at(static_cast<std::size_t>(row)).Text;
    }
    void SetCell(std::int32_t row, const std::u16string& text) override {
        rows.at(static_cast<std::size_t>(row)).Text = text;
    }
    std::int32_t RowNumber(std::int32_t row) const override {
        return rows.at(static_cast<std::size_t>(row)).Number;
    }
    void SetRowNumber(std::int32_t row, std::int32_t number) override {
        rows.at(static_cast<std::size_t>(row)).Number = number;
    }
    std::int32_t CurrentRow() const override { return current; }
    void SetCurrentRow(std::int32_t row) override { current = row; }

    TNamedList rows;
    std::int32_t current = 0;

private:
    std::string name_;
};
