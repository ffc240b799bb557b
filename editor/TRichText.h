#pragma once
// The event editor's two views of one event text: the rich view (a QTextDocument whose formats show
// face, size, colour, charset, bold and italic) and the source text with SubStation override tags.
// Source to rich walks the model's parse of the tags; rich to source writes a tag block wherever the
// formatting changes: "{\r}" back to the style, else the differing attributes in the order \fn, \fs,
// \fe, \c, \b, \i.
#include <QTextCharFormat>

#include <cstdint>
#include <string>

class QTextDocument;
class TTextEvent;
struct TSubtitleStyleRecord;

class TRichText {
public:
    // The font attributes the rich view shows of a run of text.
    struct TFont {
        QString Face;
        int32_t Size = 0;
        uint32_t Colour = 0; // 0x00BBGGRR
        int32_t Charset = 0;
        bool Bold = false;
        bool Italic = false;
        bool Underline = false;
        bool StrikeOut = false;

        bool operator==(const TFont&) const = default;
        // Bold, italic, underline and strike-out compared as one set.
        bool SameStyleSet(const TFont& other) const;
    };
    // What the source starts with besides the text.
    struct TLayout {
        int32_t Alignment = 2;      // v4 numbering of the buttons
        int32_t StyleAlignment = 2; // the style's
        bool Positioned = false;
        int32_t X = 0;
        int32_t Y = 0;
        bool Advanced = false; // v4+ script
    };

    // The charset is kept on text fragments under this property.
    static constexpr int kCharsetProperty = QTextFormat::UserProperty + 1;

    static TFont StyleFont(const TSubtitleStyleRecord& style);
    static QTextCharFormat Format(const TFont& font);
    static TFont FontOf(const QTextCharFormat& format);

    // Fills the document from the parsed event (TTextEvent::BuildRuns done), starting from the style.
    static void SourceToRich(const TTextEvent& parsed, const TFont& style, QTextDocument& document);
    static std::u16string RichToSource(const QTextDocument& document, const TFont& style,
                                       const TLayout& layout);
};
