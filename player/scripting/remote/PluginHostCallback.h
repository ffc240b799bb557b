#pragma once
// The function every plug-in gets to send commands: the context is the plug-in's item, and the call
// goes to its owner's TPlugIns::ExecuteCommand. A null context or text answers 0.
#include <cstdint>

extern "C" int32_t PluginHostCallback(void* context, const char16_t* text, int32_t length, int32_t* consumed,
                                      char16_t* answer, int32_t* answerSize);
