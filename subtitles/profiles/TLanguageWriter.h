#pragma once
// Writes a language as its language profile: 8-bit text, lines ended by CR LF, the header comment,
// [Infos], [Format], [Script] with one "load:" line per script followed by that script's
// selections, and [Styles]. Times keep their sign; "load:" fields are escaped (DsFieldEscape).
#include <string>
#include <string_view>

class TLanguage;
struct TSelect;
struct TSubtitleStyleRecord;

class TLanguageWriter {
public:
    TLanguageWriter(TLanguage& language, bool fileNamesOnly, std::u16string_view folder);

    std::string Build();

private:
    void WriteHeader(std::string& out) const;
    void WriteScripts(std::string& out);
    void WriteSelect(std::string& out, const TSelect& select) const;
    void WriteStyle(std::string& out, const TSubtitleStyleRecord& style) const;

    TLanguage& Language;
    bool FileNamesOnly;
    std::u16string Folder;
};
