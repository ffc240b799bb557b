#pragma once
// Reads the text of a language profile into a language whose titles, styles and scripts were
// emptied: the [DVD Infos]/[Infos], [Format], [Script], [Styles]/[V4 Styles] and [Finish] sections.
// Lines that cannot be read (too long, a bad time or number, a script that does not load, past the
// limits) are skipped and listed as problems; everything else loads.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TLanguage;
class TScriptControl;
struct TSelect;
class TZipControl;

class TLanguageReader {
public:
    // Longer lines are skipped.
    static constexpr std::size_t kMaxLine = 2500;
    // A language holds at most this many "load:" lines, titles and selections.
    static constexpr int32_t kMaxLoads = 1000;
    static constexpr int32_t kMaxTitles = 1000;
    static constexpr int32_t kMaxSelections = 10000;

    // `archive` is the open archive of the scripts (none for a plain profile); `source` names the
    // profile in problem texts.
    TLanguageReader(TLanguage& language, TZipControl* archive, std::string source);

    void Read(std::string_view text);
    // The problems met, one text each, in line order.
    const std::vector<std::string>& Problems() const { return ProblemTexts; }

private:
    void ReadLine(std::string_view line);
    bool SwitchSection(std::string_view line);
    void ReadInfo(std::string_view key, std::string_view value);
    void ReadFormat(std::string_view line, std::string_view key);
    void ReadScript(std::string_view line, std::size_t pos, std::string_view key);
    void ReadLoad(std::string_view line, std::size_t pos);
    void ReadSelect(std::string_view line, std::size_t pos, bool enabled);
    void ReadSelectInfo(std::string_view value);
    void FinishStyles();
    void FinishTitles();
    void Problem(const std::string& text);

    TLanguage& Language;
    TZipControl* Archive;
    std::string Source;
    int32_t LineNumber = 0;
    // The [Format] and [Styles] lines, read as one SubStation styles section at the end.
    std::string StyleText;
    TScriptControl* CurrentScript = nullptr;
    TSelect* LastSelect = nullptr;
    int32_t Loads = 0;
    int32_t Selections = 0;
    std::vector<std::string> ProblemTexts;
};
