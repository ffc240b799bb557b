#pragma once
// Reading the reports back: the outline of what our XML reader makes of a text, and a strict
// well-formedness check, so a test sees both the structure and that nothing in it is broken.
#include "foundation/TMemoryObject.h"

#include <string>
#include <string_view>

namespace report_xml {

// The buffer's text (it carries no terminator of its own).
std::u16string_view View(const TMemoryObject& buffer);
// Every element as NAME[attr=value ...]{text}(children...), values decoded, in UTF-8; texts of white
// space alone are left out.
std::string Outline(std::u16string_view text);
// True when a strict XML parser reads the text without an error.
bool WellFormed(std::u16string_view text);

} // namespace report_xml
