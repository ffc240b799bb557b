#include "core/src/graph/TGraphLog.h"

#include "core/src/framework/TCoreLogFile.h"
#include "core/src/graph/TReportText.h"

#include <algorithm>
#include <string>

namespace {

// The element name of a kind; empty for kinds that write nothing.
std::u16string_view ElementName(TGraphLogKind kind) {
    switch (kind) {
    case TGraphLogKind::Info:
        return u"INFO";
    case TGraphLogKind::Success:
        return u"SUCCESS";
    case TGraphLogKind::Failure:
        return u"FAILURE";
    case TGraphLogKind::Document:
        return u"GRAPHLOG";
    default:
        return {};
    }
}

bool IsHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

} // namespace

TGraphLog::TGraphLog(TCoreLogFile& debugLog) : debugLog_(debugLog) {}

void TGraphLog::Clear() {
    document_.SetUsed(0);
    open_.clear();
}

int TGraphLog::Level() const {
    return static_cast<int>(std::min<std::size_t>(open_.size(), kMaxLevel));
}

void TGraphLog::Write(bool open, TGraphLogKind kind, const char16_t* text) {
    const std::u16string_view entry = Cut(text);
    if (text != nullptr) {
        debugLog_.WriteWide(u"\n%s", std::u16string(entry));
    }
    if (ElementName(kind).empty()) {
        return;
    }
    if (text != nullptr) {
        WriteEntry(kind, open, entry);
    } else if (kind == TGraphLogKind::Document) {
        CloseDocument();
    } else if (!open_.empty() && open_.back() != TGraphLogKind::Document) {
        CloseInnermost();
    }
}

void TGraphLog::WriteFormatV(bool open, TGraphLogKind kind, const char16_t* format,
                             std::span<const plat::text::FormatArg> args) {
    TMemoryObject text(TReportText::kFirstBlock);
    text.AppendFormatV(format, args);
    text.AppendNul();
    Write(open, kind, text.Text());
}

bool TGraphLog::CopyTo(TMemoryObject* buffer) const {
    if (buffer == nullptr) {
        return false;
    }
    buffer->Assign(document_);
    return true;
}

char16_t* TGraphLog::Handover() const {
    return TReportText::Handover(document_, TReportText::kLogTerminators);
}

std::u16string_view TGraphLog::Cut(const char16_t* text) {
    if (text == nullptr) {
        return {};
    }
    std::u16string_view view(text);
    if (view.size() > kMaxTextLength) {
        const bool splitsPair = IsHighSurrogate(view[kMaxTextLength - 1]);
        view = view.substr(0, kMaxTextLength - (splitsPair ? 1 : 0));
    }
    return view;
}

void TGraphLog::WriteIndent() {
    for (int i = 0; i < Level() * kIndentWidth; ++i) {
        document_.AppendChars(u" ", 1);
    }
}

// The document element is always an opened one: its end is written by closing it.
void TGraphLog::WriteEntry(TGraphLogKind kind, bool open, std::u16string_view text) {
    const std::u16string name(ElementName(kind));
    WriteIndent();
    if (kind == TGraphLogKind::Document) {
        document_.AppendFormat(u"<%s>\r\n", name);
        open_.push_back(kind);
        return;
    }
    document_.AppendFormat(u"<%s Text=\"", name);
    TReportText::AppendEscaped(document_, text);
    if (open) {
        document_.AppendString(u"\">\r\n");
        open_.push_back(kind);
    } else {
        document_.AppendFormat(u"\"></%s>\r\n", name);
    }
}

void TGraphLog::CloseInnermost() {
    const TGraphLogKind kind = open_.back();
    open_.pop_back();
    WriteIndent();
    document_.AppendFormat(u"</%s>", std::u16string(ElementName(kind)));
    // The document's end closes the text without a line end after it.
    if (kind != TGraphLogKind::Document) {
        document_.AppendString(u"\r\n");
    }
}

// Entries left open in the document are closed with it; without an open document nothing is written.
void TGraphLog::CloseDocument() {
    if (std::find(open_.begin(), open_.end(), TGraphLogKind::Document) == open_.end()) {
        return;
    }
    while (open_.back() != TGraphLogKind::Document) {
        CloseInnermost();
    }
    CloseInnermost();
}
