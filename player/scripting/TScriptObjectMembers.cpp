#include "player/scripting/TScriptObjectMembers.h"

#include "platform/text/CodePage.h"
#include "player/model/controllers/TFiltersEntry.h"
#include "player/model/hub/TPlayControl.h"
#include "player/scripting/ScriptResult.h"
#include "player/scripting/TScriptServices.h"

namespace result = script_result;
using TKind = TScriptCall::TKind;

int32_t TScriptObjectMembers::YieldMember(TScriptCall& call, TScriptValue value) {
    const int32_t read = call.NoArguments();
    if (read == result::kOk) {
        call.Value = std::move(value);
    }
    return read;
}

std::u16string TScriptObjectMembers::PinList(const TFiltersEntry& filter) {
    std::u16string list;
    for (const TPinEntry& pin : filter.Pins) {
        list += (pin.Input ? u"[IN] " : u"[OUT] ") + pin.Name;
        if (pin.ConnectedPin) {
            list += u"->(" + *pin.ConnectedPin + u") ";
            if (pin.ConnectedFilter != nullptr && pin.ConnectedFilter->Name) {
                list += *pin.ConnectedFilter->Name;
            }
        }
        list += u"\r\n";
    }
    return list;
}

int32_t TScriptObjectMembers::Filter(TScriptCall& call, const TFiltersEntry* filter) {
    if (filter == nullptr) {
        return result::kWrongType;
    }
    if (call.Member(u".name")) {
        return YieldMember(call, TScriptValue::OfText(filter->Name.value_or(u"")));
    }
    if (call.Member(u".clsid")) {
        return YieldMember(call, TScriptValue::OfText(filter->Clsid.value_or(u"")));
    }
    if (call.Member(u".showproperties")) {
        const int32_t read = call.NoArguments();
        IFiltersInfo* filters =
            call.Services().Hub != nullptr ? call.Services().Hub->Controllers().Filters.get() : nullptr;
        if (read == result::kOk && filters != nullptr) {
            const IScriptMainWindow* main = call.Services().MainWindow;
            filters->ShowFilterProperties(main != nullptr ? main->Handle() : 0, filter->Index);
        }
        return read;
    }
    if (call.Member(u".pins.count")) {
        return YieldMember(call, TScriptValue::OfInt(static_cast<int32_t>(filter->Pins.size())));
    }
    if (call.Member(u".pins.list")) {
        return YieldMember(call, TScriptValue::OfText(PinList(*filter)));
    }
    return result::kSyntax;
}

int32_t TScriptObjectMembers::Item(TScriptCall& call, const TScriptPlaylistItem& item) {
    const int32_t position = item.Number - 1;
    if (call.AtWordEnd() || call.Member(u".filename")) {
        return YieldMember(call, TScriptValue::OfText(item.Path));
    }
    if (call.Member(u".pos")) {
        return YieldMember(call, TScriptValue::OfInt(position));
    }
    if (call.Member(u".play")) {
        const int32_t read = call.NoArguments();
        if (read == result::kOk && call.Services().MainWindow != nullptr) {
            call.Services().MainWindow->PlayQueueItem(position);
        }
        return read;
    }
    if (call.Member(u".delete")) {
        const int32_t read = call.NoArguments();
        if (read == result::kOk && call.Services().PlaylistWindow != nullptr) {
            call.Services().PlaylistWindow->DeleteItem(position);
        }
        return read;
    }
    if (call.Member(u".shortfn")) {
        return YieldMember(call, TScriptValue::OfText(item.DisplayName));
    }
    if (call.Member(u".friendly")) {
        return YieldMember(call, TScriptValue::OfText(item.MediaName));
    }
    if (call.Member(u".profile")) {
        return YieldMember(call, TScriptValue::OfText(item.ProfileFile));
    }
    if (call.Member(u".title")) {
        return YieldMember(call, TScriptValue::OfInt(item.ProfileTitle));
    }
    if (call.Member(u".duration")) {
        return YieldMember(call, TScriptValue::OfInt(item.Duration));
    }
    return result::kSyntax;
}

int32_t TScriptObjectMembers::Volume(TScriptCall& call, const TScriptVolume& volume) {
    if (call.AtWordEnd() || call.Member(u".name")) {
        return YieldMember(call, TScriptValue::OfText(plat::text::AnsiToWide(volume.Name)));
    }
    if (call.Member(u".pos")) {
        return YieldMember(call, TScriptValue::OfInt(volume.Number - 1));
    }
    if (call.Member(u".createdby")) {
        return YieldMember(call, TScriptValue::OfText(plat::text::AnsiToWide(volume.CreatedBy)));
    }
    if (call.Member(u".languages.count")) {
        return YieldMember(call, TScriptValue::OfInt(volume.LanguageCount));
    }
    if (call.ObjectMember(u".languages")) {
        TScriptValues values;
        if (const int32_t read = call.Arguments({TKind::kInt}, values); read != result::kOk) {
            return read;
        }
        IScriptMainWindow* main = call.Services().MainWindow;
        const IScriptProfile* profile = main != nullptr ? main->Profile() : nullptr;
        const std::optional<TScriptLanguage> language =
            profile != nullptr && values[0].Int >= 0
                ? profile->VolumeLanguage(volume.Number - 1, values[0].Int)
                : std::nullopt;
        return language ? Language(call, *language) : result::kSyntax;
    }
    return result::kSyntax;
}

int32_t TScriptObjectMembers::Language(TScriptCall& call, const TScriptLanguage& language) {
    if (call.AtWordEnd() || call.Member(u".name")) {
        return YieldMember(call, TScriptValue::OfText(language.Name));
    }
    if (call.Member(u".pos")) {
        return YieldMember(call, TScriptValue::OfInt(language.Number - 1));
    }
    if (call.Member(u".createdby")) {
        return YieldMember(call, TScriptValue::OfText(plat::text::AnsiToWide(language.CreatedBy)));
    }
    return result::kSyntax;
}
