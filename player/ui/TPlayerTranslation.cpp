#include "player/ui/TPlayerTranslation.h"

#include "subtitles/translator/TLanguageTemplate.h"
#include "subtitles/translator/TStringCollection.h"

#include <QString>

#include <algorithm>
#include <string>

bool TPlayerTranslation::Load(const std::string& path) {
    loaded_ = translator_.LoadFile(path.c_str());
    return loaded_;
}

void TPlayerTranslation::Apply(const std::vector<Target>& targets) {
    if (!loaded_) {
        return;
    }
    for (const Target& target : targets) {
        if (QWidget* const* form = std::get_if<QWidget*>(&target)) {
            if (*form != nullptr) {
                translator_.TranslateForm(*form);
            }
        } else if (TStringCollection* strings = std::get<TStringCollection*>(target)) {
            translator_.TranslateStrings(strings);
        }
    }
}

void TPlayerTranslation::FillTips(const TStringCollection& tipsStrings, TStringCollection& tipsList) {
    const int count =
        std::clamp(QString::fromStdU16String(tipsStrings.GetText("NbOfTips")).trimmed().toInt(), 0, kMaxTips);
    tipsList.Clear();
    for (int i = 1; i <= count; ++i) {
        tipsList.Add("Tips_" + std::to_string(i), u"  ");
    }
    Apply({&tipsList});
}

bool TPlayerTranslation::WriteTemplate(const std::string& path, const std::vector<QWidget*>& forms,
                                       const std::vector<const TStringCollection*>& collections) {
    TLanguageTemplate languageTemplate;
    for (QWidget* form : forms) {
        if (form != nullptr) {
            languageTemplate.AddForm(form);
        }
    }
    for (const TStringCollection* strings : collections) {
        if (strings != nullptr) {
            languageTemplate.AddStrings(*strings);
        }
    }
    return languageTemplate.SaveToFile(path.c_str());
}
