#pragma once
// The player's translation: a language file applied to its forms and string collections in a fixed
// order, the tips list sized by the language file, and the language template that lists every text
// a translator may replace.
#include "subtitles/translator/TTranslator.h"

#include <string>
#include <variant>
#include <vector>

class QWidget;
class TStringCollection;

class TPlayerTranslation {
public:
    // A form or a string collection; a null one (a form the program does not make) is passed over.
    using Target = std::variant<QWidget*, TStringCollection*>;
    // The most tips a language file may ask for: its count is outside input.
    static constexpr int kMaxTips = 1000;

    // False, translating nothing afterwards, when the language file cannot be loaded.
    bool Load(const std::string& path);
    // Translates the targets in their order.
    void Apply(const std::vector<Target>& targets);
    // Empties the tips list and gives it the keys "Tips_1" .. "Tips_n" (n the value of the key
    // "NbOfTips" of the tips' own strings, 0 when missing, at most kMaxTips), each "  " until the
    // language file translates it.
    void FillTips(const TStringCollection& tipsStrings, TStringCollection& tipsList);

    // Writes the template of the forms and collections (null ones passed over) as a UTF-16 file; false
    // when it cannot be written.
    static bool WriteTemplate(const std::string& path, const std::vector<QWidget*>& forms,
                              const std::vector<const TStringCollection*>& collections);

private:
    bool loaded_ = false;
    TTranslator translator_;
};
