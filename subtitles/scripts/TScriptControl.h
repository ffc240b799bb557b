#pragma once
// One timed subtitle script of the SubStation Alpha family in memory: its script-info texts, its
// style records and its text events. Reads SubStation Alpha v4 ("[V4 Styles]") and Advanced
// SubStation v4+ ("[V4+ Styles]") text from a file, an archive entry or memory, routes other
// subtitle files through the decoder host, and writes itself back as 8-bit or UTF-16 text.
// Style templates (".ST") are ordinary scripts read and written by the same operations.
#include "foundation/TPointer.h"
#include "platform/win/Types.h"
#include "subtitles/model/TSubEvents.h"
#include "subtitles/scripts/TNewFormat.h"
#include "subtitles/scripts/TScriptFields.h"
#include "subtitles/scripts/TStyles.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

class TMemoryObject;
class TScriptDecoderHost;
class TScriptTextEvent;
class TTextEvent;
class TZipControl;

class TScriptControl : public TScriptFields {
public:
    // Code page argument asking for detection.
    static constexpr int32_t kDetectCodePage = -1;
    // The advanced string of a decoder plug-in keeps at most this many characters.
    static constexpr std::size_t kMaxAdvanced = 99;
    // The longest key of a key token.
    static constexpr std::size_t kMaxKey = 300;
    // Scripts are read whole into memory; larger data is refused, and so is a script with more
    // styles or events than any real one has (a line of a few bytes makes an event of hundreds, so
    // these bound the memory a hostile file can take). Format columns beyond kMaxColumns are ignored.
    static constexpr std::size_t kMaxScriptBytes = 256u << 20;
    static constexpr int32_t kMaxStyles = 10000;
    static constexpr int32_t kMaxEvents = 1000000;
    static constexpr int32_t kMaxColumns = 256;

    // For a merged event copy (an event that is no TTextEvent), the event it was copied from: the
    // writers take the times from the copy and everything else from that event.
    using TEventSource = std::function<const TTextEvent*(const TSubEvents&)>;

    // Empty lists, type "SSA4"; names the global default style "Default".
    TScriptControl();
    ~TScriptControl();
    TScriptControl(const TScriptControl&) = delete;
    TScriptControl& operator=(const TScriptControl&) = delete;

    // Loads the script from the archive entry named `path` when an open archive is given, else from
    // the file at `path`. Non-native files (by extension) go through the decoder host unless
    // `forceNative`. On failure the script keeps what it held and LoadError tells why.
    bool Load(TZipControl* archive, std::u16string_view path, int32_t codePage, bool forceNative);
    bool LoadFile(std::u16string_view path, int32_t codePage);
    // Parses native SubStation data directly; decodes other data with the decoder host first.
    bool DecodeAndParse(std::string_view data, int32_t codePage, std::u16string_view selector);
    // Parses SubStation text held in memory: UTF-16 after an FF FE or FE FF mark, UTF-8 after an
    // EF BB BF mark, else 8-bit text in `codePage` (kDetectCodePage detects it; 0 is the ANSI page,
    // UTF-8, with detection when the bytes are not UTF-8). False, with the script unchanged, for
    // empty data, data above kMaxScriptBytes, an unknown code page, too many styles or events, or
    // text with no section a SubStation script has.
    // `requireEvents` refuses a script without events (a decoder's output that holds nothing).
    bool Parse(std::string_view data, int32_t codePage, bool requireEvents = false);

    // Shows the advanced-settings dialog of the decoder plug-in for this script's kind of file (the
    // extension of its file name) over `parent`, starting from *advanced (*advancedLength bytes),
    // usually the script's own setting. A confirmed dialog replaces *advanced and *advancedLength with
    // the plug-in's new setting, which the caller stores and hands back with FreeAdvanced. Answers the
    // plug-in's result; 0 at once for a native script, and 0 without a plug-in for the file.
    int32_t ShowAdvanced(plat::win::HWND parent, char** advanced, int32_t* advancedLength) const;
    // Hands a setting that ShowAdvanced gave out back to the plug-in that allocated it.
    int32_t FreeAdvanced(char** advanced) const;

    // The first style whose name matches without regard to case, or nullptr.
    TSubtitleStyleRecord* FindStyle(std::u16string_view name);

    // Writes the script-info fields, the given styles and the given events (the script's own when
    // none) as SubStation text into `out`, which is emptied first: UTF-16 when the script was read as
    // Unicode (WriteUnicode), else 8-bit text in the script's code page. Returns 1.
    int Write(const TPointer<TStyles>& styles, TMemoryObject& out,
              const TPointer<TSubEvents>* events = nullptr, const TEventSource& sourceOf = {}) const;
    // The same as UTF-16LE text after the mark FF FE.
    int WriteUnicode(const TPointer<TStyles>& styles, TMemoryObject& out,
                     const TPointer<TSubEvents>* events = nullptr, const TEventSource& sourceOf = {}) const;
    // Writes the script into a fresh buffer and saves it in place of the file (through a temporary
    // file in the same folder). False when the file could not be written.
    static bool SaveToFile(const TScriptControl& script, std::u16string_view path,
                           const TPointer<TStyles>& styles, const TPointer<TSubEvents>* events = nullptr,
                           const TEventSource& sourceOf = {});

    // Line pieces shared with the writers and the profile readers (UTF-16 twins of the 8-bit helpers).
    // The key runs up to ':' (at most kMaxKey characters); then one ':' and one following blank are
    // skipped, so that the value is the rest of the line (empty for "Title: ").
    static bool ReadKeyToken(std::u16string_view line, std::size_t& pos, std::u16string_view& key);
    // False at the end of the line; else the text up to ',' (the whole field, however long), one
    // ',' skipped and, with `skipBlank`, one following blank that is not the line's last character.
    static bool ReadFieldToken(std::u16string_view line, std::size_t& pos, std::u16string_view& field,
                               bool skipBlank);
    // The C library's atoi (leading blanks and tabs, a sign, digits), saturating at the 32-bit limits.
    static int32_t ParseDecimal(std::u16string_view text);
    // Steps over blanks and tabs.
    static void SkipBlanks(std::u16string_view line, std::size_t& pos);
    static int32_t ParseTime(std::u16string_view text, bool positive);
    static bool FormatTime(int32_t ms, std::string& out);
    // "&H" and up to 8 hexadecimal digits (a trailing '&' allowed), else a decimal integer.
    static uint32_t ParseColour(std::u16string_view token);
    static int32_t AssToSsaAlignment(int32_t alignment);
    static int32_t SsaToAssAlignment(int32_t alignment);
    // Case-sensitive replace-all, as the 8-bit helper (capacity in characters).
    static int ReplaceAllText(std::string& text, std::size_t capacity, std::string_view searched,
                              std::string_view replacement);
    static int ReplaceAllTextW(std::u16string& text, std::size_t capacity, std::u16string_view searched,
                               std::u16string_view replacement);
    // The next non-empty line of UTF-16 text in memory (CR and LF end lines; line ends before the
    // first character are skipped). `threeLineEnds` tells whether three or more line-end characters
    // were met.
    static bool ReadLine(std::u16string_view text, std::size_t& index, std::u16string_view& line,
                         bool* threeLineEnds = nullptr);
    // The same from a UTF-16LE file, read 2 bytes at a time.
    static bool ReadLine(std::FILE* file, std::u16string& line, bool* threeLineEnds = nullptr);

    // Section being parsed: 0 none, 1 script info, 2 styles, 3 events.
    uint8_t Section = 0;
    TPointer<TNewFormat> EventFormat;
    TPointer<TNewFormat> StyleFormat;
    TPointer<TStyles> Styles;
    TPointer<TSubEvents> Events;
    // The decoder plug-in's advanced settings for this script; kept across loads.
    std::string Advanced;
    int32_t AdvancedLength = 0;
    // Why the last Load, DecodeAndParse or Parse failed (empty after a success).
    std::string LoadError;

private:
    bool DecodeText(std::string_view data, int32_t codePage, std::u16string& text);
    void ParseLines(std::u16string_view text);
    bool SwitchSection(std::u16string_view line);
    void ReadInfoLine(std::u16string_view line);
    void ReadStyleLine(std::u16string_view line);
    void ReadEventLine(std::u16string_view line);
    void ReadStyleValues(TSubtitleStyleRecord& style, std::u16string_view line, std::size_t pos) const;
    void ReadEventValues(TScriptTextEvent& event, std::u16string_view line, std::size_t pos) const;
    void AddDefaultStyle();
    void ApplyResolutionDefaults();
    // Takes the other script's fields and lists; the other keeps this script's former ones.
    void TakeContent(TScriptControl& other);

    bool SawSection = false;
};

// The default style every script without a "Default" style gets a copy of: zero-filled once, named
// "Default" by every script's constructor.
TSubtitleStyleRecord& GlobalDefaultStyle();

// Unit start-up: installs the decoder host (none: non-native files fail to load) and zero-fills the
// global default style once. Unit shut-down destroys the host.
void InitScriptControlUnit(std::unique_ptr<TScriptDecoderHost> host);
void FreeScriptControlUnit();
