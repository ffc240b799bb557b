#include "player/model/controllers/AspectRatioXml.h"

#include "foundation/TXml.h"
#include "foundation/XmlText.h"
#include "platform/text/CaseFold.h"

#include <array>
#include <string_view>

namespace {

constexpr std::array<std::u16string_view, 5> kModeNames{u"LetterBox", u"Stretched", u"Crop", u"No Scale",
                                                        u"Custom"};
constexpr std::array<const char*, 5> kModeNamesA{"LetterBox", "Stretched", "Crop", "No Scale", "Custom"};

TXmlNode* Child(TXmlNode* parent, const char16_t* name) {
    TXmlNode* child = nullptr;
    return parent->FindChild(name, child) == 1 ? child : nullptr;
}

// The number of a child element, or the fallback when the element is missing.
int32_t ChildNumber(TXmlNode* parent, const char16_t* name, int32_t fallback) {
    const TXmlNode* child = Child(parent, name);
    return child != nullptr ? XmlNumber(child->Text.get()) : fallback;
}

void ReadChildNumber(TXmlNode* parent, const char16_t* name, int32_t& field) {
    field = ChildNumber(parent, name, field);
}

// A block with child elements: its InUse attribute counts unless it begins with "0".
TXmlNode* Block(TXmlNode* element, const char16_t* name, int32_t* inUse) {
    TXmlNode* block = Child(element, name);
    if (block == nullptr || block->Children.Count == 0) {
        return nullptr;
    }
    if (inUse != nullptr) {
        *inUse = 1;
        if (block->GetAttribute(u"InUse", nullptr, 0) > 0) {
            const char16_t* value = block->Attributes.Current->Value.get(); // the lookup leaves it there
            *inUse = value[0] == u'0' ? 0 : 1;
        }
    }
    return block;
}

void ReadMode(TXmlNode* element, int32_t& mode) {
    const TXmlNode* node = Child(element, u"Mode");
    if (node == nullptr || node->Text == nullptr) {
        return;
    }
    mode = 0;
    for (size_t i = 0; i < kModeNames.size(); ++i) {
        if (plat::text::EqualsNoCase(node->Text.get(), kModeNames[i])) {
            mode = static_cast<int32_t>(i);
        }
    }
}

} // namespace

int32_t ParseAspectRatioXml(const char16_t* text, TAspectSettings* settings, TScreenSize screen) {
    TXml document;
    if (text == nullptr || !document.Parse(text) || document.Head == nullptr) {
        return 0;
    }
    return ReadAspectRatioNode(document.Head, settings, screen);
}

int32_t ReadAspectRatioNode(TXmlNode* element, TAspectSettings* settings, TScreenSize screen) {
    if (element == nullptr || settings == nullptr || element->Name == nullptr ||
        !plat::text::EqualsNoCase(element->Name.get(), u"ASPECTRATIO")) {
        return 0;
    }
    TAspectSettings& s = *settings;
    ReadMode(element, s.Mode);
    if (TXmlNode* custom = Block(element, u"CustomRes", nullptr)) {
        ReadChildNumber(custom, u"Width", s.CustomWidth);
        ReadChildNumber(custom, u"Height", s.CustomHeight);
    }
    if (TXmlNode* change = Block(element, u"ResolutionSwitch", &s.SwitchInUse)) {
        s.SwitchWidth = ChildNumber(change, u"Width", 0);
        s.SwitchHeight = ChildNumber(change, u"Height", 0);
        s.SwitchBits = ChildNumber(change, u"Bits", 16);
        s.SwitchFrequency = ChildNumber(change, u"Frequency", 60);
    }
    if (TXmlNode* place = Block(element, u"PosAndSize", &s.PosInUse)) {
        s.Left = ChildNumber(place, u"Left", 0);
        s.Top = ChildNumber(place, u"Top", 0);
        s.Width = ChildNumber(place, u"Width", screen.Width);
        s.Height = ChildNumber(place, u"Height", screen.Height);
    }
    if (TXmlNode* bars = Block(element, u"Blanking", &s.BlankingInUse)) {
        s.BlankingLeft = ChildNumber(bars, u"Left", 0);
        s.BlankingTop = ChildNumber(bars, u"Top", 0);
        s.BlankingRight = ChildNumber(bars, u"Right", 0);
        s.BlankingBottom = ChildNumber(bars, u"Bottom", 0);
        s.BlankingColor = ChildNumber(bars, u"Color", 0);
    }
    return 1;
}

bool WriteAspectRatioXml(TMemoryObject* buffer, const TAspectSettings* settings) {
    if (buffer == nullptr || settings == nullptr) {
        return false;
    }
    const TAspectSettings& s = *settings;
    const char* mode =
        s.Mode >= 0 && s.Mode < static_cast<int32_t>(kModeNamesA.size()) ? kModeNamesA[s.Mode] : "";
    const auto flag = [](int32_t value) { return value != 0 ? 1 : 0; };
    TMemoryObject& out = *buffer;
    out.SetUsed(0);
    out.AppendFormatA("<ASPECTRATIO>\r\n  <Mode>%s</Mode>\r\n\r\n", mode);
    out.AppendFormatA(
        "  <CustomRes>\r\n    <Width>%d</Width>\r\n    <Height>%d</Height>\r\n  </CustomRes>\r\n\r\n",
        s.CustomWidth, s.CustomHeight);
    out.AppendFormatA(
        "  <ResolutionSwitch InUse=\"%d\">\r\n    <Width>%d</Width>\r\n    <Height>%d</Height>\r\n"
        "    <Bits>%d</Bits>\r\n    <Frequency>%d</Frequency>\r\n  </ResolutionSwitch>\r\n\r\n",
        flag(s.SwitchInUse), s.SwitchWidth, s.SwitchHeight, s.SwitchBits, s.SwitchFrequency);
    out.AppendFormatA("  <PosAndSize InUse=\"%d\">\r\n    <Left>%d</Left>\r\n    <Top>%d</Top>\r\n"
                      "    <Width>%d</Width>\r\n    <Height>%d</Height>\r\n  </PosAndSize>\r\n\r\n",
                      flag(s.PosInUse), s.Left, s.Top, s.Width, s.Height);
    out.AppendFormatA("  <Blanking InUse=\"%d\">\r\n    <Left>%d</Left>\r\n    <Top>%d</Top>\r\n"
                      "    <Right>%d</Right>\r\n    <Bottom>%d</Bottom>\r\n    <Color>%d</Color>\r\n"
                      "  </Blanking>\r\n\r\n</ASPECTRATIO>",
                      flag(s.BlankingInUse), s.BlankingLeft, s.BlankingTop, s.BlankingRight, s.BlankingBottom,
                      s.BlankingColor);
    out.AppendData(nullptr, 2);
    return true;
}
