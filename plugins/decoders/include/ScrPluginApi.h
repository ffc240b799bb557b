#pragma once
// The exports of a subtitle decoder plug-in (System/scr_*.so), bound by name by the decoder host.
// Every flag result counts as true when it is not 0. Buffers a plug-in hands out (the decoded text
// and a new advanced setting) are allocated by the plug-in and go back through its FreeBuffer.
#include <cstdint>

extern "C" {

// Called once right after the host has bound the plug-in; optional.
using ScrInitFn = int32_t (*)();
// 1 when `type` (length bytes, compared without regard to case) is the start of one of the
// plug-in's names; the extra text is not used.
using ScrIsCompatibleFn = int32_t (*)(const char* type, int32_t length, const char* extra, int32_t extraLength);
// Decodes `size` bytes of `data` into SubStation Alpha v4 text (8-bit, or UTF-16LE with a
// byte-order mark) handed out in *text with its size in bytes. *advanced/*advancedLength carry the
// script's advanced setting in and, when the plug-in replaces it, the plug-in's new one out.
using ScrDecodeFn = int32_t (*)(const void* data, int32_t size, void** text, int32_t* textSize, char** advanced,
                                int32_t* advancedLength);
// Decode with an optional 8-bit filter; a plug-in that has it is the host's catch-all decoder.
using ScrDecodeAdvFn = int32_t (*)(const void* data, int32_t size, const char* filter, void** text,
                                   int32_t* textSize, char** advanced, int32_t* advancedLength);
// Frees the buffers the plug-in handed out; either pointer may be null.
using ScrFreeBufferFn = int32_t (*)(void** text, char** advanced);
// Shows the advanced-settings dialog over `owner`; 1 with a new setting handed out when confirmed.
using ScrShowAdvancedFn = int32_t (*)(uint32_t owner, char** advanced, int32_t* advancedLength);
// Looked up, never called.
using ScrGetAdvInfoFn = int32_t (*)(void* first, void* second);

} // extern "C"

// The export names the host binds.
namespace scr_exports {
inline constexpr const char* kInit = "Init";
inline constexpr const char* kIsCompatible = "IsCompatible";
inline constexpr const char* kDecode = "Decode";
inline constexpr const char* kDecodeAdv = "DecodeAdv";
inline constexpr const char* kFreeBuffer = "FreeBuffer";
inline constexpr const char* kShowAdvanced = "ShowAdvanced";
inline constexpr const char* kGetAdvInfo = "GetAdvInfo";
} // namespace scr_exports
