#pragma once
// An element's attribute as text: nothing when the element has no such attribute, empty for an
// attribute without value.
#include "foundation/TXmlNode.h"

#include <optional>
#include <string>

std::optional<std::u16string> XmlAttributeText(TXmlNode& element, const char16_t* name);
