#include "editor/MainStrings.h"

#include "subtitles/translator/TStringCollection.h"

#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<std::string_view, std::u16string_view>, 19> kDefaults{{
    {"Fil_ZDS", u"Tovrin profile files"},
    {"Fil_All", u"All files"},
    {"Fil_AllScripts", u"All timed scripts formats"},
    {"Fil_OpScripts", u"Select the Timed Scripts"},
    {"Fil_OpProTitle", u"Select the DVD Profile"},
    {"Fil_SvProTitle", u"Save the profile file"},
    {"Fil_SvScripts", u"Save the timed script"},
    {"Conf_DeleteStyle", u"Do you want to delete this Style ?"},
    {"Conf_DeleteVolume", u"Do you want to delete this Volume ?"},
    {"Conf_DeleteLanguage", u"Do you want to delete this Language ?"},
    {"Conf_DeleteScript", u"Do you want to delete this Script ?"},
    {"Conf_DeleteSelect", u"Do you want to delete this Select ?"},
    {"Conf_ProfileNotSaved_1", u"The Profile hasn't been saved, all changes will be lost."},
    {"Conf_ProfileNotSaved_2", u"Are you sure ?"},
    {"Conf_SyncAllStyles_1", u"Do you want to you want to synchronize all the"},
    {"Conf_SyncAllStyles_2", u"volume/language styles ?"},
    {"Def_NoName", u"NoName_"},
    {"Def_NoNameTr", u"Unnamed..."},
    {"Def_Language", u"English"},
}};

} // namespace

void FillMainStrings(TStringCollection& strings) {
    for (const auto& [key, text] : kDefaults) {
        strings.Add(key, text);
    }
}
