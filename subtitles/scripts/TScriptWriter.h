#pragma once
// Builds the SubStation text of a script: the script-info section, a v4 or v4+ styles section and
// the events section, every line ended by CR LF. The text is built as UTF-16; the script's writers
// store it as UTF-16LE or convert it, every field alike, to the script's code page.
#include "subtitles/scripts/TScriptControl.h"

#include <string>

class TScriptWriter {
public:
    TScriptWriter(const TScriptControl& script, const TScriptControl::TEventSource& sourceOf);

    std::u16string Build(const TPointer<TStyles>& styles, const TPointer<TSubEvents>& events) const;

private:
    void WriteInfo(std::u16string& out) const;
    void WriteStyles(std::u16string& out, const TPointer<TStyles>& styles) const;
    void WriteStyleV4Plus(std::u16string& out, const TSubtitleStyleRecord& style) const;
    void WriteStyleV4(std::u16string& out, const TSubtitleStyleRecord& style) const;
    void WriteEvents(std::u16string& out, const TPointer<TSubEvents>& events) const;
    void WriteEvent(std::u16string& out, const TSubEvents& event, const TTextEvent& source) const;

    const TScriptControl& Script;
    const TScriptControl::TEventSource& SourceOf;
};
