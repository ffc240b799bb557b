#pragma once
// The format definitions of the template decoder and the engine that matches their templates
// against a subtitle file, position by position, collecting the events the templates read.
#include "plugins/decoders/tamble/TFormatDefinition.h"
#include "plugins/decoders/tamble/THtmlTagConverter.h"
#include "plugins/decoders/tamble/TLiteralSearch.h"
#include "plugins/decoders/tamble/TMatchedEvent.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class TFormatRegistry {
public:
    // Before this many matches in a file, a position that the current definition does not match is
    // tried with every definition; afterwards only with the current one.
    static constexpr int32_t kSearchAllBelow = 5;

    // What a field format read: a number or a text.
    struct FieldValue {
        int64_t Number = 0;
        std::u16string Text;
    };

    // Appends the definitions of one ".sdf" text; the definition read last becomes current.
    void LoadDefinitions(std::u16string_view text);

    // Walks the subject from its start to its end, filling Events. False when there is no text or
    // no definition. `filter` limits the definitions tried (TFormatDefinition::AcceptsFilter);
    // `force` keeps trying every definition at unmatched positions however many matches were made.
    bool Match(std::u16string_view subject, std::optional<std::u16string_view> filter, bool force);
    // The same walk an event at a time, so that a caller can use each event as it comes and keep none:
    // StartWalk answers as Match does; NextEvent then gives the next event with text, false at the end.
    // The subject and the filter must stay until the walk ends.
    bool StartWalk(std::u16string_view subject, std::optional<std::u16string_view> filter, bool force);
    bool NextEvent(TMatchedEvent& event);

    // The number of characters the template matches at `position` of `subject` (a line end that
    // follows included), 0 when it does not match. The event under construction holds what it read.
    std::size_t MatchTemplate(std::u16string_view subject, std::size_t position, std::u16string_view templ);

    // Appends the text to `output` with the current definition's replacements applied.
    void ApplyReplacements(std::u16string_view text, std::u16string& output) const;

    const std::vector<std::unique_ptr<TFormatDefinition>>& Definitions() const { return FDefinitions; }
    TFormatDefinition* Current() const { return FCurrent; }
    const TMatchedEvent& EventUnderConstruction() const { return FEvent; }

    double FrameRate = 25.0;
    std::vector<TMatchedEvent> Events;

private:
    // Reads the field a directive names into the event under construction.
    bool ReadField(std::u16string_view directive, std::size_t& position);
    // Reads what a field format (":" and a word) describes.
    bool ReadFieldFormat(std::u16string_view format, std::size_t& position, FieldValue& value);
    // Whole lines up to an empty one, at most `count`; with `toEntry` also up to a line where an entry
    // of the current definition starts (one whose blank line before it is missing).
    std::u16string ReadToEmptyLine(std::size_t& position, std::size_t count, bool toEntry);
    // True when a template of the current definition matches at `position`. The event under
    // construction is kept; "toentry" fields read nothing while a template is tried this way, so
    // that trying one entry never reads the next.
    bool StartsEntry(std::size_t position);
    // Runs the directive; false when the template fails there.
    bool Directive(std::u16string_view directive, std::size_t& position, TLiteralSearch::Modes& modes,
                   std::size_t& saved);
    // Tries the last template, then the current definition's templates; the length matched.
    std::size_t TryCurrent(std::size_t position, std::optional<std::u16string_view> filter);
    // Tries every definition in turn, leaving the one that matched (else the last) current.
    std::size_t TryAll(std::size_t position, std::optional<std::u16string_view> filter);
    std::size_t TryTemplates(std::size_t position);
    std::u16string_view LineEnd() const;
    // Where the line at `position` ends and the length of the break there. A line ends at the
    // definition's line end or at any CR, LF or CR LF, whichever comes first: text read from a file
    // whose line ends differ from the definition's never carries a line break into an event.
    std::pair<std::size_t, std::size_t> LineBreak(std::size_t position) const;

    // Where the walk through the subject stands.
    struct TWalk {
        std::size_t Position = 0;
        int32_t Matches = 0;
        std::optional<std::u16string_view> Filter;
        bool Force = false;
    };

    std::vector<std::unique_ptr<TFormatDefinition>> FDefinitions;
    TFormatDefinition* FCurrent = nullptr;
    const TFormatTemplate* FLastTemplate = nullptr;
    const TFormatTemplate* FMatchedTemplate = nullptr;
    TMatchedEvent FEvent;
    TWalk FWalk;
    std::u16string_view FSubject;
    TLiteralSearch FSearch;
    bool FProbing = false;
    THtmlTagConverter FTags;
};
