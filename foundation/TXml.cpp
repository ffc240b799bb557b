#include "foundation/TXml.h"

#include "platform/text/CaseFold.h"
#include "platform/text/CodePage.h"
#include "foundation/XmlText.h"

#include <cstring>
#include <memory>
#include <string>
#include <string_view>

namespace {

std::unique_ptr<char16_t[]> CopyName(const char16_t* begin, const char16_t* end) {
    const auto length = static_cast<std::size_t>(end - begin);
    auto copy = std::make_unique_for_overwrite<char16_t[]>(length + 1);
    std::memcpy(copy.get(), begin, length * sizeof(char16_t));
    copy[length] = 0;
    return copy;
}

std::unique_ptr<char16_t[]> CopyDecoded(const char16_t* begin, const char16_t* end) {
    auto copy = std::make_unique_for_overwrite<char16_t[]>(static_cast<std::size_t>(end - begin) + 1);
    copy[XmlDecodeEntitiesTo(copy.get(), begin, static_cast<std::size_t>(end - begin), false)] = 0;
    return copy;
}

bool EndsElementName(char16_t c) {
    return c == 0 || c == u'>' || XmlIsSpace(c);
}
bool EndsAttributeName(char16_t c) {
    return EndsElementName(c) || c == u'=';
}

// A "/>" right after a name ends the name, so "<a/>" is an empty element "a" and not an element
// named "a/" that stays open and swallows its siblings.
bool AtEmptyTagEnd(const char16_t* at) {
    return at[0] == u'/' && at[1] == u'>';
}

// One pass over the text. The current element is where new elements go; '/' in a tag closes it.
// Nothing recurses, so the nesting depth of the input does not matter.
class Scanner {
public:
    Scanner(TPointer<TXmlNode>& topLevel, TXmlNode* parent, const char16_t* text)
        : topLevel_(topLevel), current_(parent), at_(text) {}

    void Run() {
        while (*at_) {
            if (*at_ == u'>') {
                ++at_;
            } else if (*at_ != u'<') {
                TextRun();
            } else if (at_[1] == u'!') {
                SkipTo(u'>'); // comments and declarations end at their first '>'
            } else {
                ++at_;
                Tag();
            }
        }
    }

private:
    void SkipSpace() {
        while (XmlIsSpace(*at_)) {
            ++at_;
        }
    }

    void SkipTo(char16_t c) {
        while (*at_ && *at_ != c) {
            ++at_;
        }
    }

    // Text counts only when a closing tag follows it directly: it then replaces the element's text.
    void TextRun() {
        const char16_t* begin = at_;
        SkipTo(u'<');
        if (current_ && at_[0] == u'<' && at_[1] == u'/') {
            current_->Text = CopyDecoded(begin, at_);
        }
    }

    // Reads a tag up to its '>' (left for Run to skip) or the end of the text.
    void Tag() {
        bool named = false;
        for (;;) {
            SkipSpace();
            if (*at_ == 0 || *at_ == u'>') {
                return;
            }
            if (*at_ == u'/' && current_) {
                current_ = current_->Parent;
                SkipTo(u'>');
                return;
            }
            if (!named) {
                named = true;
                ElementName();
            } else if (*at_ == u'=') {
                ++at_; // an '=' without an attribute name before it is passed over
            } else {
                Attribute();
            }
        }
    }

    void ElementName() {
        const char16_t* begin = at_;
        while (!EndsElementName(*at_) && !(at_ > begin && AtEmptyTagEnd(at_))) {
            ++at_;
        }
        if (*begin == u'\\') {
            CloseByName(std::u16string_view(begin + 1, at_));
            return;
        }
        TXmlNode* node = (current_ ? current_->Children : topLevel_).Add();
        node->Parent = current_;
        node->Name = CopyName(begin, at_);
        current_ = node;
    }

    // "\name" closes the current element when `name` starts its name (without regard to case).
    void CloseByName(std::u16string_view name) {
        if (!name.empty() && current_ && current_->Name &&
            plat::text::StartsWithNoCase(current_->Name.get(), name)) {
            current_ = current_->Parent;
        }
    }

    void Attribute() {
        const char16_t* begin = at_;
        while (!EndsAttributeName(*at_) && !(at_ > begin && AtEmptyTagEnd(at_))) {
            ++at_;
        }
        if (*at_ == 0) {
            return; // a name cut off by the end of the text is not kept
        }
        TXmlPara* attribute = current_ ? current_->Attributes.Add() : nullptr;
        if (attribute) {
            attribute->Name = CopyName(begin, at_);
        }
        SkipSpace();
        if (*at_ != u'=') {
            return;
        }
        ++at_;
        SkipSpace();
        if (*at_ != u'"') {
            return; // an unquoted value is read on as further attribute names
        }
        const char16_t* value = ++at_;
        while (*at_ && *at_ != u'"' && *at_ != u'>') {
            ++at_;
        }
        if (*at_ != u'"') {
            return; // unterminated: the value is dropped and the tag ends here
        }
        if (attribute && at_ > value) {
            attribute->Value = CopyDecoded(value, at_);
        }
        ++at_;
    }

    TPointer<TXmlNode>& topLevel_;
    TXmlNode* current_;
    const char16_t* at_;
};

} // namespace

bool TXml::Parse(const char16_t* text, bool keep, TXmlNode* parent) {
    if (!text) {
        return false;
    }
    if (!keep) {
        Clear();
    }
    Scanner(*this, parent, text).Run();
    First();
    return true;
}

bool TXml::LoadFromFile(const char16_t* path) {
    std::u16string text;
    if (!ReadTextFileW(path, text)) {
        return false;
    }
    return Parse(text.c_str(), false, nullptr);
}

bool TXml::LoadFromFileA(const char* path) {
    return path && LoadFromFile(plat::text::AnsiToWide(path).c_str());
}
