#pragma once
// The body of a decoder plug-in's ShowAdvanced export: runs the settings dialog modally on the
// thread of the application's widgets and, when the user confirms it, hands out the new setting.
#include "plugins/decoders/support/AdvancedSetting.h"

#include <cstdint>
#include <string>

namespace scr {

// `shown` is the text the field starts with. On OK a new buffer holding the setting (from the
// plug-in's allocator, freed through its FreeBuffer) replaces *advanced and its length *advancedLength;
// answers 1. Answers 0, handing out nothing, on Cancel, when either pointer is missing, or when the
// process runs no QApplication (a library never makes one of its own). The dialog stands over the
// application's active window: the owner's handle belongs to the host's window table, not ours.
int32_t ShowAdvancedDialog(const TAdvancedPrompt& prompt, const std::string& shown, char** advanced,
                           int32_t* advancedLength);

} // namespace scr
