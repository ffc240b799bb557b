#pragma once
// The ASPECTRATIO document ("AspectRatio.xml"): reading it into the aspect settings and writing them.
#include "foundation/TMemoryObject.h"
#include "foundation/TXmlNode.h"
#include "player/model/controllers/TAspectSettings.h"

#include <cstdint>

// The screen size a position block without its own size takes.
struct TScreenSize {
    int32_t Width = 0;
    int32_t Height = 0;
};

// Parses the text and reads its first top-level element into the settings (fields the document does
// not give stay); 0 when there is no text or no element, else ReadAspectRatioNode's answer.
int32_t ParseAspectRatioXml(const char16_t* text, TAspectSettings* settings, TScreenSize screen);
// 0 when the element is not named ASPECTRATIO (without regard to case), else 1.
int32_t ReadAspectRatioNode(TXmlNode* element, TAspectSettings* settings, TScreenSize screen);
// Empties the buffer and writes the settings as 8-bit text, CR LF between lines, followed by two zero
// bytes; false for no buffer or no settings.
bool WriteAspectRatioXml(TMemoryObject* buffer, const TAspectSettings* settings);
