#pragma once
// The graph description that the engine builds its graphs from, and the graph variables that the
// description's steps read. Order 200 sets the description, order 204 a variable; nothing runs then.
#include "foundation/TvcParametersList.h"

#include <cstdint>
#include <optional>
#include <string>

class TGraphDescription {
public:
    // Kinds of order 200.
    static constexpr std::uint32_t kKindXgrText = 1;
    static constexpr std::uint32_t kKindGrfFile = 2;
    static constexpr std::uint32_t kKindLegacyScript = 3;

    // Stores the XGR text, a description that loads the ".grf" file, or the XGR text converted from the
    // legacy script, by kind; a null text of these kinds clears the description. Other kinds and an
    // empty legacy script change nothing.
    void Set(std::uint32_t kind, const char16_t* text);
    // The stored XGR text; null when none was stored.
    const char16_t* Text() const { return text_ ? text_->c_str() : nullptr; }

    // Sets a variable (names match exactly, with case); an empty value keeps the variable with an
    // empty value. False for an empty name.
    bool SetGraphVariable(const std::u16string& name, const std::u16string& value);
    bool GetGraphVariable(const std::u16string& name, std::u16string& value);

private:
    void SetGrfFile(const char16_t* fileName);
    void ConvertLegacyScript(const char16_t* script);

    std::optional<std::u16string> text_;
    TvcParametersList variables_;
};
