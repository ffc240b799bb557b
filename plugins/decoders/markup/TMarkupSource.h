#pragma once
// The bytes a markup decoder walks. Text with a UTF-16 byte-order mark is turned into UTF-8 and a
// UTF-8 byte-order mark is passed over, so the decoders see 8-bit text; everything else is kept in
// the file's own code page. Whether the text is UTF-8 decides how entities are written into it.
#include <string>
#include <string_view>

class TMarkupSource {
public:
    explicit TMarkupSource(std::string_view data);

    std::string_view Bytes() const { return FBytes; }
    // True when the bytes are valid UTF-8 (plain ASCII included).
    bool IsUtf8() const { return FUtf8; }

private:
    std::string FConverted;
    std::string_view FBytes;
    bool FUtf8 = true;
};
