#pragma once
// The part of Decode that the 8-bit decoder plug-ins share: writing the decoded events and styles as
// a SubStation Alpha v4 script and handing it and the new advanced setting out.
#include "plugins/decoders/support/ScrRecords.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace markup {

// Writes the script into *text and *textSize and, when `setting` holds one and `advanced` is given,
// the new setting into *advanced (and its length into *advancedLength when given); with no setting
// *advanced becomes null and its length 0. Answers 0, handing out nothing, when text or textSize is
// missing or memory runs out; else 1.
int32_t HandOutScript(const std::vector<TMarkupStyle>& styles, const std::vector<TMarkupEvent>& events,
                      const std::optional<std::string>& setting, void** text, int32_t* textSize,
                      char** advanced, int32_t* advancedLength);

// The advanced setting handed in: its bytes up to `length` or a zero byte; empty when none is given.
std::string SettingText(char* const* advanced, const int32_t* advancedLength);

} // namespace markup
