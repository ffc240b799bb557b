#include "foundation/TXml.h"

#include "foundation/XmlScan.h"
#include "foundation/XmlText.h"
#include "platform/text/CaseFold.h"
#include "platform/text/CodePage.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace {

// A zero-terminated copy with the basic entities decoded.
XmlChars CopyDecoded(XmlStore& store, const char16_t* begin, const char16_t* end) {
    const auto count = static_cast<std::size_t>(end - begin);
    if (xmlscan::FindFirstOf<u'&'>(begin, end) == end) {
        return XmlChars(store.CopyText(begin, count));
    }
    char16_t* copy = store.AllocateText(count);
    copy[XmlDecodeEntitiesTo(copy, begin, count, false)] = 0;
    return XmlChars(copy);
}

// What ends a name, for the ASCII characters (no other character ends one).
enum Stop : uint8_t {
    kEndsName = 1,          // white space, '>' or the end of the text
    kEndsAttributeName = 2, // as a name, and '='
};

constexpr std::array<uint8_t, 128> MakeStops() {
    std::array<uint8_t, 128> stops{};
    stops[0] = kEndsName | kEndsAttributeName;
    stops['>'] = kEndsName | kEndsAttributeName;
    stops['='] = kEndsAttributeName;
    for (const char space : {' ', '\t', '\n', '\f', '\r'}) {
        stops[static_cast<unsigned char>(space)] = kEndsName | kEndsAttributeName;
    }
    return stops;
}

constexpr std::array<uint8_t, 128> kStops = MakeStops();

bool Ends(char16_t c, Stop stop) {
    return c < kStops.size() && (kStops[c] & stop) != 0;
}

// The end of an element or attribute name. A "/>" right after a name ends the name too, so "<a/>"
// is an empty element "a" and not an element named "a/" that stays open and swallows its siblings.
const char16_t* ScanName(const char16_t* begin, Stop stop) {
    const char16_t* at = begin;
    while (!Ends(*at, stop) && !(at[0] == u'/' && at[1] == u'>' && at > begin)) {
        ++at;
    }
    return at;
}

const char16_t* SkipSpace(const char16_t* at) {
    while (XmlIsSpace(*at)) {
        ++at;
    }
    return at;
}

// One pass over the text. The current element is where new elements go; '/' in a tag closes it.
// Nothing recurses, so the nesting depth of the input does not matter. New elements are held where
// their parent is, top-level ones in the document's own storage. The text ends at `end`, where a
// zero character is, or at a zero character before it. Each step takes the scanning position and
// answers where it stopped.
class Scanner {
public:
    Scanner(TPointer<TXmlNode>& topLevel, XmlStore& store, TXmlNode* parent, const char16_t* end)
        : topLevel_(topLevel), store_(store), current_(parent), end_(end) {}

    void Run(const char16_t* at) {
        while (*at) {
            if (*at == u'>') {
                ++at;
            } else if (*at != u'<') {
                at = TextRun(at);
            } else if (at[1] == u'!') {
                at = xmlscan::FindFirstOf<u'>'>(at, end_); // comments and declarations end at their first '>'
            } else if (at[1] == u'?') {
                at = ProcessingInstructionEnd(at + 2);
            } else {
                at = Tag(at + 1);
            }
        }
    }

private:
    // A processing instruction (the "<?xml ...?>" declaration among them) holds no element: it ends
    // at "?>", so a '>' in a quoted pseudo-attribute does not end it. One that never closes that way
    // ends at its first '>', so that a malformed declaration does not swallow the document.
    const char16_t* ProcessingInstructionEnd(const char16_t* begin) const {
        for (const char16_t* at = xmlscan::FindFirstOf<u'>'>(begin, end_); *at;
             at = xmlscan::FindFirstOf<u'>'>(at + 1, end_)) {
            if (at[-1] == u'?') {
                return at;
            }
        }
        return xmlscan::FindFirstOf<u'>'>(begin, end_);
    }

    // Text counts only when a closing tag follows it directly: it then replaces the element's text.
    const char16_t* TextRun(const char16_t* begin) {
        const char16_t* at = xmlscan::FindFirstOf<u'<'>(begin, end_);
        if (current_ && at[0] == u'<' && at[1] == u'/') {
            current_->Text = CopyDecoded(*current_->Store, begin, at);
        }
        return at;
    }

    // Reads a tag up to its '>' (left for Run to skip) or the end of the text.
    const char16_t* Tag(const char16_t* at) {
        bool named = false;
        for (;;) {
            at = SkipSpace(at);
            if (*at == 0 || *at == u'>') {
                return at;
            }
            if (*at == u'/' && current_) {
                current_ = current_->Parent;
                return xmlscan::FindFirstOf<u'>'>(at, end_);
            }
            if (!named) {
                named = true;
                at = ElementName(at);
            } else if (*at == u'=') {
                ++at; // an '=' without an attribute name before it is passed over
            } else {
                at = Attribute(at);
            }
        }
    }

    const char16_t* ElementName(const char16_t* begin) {
        const char16_t* at = ScanName(begin, kEndsName);
        if (*begin == u'\\') {
            CloseByName(std::u16string_view(begin + 1, at));
            return at;
        }
        XmlStore& store = current_ ? *current_->Store : store_;
        TXmlNode* node = store.Make<TXmlNode>();
        node->Store = &store;
        node->Parent = current_;
        node->Name = XmlChars(store.CopyText(begin, static_cast<std::size_t>(at - begin)));
        (current_ ? current_->Children : topLevel_).Insert(nullptr, std::unique_ptr<TXmlNode>(node));
        current_ = node;
        return at;
    }

    // "\name" closes the current element when `name` starts its name (without regard to case).
    void CloseByName(std::u16string_view name) {
        if (!name.empty() && current_ && current_->Name &&
            plat::text::StartsWithNoCase(current_->Name.get(), name)) {
            current_ = current_->Parent;
        }
    }

    const char16_t* Attribute(const char16_t* begin) {
        const char16_t* at = ScanName(begin, kEndsAttributeName);
        if (*at == 0) {
            return at; // a name cut off by the end of the text is not kept
        }
        TXmlPara* attribute = current_ ? current_->Store->Make<TXmlPara>() : nullptr;
        if (attribute) {
            attribute->Name =
                XmlChars(current_->Store->CopyText(begin, static_cast<std::size_t>(at - begin)));
            current_->Attributes.Insert(nullptr, std::unique_ptr<TXmlPara>(attribute));
        }
        at = SkipSpace(at);
        if (*at != u'=') {
            return at;
        }
        at = SkipSpace(at + 1);
        if (*at != u'"') {
            return at; // an unquoted value is read on as further attribute names
        }
        const char16_t* value = at + 1;
        at = xmlscan::FindFirstOf<u'"', u'>'>(value, end_);
        if (*at != u'"') {
            return at; // unterminated: the value is dropped and the tag ends here
        }
        if (attribute && at > value) {
            attribute->Value = CopyDecoded(*current_->Store, value, at);
        }
        return at + 1;
    }

    TPointer<TXmlNode>& topLevel_;
    XmlStore& store_;
    TXmlNode* current_;
    const char16_t* end_;
};

} // namespace

TXml::~TXml() {
    Clear();
}

int32_t TXml::Clear() {
    // The elements own nothing outside storages (below an element everything is held where the
    // element is), so dropping them needs no destructor: the storage takes its memory back.
    const int32_t count = Count;
    Release();
    Store.Reset();
    return count;
}

bool TXml::Parse(const char16_t* text, bool keep, TXmlNode* parent) {
    if (!text) {
        return false;
    }
    ParseText(text, text + std::char_traits<char16_t>::length(text), keep, parent);
    return true;
}

bool TXml::Parse(const std::u16string& text, bool keep, TXmlNode* parent) {
    ParseText(text.c_str(), text.c_str() + text.size(), keep, parent);
    return true;
}

void TXml::ParseText(const char16_t* text, const char16_t* end, bool keep, TXmlNode* parent) {
    if (!keep) {
        Clear();
    }
    Scanner(*this, Store, parent, end).Run(text);
    First();
}

bool TXml::LoadFromFile(const char16_t* path) {
    std::u16string text;
    if (!ReadTextFileW(path, text)) {
        return false;
    }
    return Parse(text, false, nullptr);
}

bool TXml::LoadFromFileA(const char* path) {
    return path && LoadFromFile(plat::text::AnsiToWide(path).c_str());
}
