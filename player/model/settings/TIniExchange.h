#pragma once
// One pass over the keys of a settings file, in either direction: reading takes each key's value (or
// its default when the key is missing or malformed) into a field, writing puts the field's value into
// the file. Listing the keys once for both directions keeps the read and write orders the same.
#include "foundation/IniFile.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class TIniExchange {
public:
    enum class Direction { Read, Write };

    TIniExchange(IniFile& ini, Direction direction) : ini_(ini), direction_(direction) {}

    bool Reading() const { return direction_ == Direction::Read; }
    // False once a write was refused (a value that cannot stand in an ini line).
    bool Ok() const { return ok_; }

    // Flags are written as 0 or 1 and read as set when the number is not zero.
    void Flag(std::string_view section, std::string_view key, bool& value, bool fallback);
    // A style field used as a flag: 0 or 1.
    void Flag(std::string_view section, std::string_view key, std::int32_t& value, bool fallback);
    void Number(std::string_view section, std::string_view key, std::int32_t& value, std::int32_t fallback);
    // Only the low 8 bits of the number are kept.
    void Byte(std::string_view section, std::string_view key, std::uint8_t& value, std::uint8_t fallback);
    void Byte(std::string_view section, std::string_view key, std::int32_t& value, std::uint8_t fallback);
    // 8-bit (UTF-8) text cut at a character boundary to at most `maxBytes`.
    void Text(std::string_view section, std::string_view key, std::string& value, std::string_view fallback,
              std::size_t maxBytes);
    // UTF-16 text cut at a character boundary to at most `maxUnits` units; stored as 8-bit text.
    void WideText(std::string_view section, std::string_view key, std::u16string& value,
                  std::u16string_view fallback, std::size_t maxUnits);
    // UTF-16 text in a fixed field of `units` units (terminator included), cut at a character
    // boundary to at most `maxUnits` units; stored as 8-bit text in the file.
    void WideField(std::string_view section, std::string_view key, char16_t* field, std::size_t units,
                   std::size_t maxUnits, std::u16string_view fallback);
    // A colour 0x00BBGGRR as three keys `prefix` + "R", "G" and "B" of 0 to 255 each.
    void Colour(std::string_view section, std::string_view prefix, std::uint32_t& colour,
                std::uint32_t fallback);

    // Writes a number; Ok() turns false when the write is refused.
    void Put(std::string_view section, std::string_view key, std::int32_t value);
    void Put(std::string_view section, std::string_view key, std::string_view value);

    const IniFile& Ini() const { return ini_; }

private:
    IniFile& ini_;
    Direction direction_;
    bool ok_ = true;
};
