#pragma once
// The 16-bit opcodes an override block compiles into. Each is followed by its operand: a 16-bit signed
// number, a colour (8-bit index then 32-bit value) or a face name (100 bytes, UTF-16, terminated);
// the list ends with kOpEnd. Opcodes 13 and 22 are never produced and are read as operand-less.
#include <cstddef>
#include <cstdint>

enum TOverrideOpcode : std::uint16_t {
    kOpRestoreStyle = 0, // \r
    kOpBoldOn = 1,       // \b with a non-zero number
    kOpBoldOff = 2,      // \b0
    kOpOutline = 3,      // \bord, 16-bit
    kOpBlurEdgesOn = 4,  // \be1, kept and written back only
    kOpBlurEdgesOff = 5, // \be0
    kOpItalicOn = 6,
    kOpItalicOff = 7,
    kOpUnderlineOn = 8,
    kOpUnderlineOff = 9,
    kOpStrikeOn = 10,
    kOpStrikeOff = 11,
    kOpShadow = 12,   // \shad, 16-bit
    kOpColour = 14,   // \c, \1c to \4c: index 0 for \c, else the digit; value as read
    kOpAlpha = 15,    // \1a to \4a
    kOpFontName = 16, // \fn, 100 bytes
    kOpScaleX = 17,   // \fscx, kept and written back only
    kOpScaleY = 18,   // \fscy
    kOpSpacing = 19,  // \fsp
    kOpFontSize = 20, // \fs, points
    kOpCharset = 21,  // \fe, low byte used
    kOpEnd = 23,
};

// Operand sizes in bytes.
inline constexpr std::size_t kOpNumberBytes = 2;
inline constexpr std::size_t kOpColourBytes = 5;
inline constexpr std::size_t kOpFontNameBytes = 100;
// Face name characters an \fn tag may carry (the operand keeps a terminator).
inline constexpr std::size_t kOpFontNameMaxChars = 49;
