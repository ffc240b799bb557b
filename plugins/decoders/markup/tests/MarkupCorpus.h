#pragma once
// Generated SAMI, RealText and JACOsub files over the same random subtitles, in several encodings and
// line ends, with formatting tags, entities and the formats' own codes.
#include <cstdint>
#include <string>
#include <vector>

enum class TCorpusEncoding { Utf8, Utf8Bom, Cp1252, Utf16Le };

struct TCorpusOptions {
    int Cues = 100;
    uint32_t Seed = 1;
    TCorpusEncoding Encoding = TCorpusEncoding::Utf8;
    bool CrLf = false;
    bool Tags = true;
    // JACOsub: ticks per second declared by a timer directive (0: none, the default 30 applies), and
    // whether times are written as "@" ticks instead of H:MM:SS.FF.
    int TicksPerSecond = 0;
    bool TickTimes = false;
    // SAMI: a second language class in every SYNC, and no closing SYNC after the last subtitle.
    bool SecondClass = false;
    bool OpenLast = false;
    // JACOsub: the time of a "#SHIFT" directive before the first event (none when empty).
    std::string Shift;
};

struct TCorpusFile {
    std::string Name;      // file name with its extension
    std::string Bytes;     // the file
    int32_t CodePage;      // of the text (65001 or 1252)
    const char* Charset;   // ffmpeg's -sub_charenc, or nullptr
    bool OpenLast;         // the last subtitle has no end of its own
    bool PeerJoinsClasses; // the peer writes the text of every class, ours the first class only
};

TCorpusFile SamiFile(const std::string& name, const TCorpusOptions& options);
TCorpusFile RealTextFile(const std::string& name, const TCorpusOptions& options);
TCorpusFile JacoFile(const std::string& name, const TCorpusOptions& options);

// The corpus the comparison runs over: several files of each format.
std::vector<TCorpusFile> MarkupCorpus();
