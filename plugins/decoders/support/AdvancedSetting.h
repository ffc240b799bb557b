#pragma once
// The numeric advanced settings of the decoder plug-ins (a frame rate, a vertical resolution): how a
// stored setting is read, how the dialog's value is checked, and how a new setting is written.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace scr {

struct TAdvancedRange {
    double Low;         // values must be greater than this
    double High;        // and less than this
    double Default;     // used when no setting is given
    const char* Format; // printf form of a new setting
};

// Frame rate of frame-based times.
inline constexpr TAdvancedRange kFrameRateSetting{10.0, 40.0, 29.97, "%2.4f"};
// Vertical resolution of JACOsub positions.
inline constexpr TAdvancedRange kResolutionSetting{100.0, 2048.0, 450.0, "%4.2f"};

// What a plug-in's settings dialog asks: the label beside its field, and the range a number typed
// there must lie in (none for a free text, such as a SAMI class, which is taken as typed).
struct TAdvancedPrompt {
    const char* Label;
    const TAdvancedRange* Range;
};

inline constexpr TAdvancedPrompt kFrameRatePrompt{"Frames per seconds", &kFrameRateSetting};
inline constexpr TAdvancedPrompt kResolutionPrompt{"Amiga Y Resolution", &kResolutionSetting};
inline constexpr TAdvancedPrompt kSamiClassPrompt{"SAMI Class", nullptr};

// Longest text the settings dialog reads from its field.
inline constexpr std::size_t kMaxDialogText = 254;
// Size of the buffer a numeric setting is written into.
inline constexpr std::size_t kSettingBufferBytes = 25;

// The stored setting (at most `length` bytes, stopping at a zero byte) read as a number; the
// default when there is none, or when it is no finite number within (0, 1000 * High): a zero or
// absurd frame rate would make every frame-based time meaningless.
double SettingValue(const char* setting, int32_t length, const TAdvancedRange& range);

// The dialog's text read as a number (single precision, as the dialog holds it); nothing when it
// is not a number strictly between Low and High.
std::optional<float> CheckDialogValue(std::string_view text, const TAdvancedRange& range);

// The message shown for a refused value, e.g. "Value must be > 10.00 and < 40.00".
std::string RangeMessage(const TAdvancedRange& range);
inline constexpr const char* kInvalidValueTitle = "Invalid value.";

// A value in the range's form, cut to the setting buffer.
std::string FormatSetting(double value, const TAdvancedRange& range);

} // namespace scr
