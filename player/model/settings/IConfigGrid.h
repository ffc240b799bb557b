#pragma once
// A one-column grid of the settings dialog: rows with a text and a number, and a current row.
#include <cstdint>
#include <string>

class IConfigGrid {
public:
    virtual ~IConfigGrid() = default;
    // The control's name, as the form knows it.
    virtual std::string Name() const = 0;
    virtual std::int32_t RowCount() const = 0;
    // Rows beyond the count are added empty (text "", number 0); rows past it are removed.
    virtual void SetRowCount(std::int32_t rows) = 0;
    virtual std::u16string Cell(std::int32_t row) const = 0;
    virtual void SetCell(std::int32_t row, const std::u16string& text) = 0;
    virtual std::int32_t RowNumber(std::int32_t row) const = 0;
    virtual void SetRowNumber(std::int32_t row, std::int32_t number) = 0;
    virtual std::int32_t CurrentRow() const = 0;
    virtual void SetCurrentRow(std::int32_t row) = 0;
};
