#pragma once
// One row of the settings dialog's binding table: a control, found by its name, and the settings field
// it stands for. The table moves the values both ways and sets each control's limits once.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

// A fixed UTF-16 field with its terminator (a font name of a style record).
struct TWideField {
    char16_t* Data;
    std::size_t Units;
};

struct TConfigBinding {
    enum class Kind {
        Check,  // a check box or toggle button: a flag
        Number, // a spin box: a number within Minimum..Maximum
        Text,   // a line edit: text of at most Maximum bytes
        Colour, // a colour swatch: 0x00BBGGRR
        Index,  // a choice box: the selected index
        Label,  // a label showing a number or a font name
        Radio,  // a set of exclusive buttons, each standing for one value of the field's Mask bits
    };
    using Field = std::variant<bool*, std::int32_t*, std::uint8_t*, std::uint32_t*, std::string*, TWideField>;

    std::string_view Control;
    Kind Type;
    Field Value;
    std::int32_t Minimum = 0;
    std::int32_t Maximum = 0;
    // Radio: the buttons with their values; the field keeps its bits outside Mask. A value no button
    // has checks the button at Fallback, or none when it is -1 (the field then stays as it was).
    std::vector<std::pair<std::string_view, std::int32_t>> Buttons = {};
    std::int32_t Mask = -1;
    std::int32_t Fallback = -1;
};
