#pragma once
// One subtitle format described by a ".sdf" definition: its name and identifier, the line-end
// sequence of its files, the templates a subtitle entry must match and the replacements applied to
// subtitle text.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct TFormatTemplate {
    std::u16string Text;
    bool Comment = false; // from a "comment:" block; stored, not handed on to events
};

struct TReplacement {
    std::u16string Find;
    std::u16string Replace;
};

class TFormatDefinition {
public:
    // At most this many units make a line-end sequence.
    static constexpr std::size_t kMaxLineEnd = 9;

    // True when the definition may decode a file of this filter: no filter, no extension, no
    // identifier, or the identifier or one of the extensions equals it (without regard to case).
    bool AcceptsFilter(std::optional<std::u16string_view> filter) const;

    std::optional<std::u16string> Name;
    std::optional<std::u16string> Identifier;
    std::u16string LineEnd = u"\r\n";
    std::vector<TFormatTemplate> Templates;
    std::vector<TReplacement> Replacements;
    std::vector<std::u16string> Extensions;
    // Set by an "[#htmltags]" line: the HTML-like tags of subtitle text (<b>, <font color=...>, ...)
    // become override tags (THtmlTagConverter).
    bool HtmlTags = false;
};
