#include "player/model/controllers/TOSDControl.h"

#include "foundation/XmlText.h"
#include "platform/text/CaseFold.h"

#include <cstring>
#include <utility>

namespace {

constexpr std::pair<const char16_t*, const char16_t*> kDefaultTexts[] = {
    {u"Osd_Play", u"Play"},
    {u"Osd_Stop", u"Stop"},
    {u"Osd_Pause", u"Pause"},
    {u"Osd_FileQueue", u"Play queue file no : "},
    {u"Osd_PrevC", u"Previous chapter"},
    {u"Osd_NextC", u"Next chapter"},
    {u"Osd_FF", u"FF Speed :"},
    {u"Osd_FB", u"FB Speed :"},
    {u"Osd_FullScreen", u"Switch : Fullscreen mode"},
    {u"Osd_Window", u"Switch : Window mode"},
    {u"Osd_ProSubOn", u"Profile subtitle ON"},
    {u"Osd_ProSubOff", u"Profile subtitle OFF"},
    {u"Osd_SubOn", u"Subtitles : "},
    {u"Osd_SubOff", u"Subtitles : OFF"},
    {u"Osd_Audio", u"Audio : "},
    {u"Osd_Angle", u"Angle : "},
    {u"Osd_Step", u"Step"},
    {u"Osd_Volume", u"Volume : "},
    {u"Osd_NextChapter", u"Next Chapter"},
    {u"Osd_PrevChapter", u"Previous Chapter"},
    {u"Osd_Mute", u"Mute"},
    {u"Osd_Seek", u"Go to Seek"},
    {u"Osd_DebugInfo", u"Debug Information"},
    {u"Osd_SubOffset", u"Subtitles Offset : "},
};

// Attribute values longer than this read as 0, as missing and empty ones do.
constexpr int kMaxNumberUnits = 49;

int32_t NumberAttribute(TXmlNode& element, const char16_t* name) {
    char16_t value[kMaxNumberUnits + 1];
    return element.GetAttribute(name, value, kMaxNumberUnits) > 0 ? XmlNumber(value) : 0;
}

bool IsNamed(const TXmlNode& element, const char16_t* name) {
    return element.Name != nullptr && plat::text::EqualsNoCase(element.Name.get(), name);
}

} // namespace

TOSDControl::TOSDControl(TPlayerObjects& hub) : TPlayerObjects(&hub) {
    for (const auto& [command, text] : kDefaultTexts) {
        defaults_.Add(command, text, false);
    }
}

bool TOSDControl::LoadScript(const char16_t* path) {
    document_.Clear();
    script_ = nullptr;
    if (path != nullptr && document_.LoadFromFile(path)) {
        for (TXmlNode* element = document_.Head; element != nullptr; element = element->Next) {
            if (IsNamed(*element, u"OSDSCRIPT")) {
                script_ = element;
                return true;
            }
        }
    }
    document_.Clear();
    return false;
}

bool TOSDControl::ShowCommand(const char16_t* name) {
    if (script_ == nullptr || name == nullptr) {
        return false;
    }
    std::u16string text;
    SetVariable(u"Command", defaults_.GetValue(name, text) ? text.c_str() : u"-");
    TXmlNode* command = nullptr;
    if (script_->FindChild(name, command) != 1) {
        return false;
    }
    Begin();
    for (TXmlNode* item = command->Children.Head; item != nullptr; item = item->Next) {
        // A text element without text has nothing to show.
        if (IsNamed(*item, u"Text") && item->Text != nullptr) {
            SendText(item->Text.get(), NumberAttribute(*item, u"Duration"), NumberAttribute(*item, u"Layer"));
        }
    }
    End();
    return true;
}

int32_t TOSDControl::SendText(const char16_t* text, int32_t duration, int32_t layer) {
    TOrderOsdItem record{};
    record.type = kOsdItemText;
    record.duration = duration;
    record.layer = layer;
    record.data = text;
    record.dataBytes =
        static_cast<uint32_t>((std::char_traits<char16_t>::length(text) + 1) * sizeof(char16_t));
    return SendRecord(kOrderOsdItem, record);
}

void TOSDControl::SetVariable(const char16_t* name, const char16_t* value) {
    if (name == nullptr || value == nullptr) {
        return;
    }
    TOrderOsdVariable record{};
    record.name = name;
    record.value = value;
    SendRecord(kOrderOsdVariable, record);
}

bool TOSDControl::SetStyle(const TSubtitleStyleRecord* style, uint32_t defaultDuration, bool enabled) {
    TOrderOsdStyle record{};
    if (style != nullptr) {
        record.flag = 1;
        std::memcpy(record.style, style, sizeof(record.style));
    }
    record.defaultDuration = defaultDuration;
    record.enabled = enabled ? 1 : 0;
    return SendRecord(kOrderOsdStyle, record) == 0;
}
