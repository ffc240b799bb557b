#pragma once
// The events of a SubStation script (v4 or v4+) as the comparison with a peer converter sees them:
// start, end and the text with override blocks, line breaks, entities and runs of blanks normalised.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct TAssEvent {
    int32_t Start = 0; // milliseconds
    int32_t End = 0;
    std::string Text; // normalised
};

// The "Dialogue:" lines of the script; events whose normalised text is empty are left out.
std::vector<TAssEvent> ReadAssEvents(std::string_view script);

// Override blocks removed, "\N", "\n" and "\h" as blanks, entities decoded, blanks collapsed, trimmed.
std::string NormalisedText(std::string_view text);
