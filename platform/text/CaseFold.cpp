#include "platform/text/CaseFold.h"

#include "platform/text/Unicode.h"

#include <unicode/uchar.h>

namespace plat::text {

namespace {

char32_t Fold(char32_t cp) {
    return static_cast<char32_t>(u_foldCase(static_cast<UChar32>(cp), U_FOLD_CASE_DEFAULT));
}

// Bytes that are not UTF-8 compare as themselves, after every code point.
constexpr char32_t kInvalidByteBase = 0x110000;

// Walks text one folded code point at a time.
class WideFolded {
public:
    explicit WideFolded(WStringView text) : text_(text) {}
    bool Done() const { return pos_ >= text_.size(); }
    char32_t Next() {
        const unicode::Step step = unicode::DecodeUtf16(text_, pos_);
        pos_ += step.length;
        return Fold(step.cp);
    }

private:
    WStringView text_;
    std::size_t pos_ = 0;
};

class NarrowFolded {
public:
    explicit NarrowFolded(std::string_view text) : text_(text) {}
    bool Done() const { return pos_ >= text_.size(); }
    char32_t Next() {
        const unicode::Step step = unicode::DecodeUtf8(text_, pos_);
        if (!step.valid) {
            return kInvalidByteBase + static_cast<unsigned char>(text_[pos_++]);
        }
        pos_ += step.length;
        return Fold(step.cp);
    }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

// Compares folded code points in order; a text that is a prefix of the other sorts first.
template <class Walker, class View> int CompareFolded(View a, View b) {
    Walker wa(a);
    Walker wb(b);
    while (!wa.Done() && !wb.Done()) {
        const char32_t ca = wa.Next();
        const char32_t cb = wb.Next();
        if (ca != cb) {
            return ca < cb ? -1 : 1;
        }
    }
    return wa.Done() ? (wb.Done() ? 0 : -1) : 1;
}

template <class Walker, class View> bool StartsWithFolded(View text, View prefix) {
    Walker wt(text);
    Walker wp(prefix);
    while (!wp.Done()) {
        if (wt.Done() || wt.Next() != wp.Next()) {
            return false;
        }
    }
    return true;
}

} // namespace

WString FoldCase(WStringView text) {
    WString out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const unicode::Step step = unicode::DecodeUtf16(text, i);
        if (step.valid) {
            unicode::AppendUtf16(out, Fold(step.cp));
        } else {
            out += text[i];
        }
        i += step.length;
    }
    return out;
}

std::string FoldCaseA(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const unicode::Step step = unicode::DecodeUtf8(text, i);
        if (step.valid) {
            unicode::AppendUtf8(out, Fold(step.cp));
        } else {
            out.append(text.substr(i, step.length));
        }
        i += step.length;
    }
    return out;
}

int CompareNoCase(WStringView a, WStringView b) {
    return CompareFolded<WideFolded>(a, b);
}
int CompareNoCaseA(std::string_view a, std::string_view b) {
    return CompareFolded<NarrowFolded>(a, b);
}

bool EqualsNoCase(WStringView a, WStringView b) {
    return CompareNoCase(a, b) == 0;
}
bool EqualsNoCaseA(std::string_view a, std::string_view b) {
    return CompareNoCaseA(a, b) == 0;
}

bool StartsWithNoCase(WStringView text, WStringView prefix) {
    return StartsWithFolded<WideFolded>(text, prefix);
}
bool StartsWithNoCaseA(std::string_view text, std::string_view prefix) {
    return StartsWithFolded<NarrowFolded>(text, prefix);
}

} // namespace plat::text
