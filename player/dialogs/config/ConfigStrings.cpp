#include "player/dialogs/config/ConfigStrings.h"

#include "subtitles/translator/TStringCollection.h"

void FillConfigStrings(TStringCollection& strings) {
    static constexpr struct {
        const char* key;
        const char16_t* text;
    } kDefaults[] = {
        {"Node_General", u"General"},
        {"Node_Interface", u"Interface"},
        {"Node_FileType", u"File Type"},
        {"Node_Directory", u"Directories"},
        {"Node_Skin", u"Skins"},
        {"Node_OSD", u"OSD / Hints / Tips"},
        {"Node_Info", u"Information"},
        {"Node_Commands", u"Commands"},
        {"Node_Shortcuts", u"Keyboard shortcuts"},
        {"Node_Gesture", u"Mouse Gesture"},
        {"Node_Remote", u"Remote control"},
        {"Node_Directshow", u"Directshow Config"},
        {"Node_DVDGraph", u"DVD Graph"},
        {"Node_MediaGraph", u"Media Graph"},
        {"Node_FiltersConfig", u"Filters Configuration"},
        {"Node_GraphLog", u"Graph Log"},
        {"Node_Subtitles", u"Subtitles"},
        {"Node_Properties", u"Properties"},
        {"Node_DirectX9", u"DirectX 9"},
        {"Node_System", u"System"},
        {"Node_Plugins", u"Plug-ins"},
        {"Rem_Assigned", u"Assigned"},
        {"Rem_Empty", u"--"},
    };
    strings.Clear();
    strings.Name = "Config";
    for (const auto& entry : kDefaults) {
        strings.Add(entry.key, entry.text);
    }
}
