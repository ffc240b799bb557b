#pragma once
// The interface between the player and a remote-control plug-in (Plug-ins/plug*.so).
//
// A plug-in is a shared library that exports the functions below with C linkage. The player binds
// them by name on its plug-in worker thread: tovplug_Start and tovplug_Stop are required (a library
// without either is not loaded), tovplug_SetCallback and tovplug_ShowProperties are optional. Every
// flag result counts as true when it is not 0.
//
// Command texts and answers are UTF-16 (char16_t). Windows are 32-bit window ids of the player's
// windowing layer (platform/win): a plug-in that wants player events creates a window there, pumps
// its thread's queue, and hands the window's id back through tovplug_SetCallback.
#include <cstdint>

#if defined(__GNUC__)
#define TOVPLUG_EXPORT extern "C" __attribute__((visibility("default")))
#else
#define TOVPLUG_EXPORT extern "C"
#endif

extern "C" {

// The player's command entry, handed to the plug-in by tovplug_SetCallback.
//   context     the context the plug-in was given (pass it back unchanged)
//   text        a command text of the player's script language, `length` UTF-16 units
//   consumed    receives how many units of the text the script consumed; may be null
//   answer      receives the script's output as UTF-16 text, always NUL-terminated inside the
//               buffer when the buffer holds at least one unit; may be null
//   answerSize  in: the answer buffer's size in bytes; out: the bytes written, terminator included;
//               may be null
// Answers the script's result code. Callable from any thread of the plug-in; it blocks until the
// player's main thread has run the command. Answers 0 at once when the player is quitting or the
// context or text is null.
using TovPluginHostCallback = int32_t (*)(void* context, const char16_t* text, int32_t length,
                                          int32_t* consumed, char16_t* answer, int32_t* answerSize);

// Starts the plug-in; the player passes 0 and does not look at the result.
using TovPlugStartFn = int32_t (*)(int32_t argument);
// Stops the plug-in and releases its threads and ports; non-zero when it stopped. Must return even
// while a thread of the plug-in is blocked in the host callback (the player answers it with 0 once
// it quits).
using TovPlugStopFn = int32_t (*)();
// Hands the plug-in the player's callback and its context. The plug-in may write the window that is
// to receive player events and the group mask (TOVPLUG_GROUP_*) that selects them; the player clears
// both before the call. Called once after tovplug_Start, and with four nulls before tovplug_Stop.
using TovPlugSetCallbackFn = int32_t (*)(void* context, TovPluginHostCallback callback, uint32_t* window,
                                         uint32_t* groupMask);
// Shows the plug-in's settings dialog, modal, on the calling (main) thread; non-zero when the user
// confirmed it. The player may call it while the plug-in runs, or with the library loaded for this
// call only. `reserved` is 0.
using TovPlugShowPropertiesFn = int32_t (*)(uint32_t parentWindow, int32_t reserved);

} // extern "C"

// The export names the player binds, and the product-name symbol: a NUL-terminated UTF-8 text the
// player shows as the plug-in's description, read from the file without running the plug-in, e.g.
//   TOVPLUG_EXPORT const char tovplug_ProductName[] = "My remote";
namespace tovplug_exports {
inline constexpr const char* kStart = "tovplug_Start";
inline constexpr const char* kStop = "tovplug_Stop";
inline constexpr const char* kSetCallback = "tovplug_SetCallback";
inline constexpr const char* kShowProperties = "tovplug_ShowProperties";
inline constexpr const char* kProductName = "tovplug_ProductName";
} // namespace tovplug_exports

// Player events reach a plug-in's window as these messages, by the group bits it asked for.
//   2025 (group 1)  position and duration (events 1, 3): wParam the event, lParam its first value
//   2026 (group 1)  a disc or file opened (event 2): wParam and lParam the disc id's high and low words
//   2027 (group 2)  play state, end of media, graph and per-disc data (events 6, 33-38): wParam the
//                   event, lParam its first value
//   2028 (group 4)  registers, title and chapter, streams, angle, user operations (events 4, 5, 7, 8,
//                   9, 16): wParam the event; lParam b*65536 + (a & 0xFFFF) for 4, 5 and 8, else a
//   2029 (group 8)  profile volume, language and display (events 17, 18, 39): wParam and lParam the
//                   event's first and second values
inline constexpr uint32_t TOVPLUG_MSG_POSITION = 2025;
inline constexpr uint32_t TOVPLUG_MSG_DISC = 2026;
inline constexpr uint32_t TOVPLUG_MSG_STATE = 2027;
inline constexpr uint32_t TOVPLUG_MSG_NAVIGATION = 2028;
inline constexpr uint32_t TOVPLUG_MSG_PROFILE = 2029;

inline constexpr uint32_t TOVPLUG_GROUP_POSITION = 1;
inline constexpr uint32_t TOVPLUG_GROUP_STATE = 2;
inline constexpr uint32_t TOVPLUG_GROUP_NAVIGATION = 4;
inline constexpr uint32_t TOVPLUG_GROUP_PROFILE = 8;
