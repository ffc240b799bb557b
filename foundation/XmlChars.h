#pragma once
// A zero-terminated UTF-16 text held in the storage of an XML document (XmlStore), or none: an
// element's name and text, an attribute's name and value. It reads like an owned C string: get(),
// a test for none, indexing; the document frees it with the rest of its storage.
#include <cstddef>

class XmlChars {
public:
    XmlChars() = default;
    explicit XmlChars(const char16_t* text) : Text(text) {}

    const char16_t* get() const { return Text; }
    explicit operator bool() const { return Text != nullptr; }
    const char16_t& operator[](std::size_t index) const { return Text[index]; }
    friend bool operator==(const XmlChars& chars, std::nullptr_t) { return chars.Text == nullptr; }

private:
    const char16_t* Text = nullptr;
};
