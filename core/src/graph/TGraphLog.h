#pragma once
// The log of the last graph build: one nested XML document ("<GRAPHLOG>") of INFO, SUCCESS and
// FAILURE entries, indented three blanks per level of nesting up to fifteen levels. A write with a
// text makes an entry (an opened one holds the entries after it); a write without a text closes the
// innermost open entry, and closing the document closes the entries still open in it first. The log
// keeps track of what is open, so between the document's opening and its end it stays well-formed XML
// however the calls nest: a closing call with no entry open (or no document open) writes nothing. Other kinds
// write nothing. Each text is mirrored to the core's debug log.
#include "core/src/graph/TGraphSteps.h"
#include "core/src/graph/TReportText.h"
#include "platform/text/Format.h"
#include "foundation/TMemoryObject.h"

#include <array>
#include <cstddef>
#include <span>
#include <string_view>
#include <vector>

class TCoreLogFile;

class TGraphLog {
public:
    static constexpr int kMaxLevel = 15;
    // Longest entry text in characters; longer texts are cut (never inside a surrogate pair).
    static constexpr std::size_t kMaxTextLength = 2045;
    static constexpr int kIndentWidth = 3;

    explicit TGraphLog(TCoreLogFile& debugLog);

    // Empties the document and returns to level 0, as every build does first.
    void Clear();
    // One call of the graph steps' log operation (see TGraphSteps::GraphLog).
    void Write(bool open, TGraphLogKind kind, const char16_t* text);
    // A write whose text is formatted first (printf rules, "%s" takes UTF-16 text).
    template <class... Args>
    void WriteFormat(bool open, TGraphLogKind kind, plat::text::WFormatString<Args...> format,
                     const Args&... args) {
        const std::array<plat::text::FormatArg, sizeof...(Args)> captured{plat::text::MakeArg(args)...};
        WriteFormatV(open, kind, format.get(), captured);
    }
    void WriteFormatV(bool open, TGraphLogKind kind, const char16_t* format,
                      std::span<const plat::text::FormatArg> args);
    // The buffer becomes a copy of the document; false without a buffer.
    bool CopyTo(TMemoryObject* buffer) const;
    // The document in a block of the core's heap with its two zero characters (order 306).
    char16_t* Handover() const;

    const TMemoryObject& Document() const { return document_; }
    // The indent level of the next entry: the open elements, at most kMaxLevel.
    int Level() const;

private:
    static std::u16string_view Cut(const char16_t* text);
    void WriteIndent();
    void WriteEntry(TGraphLogKind kind, bool open, std::u16string_view text);
    // Closes the innermost open element (one must be open).
    void CloseInnermost();
    void CloseDocument();

    TCoreLogFile& debugLog_;
    TMemoryObject document_{TReportText::kFirstBlock};
    std::vector<TGraphLogKind> open_; // the open elements, innermost last
};
