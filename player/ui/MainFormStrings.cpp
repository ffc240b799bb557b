#include "player/ui/MainFormStrings.h"

#include "subtitles/translator/TStringCollection.h"

void FillMainFormStrings(TStringCollection& strings) {
    static constexpr struct {
        const char* key;
        const char16_t* text;
    } kDefaults[] = {
        {"Osd_Play", u"Play"},
        {"Osd_Stop", u"Stop"},
        {"Osd_Pause", u"Pause"},
        {"Osd_FileQueue", u"Play queue file no : "},
        {"Osd_PrevC", u"Previous chapter"},
        {"Osd_NextC", u"Next chapter"},
        {"Osd_FF", u"FF Speed"},
        {"Osd_FB", u"FB Speed"},
        {"Osd_FullScreen", u"Switch Fullscreen"},
        {"Osd_ProSubOn", u"Profile subtitle ON"},
        {"Osd_ProSubOff", u"Profile subtitle OFF"},
        {"Osd_SubOn", u"Subtitles : "},
        {"Osd_SubOff", u"Subtitles : OFF"},
        {"Osd_Audio", u"Audio : "},
        {"Osd_Angle", u"Angle : "},
        {"Osd_Step", u"Step"},
        {"Osd_Volume", u"Volume"},
        {"Osd_Mute", u"Mute"},
        {"Osd_Seek", u"Go to Seek"},
        {"Gen_NewVersion1", u"A new version of Tovrin is available,"},
        {"Gen_NewVersion2", u"do you want to download it ?"},
        {"Gen_NewVersionAct", u"Actual :"},
        {"Gen_NewVersionNew", u"New : "},
        {"Gen_NewVersionError", u"Check for new version failed!\n\nUnable to contact Tovrin website."},
        {"Gen_NewVersionNone", u"No new version available at this time."},
    };
    strings.Name = "DVDMain";
    for (const auto& entry : kDefaults) {
        strings.Add(entry.key, entry.text);
    }
}
