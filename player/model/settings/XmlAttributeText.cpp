#include "player/model/settings/XmlAttributeText.h"

std::optional<std::u16string> XmlAttributeText(TXmlNode& element, const char16_t* name) {
    const int length = element.GetAttribute(name, nullptr, 0);
    if (length < 0) {
        return std::nullopt;
    }
    std::u16string value(static_cast<std::size_t>(length) + 1, u'\0');
    element.GetAttribute(name, value.data(), length);
    value.resize(static_cast<std::size_t>(length));
    return value;
}
