#pragma once
// Profile archives made to order for the sender's tests and benchmark: a ".zds" written member by
// member (volumes.vl, one language profile per language, one SubStation script per language) as the
// editor stores one, so that opening it runs the real profile, language and script readers.
#include <cstdint>
#include <string>
#include <vector>

struct TFixtureEvent {
    int32_t Start; // milliseconds
    int32_t End;
    std::string Text;
};

struct TFixtureLanguage {
    std::string Name;
    std::vector<TFixtureEvent> Events; // of the language's own script
    // Titles, each with one selection over the whole script, moved by the title's offset.
    struct TTitle {
        int32_t Number;
        int32_t Offset; // milliseconds added to every event's times
    };
    std::vector<TTitle> Titles;
    bool WithScript = true; // false: the language loads no script (and so has no titles)
};

struct TFixtureVolume {
    std::string Name;
    int32_t IdHigh = 0; // disc identifier halves; 0, 0 for none
    int32_t IdLow = 0;
    bool ChapterChange = false;
    std::vector<TFixtureLanguage> Languages;
};

// Writes the profile into `path` (a ".zds"); false when the archive could not be written. Language n
// has the styles "Default" (font size 20 + n) and "Sign" (40 + n); its script is "<n>-<name>.ssa"
// with the events.
bool WriteFixtureProfile(const std::string& path, const std::vector<TFixtureVolume>& volumes);

// A SubStation Alpha v4 script of the events (8-bit, CR LF lines).
std::string FixtureScript(const std::vector<TFixtureEvent>& events, int32_t fontSize);
