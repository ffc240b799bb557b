#include "plugins/decoders/tamble/THtmlTagConverter.h"

#include "platform/text/CodePage.h"
#include "plugins/decoders/markup/AttributeList.h"
#include "plugins/decoders/markup/MarkupColour.h"
#include "plugins/decoders/support/SsaV4Writer.h"

#include <algorithm>
#include <array>

namespace {

struct TSimpleTag {
    std::u16string_view Name;
    std::u16string_view Open;
    std::u16string_view Close;
};

constexpr std::array<TSimpleTag, 5> kSimpleTags{{
    {u"b", u"{\\b1}", u"{\\b0}"},
    {u"i", u"{\\i1}", u"{\\i0}"},
    {u"u", u"{\\u1}", u"{\\u0}"},
    {u"s", u"{\\s1}", u"{\\s0}"},
    {u"br", u"\\n", u""},
}};

using TAttributes = markup::TAttributeList<char16_t>;

bool IsBlank(char16_t c) {
    return TAttributes::IsBlank(c);
}

bool IsNameChar(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
}

std::u16string Lower(std::u16string_view text) {
    std::u16string out(text);
    for (char16_t& c : out) {
        c = c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
    }
    return out;
}

std::u16string_view SkipBlanks(std::u16string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    return text;
}

std::u16string Widened(std::string_view ascii) {
    return std::u16string(ascii.begin(), ascii.end());
}

// "{\c&Hbbggrr&}" of a style colour (0x00bbggrr).
std::u16string StyleColourOverride(int32_t colour) {
    const auto c = static_cast<uint32_t>(colour);
    return Widened(markup::ColourOverride(static_cast<uint8_t>((c >> 16) & 0xFF),
                                          static_cast<uint8_t>((c >> 8) & 0xFF),
                                          static_cast<uint8_t>(c & 0xFF)));
}

std::optional<std::u16string> ColourOverride(std::u16string_view value) {
    const std::optional<uint32_t> rgb = markup::ParseColour(plat::text::WideToAnsi(value));
    return rgb ? std::optional<std::u16string>(Widened(markup::RgbOverride(*rgb))) : std::nullopt;
}

std::optional<std::u16string> FaceOverride(std::u16string_view value) {
    const bool usable = !value.empty() && value.size() <= THtmlTagConverter::kMaxFaceChars &&
                        value.find_first_of(u"{}\\") == std::u16string_view::npos;
    return usable ? std::optional<std::u16string>(u"{\\fn" + std::u16string(value) + u"}") : std::nullopt;
}

std::optional<std::u16string> SizeOverride(std::u16string_view value) {
    const bool usable =
        !value.empty() && value.size() <= THtmlTagConverter::kMaxSizeDigits &&
        std::all_of(value.begin(), value.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; });
    return usable ? std::optional<std::u16string>(u"{\\fs" + std::u16string(value) + u"}") : std::nullopt;
}

} // namespace

std::u16string THtmlTagConverter::Convert(std::u16string_view text) {
    FFonts.clear();
    std::u16string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t close = text[i] == u'<' ? text.substr(i + 1, kMaxTagChars).find_first_of(u"<>")
                                                  : std::u16string_view::npos;
        if (close != std::u16string_view::npos && text[i + 1 + close] == u'>' &&
            ConvertTag(text.substr(i + 1, close), out)) {
            i += close + 2;
        } else {
            out.push_back(text[i++]);
        }
    }
    FFonts.clear();
    return out;
}

bool THtmlTagConverter::ConvertTag(std::u16string_view content, std::u16string& out) {
    content = SkipBlanks(content);
    const bool closing = !content.empty() && content.front() == u'/';
    if (closing) {
        content = SkipBlanks(content.substr(1));
    }
    std::size_t end = 0;
    while (end < content.size() && IsNameChar(content[end])) {
        ++end;
    }
    const std::u16string name = Lower(content.substr(0, end));
    std::u16string_view attributes = content.substr(end);
    if (!attributes.empty() && !IsBlank(attributes.front()) && attributes.front() != u'/') {
        return false;
    }
    if (name == u"font") {
        closing ? CloseFont(out) : OpenFont(attributes, out);
        return true;
    }
    const auto* simple = std::find_if(kSimpleTags.begin(), kSimpleTags.end(),
                                      [&](const TSimpleTag& tag) { return tag.Name == name; });
    if (simple == kSimpleTags.end()) {
        return false;
    }
    out.append(closing ? simple->Close : simple->Open);
    return true;
}

void THtmlTagConverter::OpenFont(std::u16string_view attributes, std::u16string& out) {
    TFontFrame frame = FFonts.empty() ? TFontFrame{} : FFonts.back();
    frame.SetsColour = frame.SetsFace = frame.SetsSize = false;
    TAttributes list(attributes);
    std::u16string name;
    std::u16string_view value;
    while (list.Next(name, value)) {
        std::optional<std::u16string> tag;
        if (name == u"color" && (tag = ColourOverride(value))) {
            frame.Colour = tag;
            frame.SetsColour = true;
        } else if (name == u"face" && (tag = FaceOverride(value))) {
            frame.Face = tag;
            frame.SetsFace = true;
        } else if (name == u"size" && (tag = SizeOverride(value))) {
            frame.Size = tag;
            frame.SetsSize = true;
        }
        if (tag) {
            out.append(*tag);
        }
    }
    FFonts.push_back(std::move(frame));
}

void THtmlTagConverter::CloseFont(std::u16string& out) {
    if (FFonts.empty()) {
        return;
    }
    const TFontFrame closed = std::move(FFonts.back());
    FFonts.pop_back();
    const TFontFrame outer = FFonts.empty() ? TFontFrame{} : FFonts.back();
    const TMarkupStyle& style = scr::DefaultStyle();
    if (closed.SetsColour) {
        out.append(outer.Colour.value_or(StyleColourOverride(style.PrimaryColour)));
    }
    if (closed.SetsFace) {
        out.append(outer.Face.value_or(u"{\\fn" + plat::text::AnsiToWide(style.FontName) + u"}"));
    }
    if (closed.SetsSize) {
        out.append(
            outer.Size.value_or(u"{\\fs" + plat::text::AnsiToWide(std::to_string(style.FontSize)) + u"}"));
    }
}
