#include "editor/TRichText.h"

#include "core/include/SubtitleRecords.h"
#include "subtitles/model/TOverrideOp.h"
#include "subtitles/model/TTextEvent.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {

QColor ColourOf(uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

uint32_t BgrOf(const QColor& colour) {
    return static_cast<uint32_t>(colour.red()) | (static_cast<uint32_t>(colour.green()) << 8) |
           (static_cast<uint32_t>(colour.blue()) << 16);
}

// Applies one override operation to the running attributes.
void Apply(const TOverrideOp& op, const TRichText::TFont& style, TRichText::TFont& font) {
    switch (op.opcode) {
    case kOpRestoreStyle:
        font = style;
        break;
    case kOpBoldOn:
    case kOpBoldOff:
        font.Bold = op.opcode == kOpBoldOn;
        break;
    case kOpItalicOn:
    case kOpItalicOff:
        font.Italic = op.opcode == kOpItalicOn;
        break;
    case kOpUnderlineOn:
    case kOpUnderlineOff:
        font.Underline = op.opcode == kOpUnderlineOn;
        break;
    case kOpStrikeOn:
    case kOpStrikeOff:
        font.StrikeOut = op.opcode == kOpStrikeOn;
        break;
    case kOpColour:
    case kOpAlpha:
        font.Colour = op.colour & 0xFFFFFF;
        break;
    case kOpFontName:
        font.Face = QString::fromStdU16String(std::u16string(op.fontName));
        break;
    case kOpFontSize:
        font.Size = op.number;
        break;
    case kOpCharset:
        font.Charset = op.number & 0xFF;
        break;
    default:
        break;
    }
}

// The tag block that takes the running font to the character's.
std::u16string TagBlock(const TRichText::TFont& running, const TRichText::TFont& next,
                        const TRichText::TFont& style) {
    if (next == style) {
        return u"{\\r}";
    }
    QString block = "{";
    if (next.Face != running.Face) {
        block += "\\fn" + next.Face;
    }
    if (next.Size != running.Size) {
        block += QString("\\fs%1").arg(next.Size);
    }
    if (next.Charset != running.Charset) {
        block += QString("\\fe%1").arg(next.Charset);
    }
    if (next.Colour != running.Colour) {
        block += "\\c&H" + QString::number(next.Colour, 16).toUpper().rightJustified(2, QChar('0')) + "&";
    }
    if (next.Bold != running.Bold) {
        block += next.Bold ? "\\b1" : "\\b0";
    }
    if (next.Italic != running.Italic) {
        block += next.Italic ? "\\i1" : "\\i0";
    }
    return (block + "}").toStdU16String();
}

} // namespace

bool TRichText::TFont::SameStyleSet(const TFont& other) const {
    return Bold == other.Bold && Italic == other.Italic && Underline == other.Underline &&
           StrikeOut == other.StrikeOut;
}

TRichText::TFont TRichText::StyleFont(const TSubtitleStyleRecord& style) {
    TFont font;
    font.Face = QString::fromStdU16String(std::u16string(style.fontName));
    font.Size = style.fontSize;
    font.Colour = style.primaryColour & 0xFFFFFF;
    font.Charset = style.encoding & 0xFF;
    font.Bold = style.bold != 0;
    font.Italic = style.italic != 0;
    font.Underline = style.underline != 0;
    font.StrikeOut = style.strikeout != 0;
    return font;
}

QTextCharFormat TRichText::Format(const TFont& font) {
    QTextCharFormat format;
    format.setFontFamilies({font.Face});
    if (font.Size > 0) {
        format.setFontPointSize(font.Size);
    }
    format.setForeground(ColourOf(font.Colour));
    format.setFontWeight(font.Bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(font.Italic);
    format.setFontUnderline(font.Underline);
    format.setFontStrikeOut(font.StrikeOut);
    format.setProperty(kCharsetProperty, font.Charset);
    return format;
}

TRichText::TFont TRichText::FontOf(const QTextCharFormat& format) {
    TFont font;
    const QStringList families = format.fontFamilies().toStringList();
    font.Face = families.isEmpty() ? QString() : families.front();
    font.Size = static_cast<int32_t>(format.fontPointSize());
    font.Colour = BgrOf(format.foreground().color());
    font.Charset = format.property(kCharsetProperty).toInt();
    font.Bold = format.fontWeight() >= QFont::Bold;
    font.Italic = format.fontItalic();
    font.Underline = format.fontUnderline();
    font.StrikeOut = format.fontStrikeOut();
    return font;
}

void TRichText::SourceToRich(const TTextEvent& parsed, const TFont& style, QTextDocument& document) {
    document.clear();
    QTextCursor cursor(&document);
    TFont font = style;
    cursor.setBlockCharFormat(Format(style));
    for (const TTextRun* run = parsed.GetRun(kFirstRun); run != nullptr && run->Kind() != kRunEnd;
         run = parsed.NextRun(run)) {
        switch (run->Kind()) {
        case kRunOverrideBlock: {
            TOverrideOpReader reader = parsed.GetOpcodes(run);
            for (TOverrideOp op; reader.Next(op);) {
                Apply(op, style, font);
            }
            break;
        }
        case kRunBlanks:
        case kRunHardBlank:
            cursor.insertText(QString(run->count, QChar(' ')), Format(font));
            break;
        case kRunSoftBreak:
        case kRunHardBreak:
            cursor.insertBlock(QTextBlockFormat(), Format(font));
            break;
        case kRunWord:
            cursor.insertText(QString::fromStdU16String(std::u16string(parsed.GetRunText(run))),
                              Format(font));
            break;
        default:
            break;
        }
    }
}

std::u16string TRichText::RichToSource(const QTextDocument& document, const TFont& style,
                                       const TLayout& layout) {
    std::u16string source;
    if (layout.Alignment != layout.StyleAlignment) {
        source += QString("{\\a%1}").arg(layout.Alignment).toStdU16String();
    }
    if (layout.Positioned) {
        source += QString("{\\pos(%1,%2)}").arg(layout.X).arg(layout.Y).toStdU16String();
    }
    const std::u16string lineBreak = layout.Advanced && layout.Positioned ? u"\\N" : u"\\n";
    TFont running = style;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block != document.begin()) {
            source += lineBreak;
        }
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            const QTextFragment piece = fragment.fragment();
            const TFont font = FontOf(piece.charFormat());
            if (!(font.Face == running.Face && font.Size == running.Size && font.Colour == running.Colour &&
                  font.SameStyleSet(running))) {
                source += TagBlock(running, font, style);
                running = font;
            }
            source += piece.text().toStdU16String();
        }
    }
    return source;
}
