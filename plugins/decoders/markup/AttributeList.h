#pragma once
// Walks the attributes of a tag one by one: `name=value` with the value in double or single quotes
// or bare up to a blank, or a lone name. Names are whole words (unlike AttributeValue, which finds a
// name anywhere); they are handed out in lower case. For 8-bit and UTF-16 text alike.
#include <optional>
#include <string>
#include <string_view>

namespace markup {

template <class CharT> class TAttributeList {
public:
    using View = std::basic_string_view<CharT>;
    using Text = std::basic_string<CharT>;

    explicit TAttributeList(View attributes) : FRest(attributes) {}

    // The next attribute; false when none is left.
    bool Next(Text& name, View& value) {
        FRest = SkipBlanks(FRest);
        std::size_t end = 0;
        while (end < FRest.size() && IsNameChar(FRest[end])) {
            ++end;
        }
        if (end == 0) {
            return false;
        }
        name.assign(FRest.substr(0, end));
        for (CharT& c : name) {
            c = c >= CharT('A') && c <= CharT('Z') ? static_cast<CharT>(c - CharT('A') + CharT('a')) : c;
        }
        FRest = SkipBlanks(FRest.substr(end));
        value = {};
        if (FRest.empty() || FRest.front() != CharT('=')) {
            return true;
        }
        FRest = SkipBlanks(FRest.substr(1));
        if (!FRest.empty() && (FRest.front() == CharT('"') || FRest.front() == CharT('\''))) {
            const std::size_t close = FRest.find(FRest.front(), 1);
            value = FRest.substr(1, close == View::npos ? View::npos : close - 1);
            FRest = close == View::npos ? View() : FRest.substr(close + 1);
            return true;
        }
        std::size_t bare = 0;
        while (bare < FRest.size() && !IsBlank(FRest[bare])) {
            ++bare;
        }
        value = FRest.substr(0, bare);
        FRest = FRest.substr(bare);
        return true;
    }

    // The value of the attribute of that name (lower case); nothing when the tag has none.
    static std::optional<View> Find(View attributes, std::basic_string_view<CharT> lowerName) {
        TAttributeList list(attributes);
        Text name;
        View value;
        while (list.Next(name, value)) {
            if (name == lowerName) {
                return value;
            }
        }
        return std::nullopt;
    }

    static bool IsBlank(CharT c) {
        return c == CharT(' ') || c == CharT('\t') || c == CharT('\r') || c == CharT('\n');
    }

private:
    static bool IsNameChar(CharT c) {
        return (c >= CharT('a') && c <= CharT('z')) || (c >= CharT('A') && c <= CharT('Z')) ||
               (c >= CharT('0') && c <= CharT('9')) || c == CharT('-') || c == CharT(':') || c == CharT('_');
    }
    static View SkipBlanks(View text) {
        while (!text.empty() && IsBlank(text.front())) {
            text.remove_prefix(1);
        }
        return text;
    }

    View FRest;
};

} // namespace markup
