#pragma once
// Turns the HTML-like tags of subtitle text into SubStation override tags: <b> <i> <u> <s> and their
// closing forms, <br>, and <font> with its color, face and size attributes. A </font> gives back the
// colour, face and size that were in force before its <font> (those of the default style where no
// font tag is open), so that text after it looks as it did before. Other tags, and "<" that starts
// no tag, stay in the text as written.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class THtmlTagConverter {
public:
    // The longest tag looked at; a longer "<...>" is text.
    static constexpr std::size_t kMaxTagChars = 500;
    // Longest face name and size kept (a longer name would refuse the whole override block).
    static constexpr std::size_t kMaxFaceChars = 49;
    static constexpr std::size_t kMaxSizeDigits = 4;

    // The text of one event, tags converted. Font tags left open at its end close with it.
    std::u16string Convert(std::u16string_view text);

private:
    // The override tags of one open <font>: what it set, and what is in force while it is open.
    struct TFontFrame {
        bool SetsColour = false;
        bool SetsFace = false;
        bool SetsSize = false;
        std::optional<std::u16string> Colour;
        std::optional<std::u16string> Face;
        std::optional<std::u16string> Size;
    };

    // Appends the conversion of the tag whose content (between "<" and ">") is given; false when it
    // is no tag this converter knows.
    bool ConvertTag(std::u16string_view content, std::u16string& out);
    void OpenFont(std::u16string_view attributes, std::u16string& out);
    void CloseFont(std::u16string& out);

    std::vector<TFontFrame> FFonts;
};
