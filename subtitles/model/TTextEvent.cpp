#include "subtitles/model/TTextEvent.h"

#include "foundation/TMemoryObject.h"
#include "platform/text/CodePage.h"
#include "platform/text/WideString.h"
#include "subtitles/model/FixedText.h"
#include "subtitles/model/TOverrideBlockParser.h"
#include "subtitles/model/TRunBlockBuilder.h"
#include "subtitles/model/TTextLayout.h"
#include "subtitles/model/TTextPainter.h"

#include <cstring>
#include <utility>

namespace {

// The tag an opcode is written back as.
void WriteOpcodeTag(TMemoryObject& out, const TOverrideOp& op) {
    switch (op.opcode) {
    case kOpRestoreStyle:
        out.AppendString(u"\\r");
        break;
    case kOpBoldOn:
    case kOpBoldOff:
        out.AppendFormat(u"\\b%d", op.opcode == kOpBoldOn ? 1 : 0);
        break;
    case kOpOutline:
        out.AppendFormat(u"\\BORD%d", static_cast<int>(op.number));
        break;
    case kOpBlurEdgesOn:
    case kOpBlurEdgesOff:
        out.AppendFormat(u"\\be%d", op.opcode == kOpBlurEdgesOn ? 1 : 0);
        break;
    case kOpItalicOn:
    case kOpItalicOff:
        out.AppendFormat(u"\\i%d", op.opcode == kOpItalicOn ? 1 : 0);
        break;
    case kOpUnderlineOn:
    case kOpUnderlineOff:
        out.AppendFormat(u"\\u%d", op.opcode == kOpUnderlineOn ? 1 : 0);
        break;
    case kOpStrikeOn:
    case kOpStrikeOff:
        out.AppendFormat(u"\\s%d", op.opcode == kOpStrikeOn ? 1 : 0);
        break;
    case kOpShadow:
        out.AppendFormat(u"\\SHAD%d", static_cast<int>(op.number));
        break;
    case kOpColour:
    case kOpAlpha:
        if (op.colourIndex != 0) {
            out.AppendFormat(u"\\%d%c&H%08X&", static_cast<int>(op.colourIndex),
                             op.opcode == kOpColour ? u'c' : u'a', op.colour);
        } else {
            // Six digits always: the reader takes 1, 2, 4, 6 or 8 digits only.
            out.AppendFormat(u"\\c&H%06X&", op.colour & 0xFFFFFFu);
        }
        break;
    case kOpFontName:
        out.AppendString(u"\\fn");
        out.AppendChars(op.fontName.data(), static_cast<std::int32_t>(op.fontName.size()));
        break;
    case kOpScaleX:
        out.AppendFormat(u"\\fscx%d", static_cast<int>(op.number));
        break;
    case kOpScaleY:
        out.AppendFormat(u"\\fscy%d", static_cast<int>(op.number));
        break;
    case kOpSpacing:
        out.AppendFormat(u"\\fsp%d", static_cast<int>(op.number));
        break;
    case kOpFontSize:
        out.AppendFormat(u"\\fs%d", static_cast<int>(op.number));
        break;
    case kOpCharset:
        out.AppendFormat(u"\\fe%d", static_cast<int>(op.number));
        break;
    default:
        break;
    }
}

// "{tags}"; a block without opcodes (only tags that are not written back) writes nothing, since "{}"
// would read back as text.
void WriteOverrideBlock(TMemoryObject& out, TOverrideOpReader reader) {
    TOverrideOp op;
    if (!reader.Next(op)) {
        return;
    }
    out.AppendString(u"{");
    do {
        WriteOpcodeTag(out, op);
    } while (reader.Next(op));
    out.AppendString(u"}");
}

} // namespace

TTextEvent::TTextEvent() : TSubEvents(kSubItemText) {}

TTextEvent::~TTextEvent() = default;

bool TTextEvent::GetStyleName(const char16_t*& name) const {
    if (!TextRecord) {
        return false;
    }
    name = TextRecord->styleName;
    return true;
}

void TTextEvent::Layout(plat::gdi::TextMeasurer*, TFontPool* pool) {
    if (pool != nullptr) {
        LayoutWith(*pool, -1);
    }
}

void TTextEvent::LayoutWith(TFontPool& pool, std::int32_t wrapOverride) {
    TTextLayout::Layout(*this, pool, wrapOverride);
}

bool TTextEvent::Draw(plat::gdi::Dc* dc, std::int32_t x, std::int32_t y, std::int32_t colourIndex,
                      TFontPool* pool, double verticalScale, double) {
    if (dc == nullptr || pool == nullptr) {
        return false;
    }
    TTextPainter::DrawRuns(*this, *dc, x, y, colourIndex, *pool, verticalScale);
    return true;
}

void TTextEvent::Reparse(const TSubtitleStyleRecord* style) {
    if (style == GetStyle()) {
        BuildRuns();
    }
}

void TTextEvent::CreateRecord() {
    AttachRecord(nullptr);
}

std::size_t TTextEvent::GetRecordSize() const {
    return TextEventWireSize(TextPresent, GetText().size());
}

std::size_t TTextEvent::WriteRecord(void* destination, std::size_t capacity) const {
    const std::size_t size = GetRecordSize();
    if (!TextRecord || !destination || capacity < size) {
        return 0;
    }
    auto* out = static_cast<std::byte*>(destination);
    TTextEventRecord copy = *TextRecord;
    copy.head.size = static_cast<std::uint32_t>(size);
    std::memcpy(out, &copy, sizeof copy);
    if (TextPresent) {
        const std::u16string_view text = GetText();
        std::memcpy(out + kTextEventTextOffset, text.data(), text.size() * sizeof(char16_t));
        const char16_t zero = 0;
        std::memcpy(out + kTextEventTextOffset + text.size() * sizeof(char16_t), &zero, sizeof zero);
    }
    return size;
}

TTextEventRecord* TTextEvent::AttachRecord(TTextEventRecord* record) {
    if (Borrowed && TextPresent) {
        OwnText.assign(BorrowedText, BorrowedLength); // the old block is not ours to keep reading
    }
    BorrowedText = nullptr;
    BorrowedLength = 0;
    if (record) {
        OwnedTextRecord.reset();
        TextRecord = record;
        Borrowed = true;
        TextRecord->styleName[kStyleNameUnits - 1] = u'\0';
        const std::uint32_t size = TextRecord->head.size;
        TextPresent = size > kTextEventRecordBytes;
        OwnText.clear();
        if (TextPresent) {
            BorrowedText = reinterpret_cast<const char16_t*>(reinterpret_cast<std::byte*>(record) +
                                                             kTextEventTextOffset);
            BorrowedLength =
                plat::text::WLenBounded(BorrowedText, (size - kTextEventTextOffset) / sizeof(char16_t));
        }
    } else {
        OwnedTextRecord = std::make_unique<TTextEventRecord>();
        TextRecord = OwnedTextRecord.get();
        Borrowed = false;
        SetFixedText(TextRecord->styleName, kStyleNameUnits, u"Default");
        TextRecord->head.kind = GetKind();
        TextRecord->head.posX = -1;
        TextRecord->head.posY = -1;
        TextRecord->wrapStyle = kDefaultWrapStyle;
    }
    DesignateRecord(&TextRecord->head, !Borrowed);
    TextChanged = true;
    return TextRecord;
}

void TTextEvent::SetText(const char16_t* text, bool append) {
    if (!text) {
        BorrowedText = nullptr;
        BorrowedLength = 0;
        OwnText.clear();
        TextPresent = false;
        TextChanged = true;
        return;
    }
    SetText(std::u16string_view(text, plat::text::WLen(text)), append);
}

void TTextEvent::SetText(std::u16string_view text, bool append) {
    if (BorrowedText) {
        OwnText.assign(BorrowedText, BorrowedLength);
        BorrowedText = nullptr;
        BorrowedLength = 0;
    }
    if (append && TextPresent) {
        OwnText.append(text);
    } else {
        OwnText.assign(text);
    }
    TextPresent = true;
    TextChanged = true;
}

bool TTextEvent::SetTextAnsi(const char* text, std::uint32_t codePage, bool append) {
    std::u16string wide;
    if (!text || !plat::text::MultiByteToWide(codePage, text, wide)) {
        return false;
    }
    SetText(std::u16string_view(wide), append);
    return true;
}

std::u16string_view TTextEvent::GetText() const {
    if (!TextPresent) {
        return {};
    }
    return BorrowedText ? std::u16string_view(BorrowedText, BorrowedLength) : std::u16string_view(OwnText);
}

void TTextEvent::BuildRuns() {
    Runs.clear();
    Compacted.clear();
    TTextEventRecord* record = TextRecord;
    if (record) {
        record->head.posX = -1;
        record->head.posY = -1;
        record->head.positioned = 0;
        record->head.placedByPosition = 0;
    }
    if (!TextPresent) {
        return;
    }
    const std::u16string_view text = GetText();
    TRunBlockBuilder builder(Runs);
    std::int32_t alignment = record ? record->alignment : 0;
    std::int32_t wrapStyle = record ? record->wrapStyle : kDefaultWrapStyle;
    bool drawing = false;
    const auto written = [this] { return static_cast<std::int32_t>(Compacted.size()); };
    std::size_t i = 0;
    while (i < text.size()) {
        const char16_t c = text[i];
        if (c == u'{') {
            if (auto block = TOverrideBlockParser(text, i, alignment, wrapStyle).Parse()) {
                alignment = block->alignment;
                wrapStyle = block->wrapStyle;
                if (block->positioned && record) {
                    record->head.posX = block->posX;
                    record->head.posY = block->posY;
                    record->head.positioned = 1;
                    record->head.placedByPosition = 1;
                }
                drawing = block->drawing.value_or(drawing);
                if (block->keepsRun) {
                    builder.AppendOverrideBlock(written(), block->opcodes);
                }
                i = block->end;
                continue;
            }
        }
        if (drawing) {
            ++i; // drawing commands are not text
        } else if (c == u' ') {
            std::size_t end = i;
            while (end < text.size() && text[end] == u' ') {
                ++end;
            }
            builder.Append(kRunBlanks, written(), static_cast<std::int32_t>(end - i));
            i = end;
        } else if (c == u'\\' && i + 1 < text.size() && (text[i + 1] == u'n' || text[i + 1] == u'N')) {
            builder.Append(text[i + 1] == u'n' ? kRunSoftBreak : kRunHardBreak, written(), 1);
            i += 2;
        } else {
            builder.AddWordChar(written());
            Compacted.push_back(c);
            ++i;
        }
    }
    builder.Append(kRunEnd, written(), 0);
    if (record) {
        record->alignment = alignment;
        record->wrapStyle = wrapStyle;
    }
}

bool TTextEvent::WriteSsaText(TMemoryObject& out, bool layoutBreaks) const {
    if (Runs.empty()) {
        return false;
    }
    if (TextRecord && TextRecord->alignment >= kOverrideTagBit) {
        out.AppendFormat(u"{\\a%d}", TextRecord->alignment & 0x7F);
    }
    if (TextRecord && TextRecord->wrapStyle >= kOverrideTagBit) {
        out.AppendFormat(u"{\\q%d}", TextRecord->wrapStyle & 0x7F);
    }
    // The position lives in the record once parsed; without writing it back it would be lost.
    if (IsPositioned()) {
        out.AppendFormat(u"{\\pos(%d,%d)}", TextRecord->head.posX, TextRecord->head.posY);
    }
    // Blank runs with nothing written between them (only a block that leaves no run or writes no tag
    // separated them) are written as one blank: they read back as one run.
    std::int32_t afterBlank = -1; // where the output ended after the last blank run
    for (const TTextRun* run = GetRun(kFirstRun); run; run = NextRun(run)) {
        switch (run->Kind()) {
        case kRunBlanks:
            if (out.Used != afterBlank) {
                out.AppendString(u" ");
            }
            afterBlank = out.Used;
            break;
        case kRunHardBlank:
            out.AppendString(layoutBreaks ? u" " : u"\\H");
            break;
        case kRunSoftBreak:
            out.AppendString(layoutBreaks ? u" " : u"\\n");
            break;
        case kRunHardBreak:
            out.AppendString(u"\\N");
            break;
        case kRunWord: {
            const std::u16string_view word = GetRunText(run);
            out.AppendChars(word.data(), static_cast<std::int32_t>(word.size()));
            break;
        }
        case kRunOverrideBlock:
            WriteOverrideBlock(out, GetOpcodes(run));
            break;
        default:
            break;
        }
        if (layoutBreaks && run->BreaksLine()) {
            out.AppendString(u"\\n");
        }
    }
    out.AppendNul();
    return true;
}

void TTextEvent::Assign(const TTextEvent& other) {
    if (&other == this) {
        return;
    }
    if (other.TextRecord) {
        if (!TextRecord || Borrowed) {
            AttachRecord(nullptr);
        }
        *TextRecord = *other.TextRecord;
        SetKind(other.GetKind());
    }
    if (other.TextPresent) {
        SetText(other.GetText(), false);
    } else {
        SetText(nullptr, false);
    }
    Runs = other.Runs;
    Compacted = other.Compacted;
}

TTextRun* TTextEvent::GetRun(std::int32_t offset) {
    return const_cast<TTextRun*>(std::as_const(*this).GetRun(offset));
}

const TTextRun* TTextEvent::GetRun(std::int32_t offset) const {
    if (offset == kFirstRun) {
        offset = kFirstRunOffset;
    }
    if (offset < kFirstRunOffset || static_cast<std::size_t>(offset) + sizeof(TTextRun) > Runs.size()) {
        return nullptr;
    }
    return reinterpret_cast<const TTextRun*>(Runs.data() + offset);
}

TTextRun* TTextEvent::NextRun(const TTextRun* run) {
    return const_cast<TTextRun*>(std::as_const(*this).NextRun(run));
}

const TTextRun* TTextEvent::NextRun(const TTextRun* run) const {
    // Runs only ever link forward; a link that does not would be a damaged block.
    if (!run || run->next <= OffsetOf(run)) {
        return nullptr;
    }
    return GetRun(run->next);
}

std::int32_t TTextEvent::OffsetOf(const TTextRun* run) const {
    return static_cast<std::int32_t>(reinterpret_cast<const std::byte*>(run) - Runs.data());
}

TOverrideOpReader TTextEvent::GetOpcodes(const TTextRun* run) const {
    if (!run || run->Kind() != kRunOverrideBlock) {
        return TOverrideOpReader({});
    }
    return TOverrideOpReader(std::span<const std::byte>(Runs).subspan(OffsetOf(run) + sizeof(TTextRun)));
}

std::u16string_view TTextEvent::GetRunText(const TTextRun* run) const {
    if (!run || run->Kind() != kRunWord || run->first < 0 || run->count < 0 ||
        static_cast<std::size_t>(run->first) + static_cast<std::size_t>(run->count) > Compacted.size()) {
        return {};
    }
    return std::u16string_view(Compacted).substr(run->first, run->count);
}
