#include "MarkupCorpus.h"

#include "platform/text/CodePage.h"

#include <cstdio>
#include <random>

namespace {

const char* const kWords[] = {"the",
                              "night",
                              "caf\xC3\xA9",
                              "stra\xC3\x9F"
                              "e",
                              "run",
                              "now",
                              "\xC3\xBC"
                              "ber",
                              "na\xC3\xAF"
                              "ve",
                              "door",
                              "light",
                              "wait",
                              "Tom",
                              "Jerry",
                              "\xC3\xA0",
                              "far",
                              "road",
                              "why",
                              "yes"};

enum class TMark { None, Bold, Italic, Colour, Amp };

struct TCue {
    int32_t Start; // milliseconds
    int32_t End;
    std::vector<std::vector<std::pair<std::string, TMark>>> Lines;
};

std::vector<TCue> MakeCues(const TCorpusOptions& options, int32_t step) {
    std::mt19937 random(options.Seed);
    std::vector<TCue> cues;
    int32_t time = 500;
    for (int i = 0; i < options.Cues; ++i) {
        TCue cue;
        cue.Start = (time + static_cast<int32_t>(random() % 2000)) / step * step;
        cue.End = cue.Start + (800 + static_cast<int32_t>(random() % 4000)) / step * step;
        time = cue.End + 100 + step;
        const int lines = 1 + static_cast<int>(random() % 2);
        for (int l = 0; l < lines; ++l) {
            std::vector<std::pair<std::string, TMark>> words;
            const int count = 2 + static_cast<int>(random() % 5);
            for (int w = 0; w < count; ++w) {
                const auto mark =
                    options.Tags ? static_cast<TMark>(random() % 8 < 4 ? 0 : random() % 5) : TMark::None;
                words.emplace_back(kWords[random() % std::size(kWords)], mark);
            }
            cue.Lines.push_back(std::move(words));
        }
        cues.push_back(std::move(cue));
    }
    return cues;
}

struct TMarkup {
    const char* Bold[2];
    const char* Italic[2];
    const char* Colour[2];
    const char* Amp;
    const char* Break;
};

const TMarkup kHtml{
    {"<b>", "</b>"}, {"<i>", "</i>"}, {"<font color=\"#FF8000\">", "</font>"}, "&amp;", "<br>"};
const TMarkup kJaco{{"\\B", "\\b"}, {"\\I", "\\i"}, {"", ""}, "&", "\\n"};

std::string CueText(const TCue& cue, const TMarkup& markup) {
    std::string text;
    for (std::size_t l = 0; l < cue.Lines.size(); ++l) {
        text += l > 0 ? markup.Break : "";
        for (std::size_t w = 0; w < cue.Lines[l].size(); ++w) {
            const auto& [word, mark] = cue.Lines[l][w];
            text += w > 0 ? " " : "";
            const char* const* pair = mark == TMark::Bold     ? markup.Bold
                                      : mark == TMark::Italic ? markup.Italic
                                      : mark == TMark::Colour ? markup.Colour
                                                              : nullptr;
            if (mark == TMark::Amp) {
                text += std::string(markup.Amp) + " ";
            }
            text += pair != nullptr ? pair[0] + word + pair[1] : word;
        }
    }
    return text;
}

std::string Clock(int32_t ms, bool hours) {
    char text[32];
    if (hours) {
        std::snprintf(text, sizeof text, "%d:%02d:%02d.%02d", ms / 3600000, ms / 60000 % 60, ms / 1000 % 60,
                      ms / 10 % 100);
    } else {
        std::snprintf(text, sizeof text, "%d:%02d.%02d", ms / 60000, ms / 1000 % 60, ms / 10 % 100);
    }
    return text;
}

TCorpusFile Encoded(const std::string& name, std::string text, const TCorpusOptions& options) {
    if (options.CrLf) {
        std::string crlf;
        for (const char c : text) {
            crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
        }
        text = crlf;
    }
    TCorpusFile file{name, text, plat::text::kCpUtf8, nullptr, options.OpenLast, options.SecondClass};
    const plat::text::WString wide = plat::text::AnsiToWide(text);
    switch (options.Encoding) {
    case TCorpusEncoding::Utf8:
        break;
    case TCorpusEncoding::Utf8Bom:
        file.Bytes = "\xEF\xBB\xBF" + text;
        break;
    case TCorpusEncoding::Cp1252:
        plat::text::WideToMultiByte(1252, wide, file.Bytes);
        file.CodePage = 1252;
        file.Charset = "CP1252";
        break;
    case TCorpusEncoding::Utf16Le:
        file.Bytes = "\xFF\xFE";
        for (const char16_t unit : wide) {
            file.Bytes.push_back(static_cast<char>(unit & 0xFF));
            file.Bytes.push_back(static_cast<char>(unit >> 8));
        }
        break;
    }
    return file;
}

} // namespace

TCorpusFile SamiFile(const std::string& name, const TCorpusOptions& options) {
    std::string text = "<SAMI>\n<HEAD>\n<TITLE>Generated</TITLE>\n<STYLE TYPE=\"text/css\">\n<!--\n"
                       "P { margin-left: 8pt; font-size: 20pt; }\n.ENUSCC { Name: English; lang: en-US; }\n"
                       ".FRFRCC { Name: French; lang: fr-FR; }\n-->\n</STYLE>\n</HEAD>\n<BODY>\n";
    const std::vector<TCue> cues = MakeCues(options, 10);
    for (std::size_t i = 0; i < cues.size(); ++i) {
        const TCue& cue = cues[i];
        text += "<SYNC Start=" + std::to_string(cue.Start) + "><P Class=ENUSCC>" + CueText(cue, kHtml) + "\n";
        if (options.SecondClass) {
            text += "<P Class=FRFRCC>fr " + std::to_string(i) + "\n";
        }
        if (!options.OpenLast || i + 1 < cues.size()) {
            text += "<SYNC Start=" + std::to_string(cue.End) + "><P Class=ENUSCC>&nbsp;\n";
        }
    }
    return Encoded(name, text + "</BODY>\n</SAMI>\n", options);
}

TCorpusFile RealTextFile(const std::string& name, const TCorpusOptions& options) {
    std::string text =
        "<window type=\"generic\" duration=\"99:00:00.00\" wordwrap=\"true\" bgcolor=\"black\">\n";
    const std::vector<TCue> cues = MakeCues(options, 10);
    for (std::size_t i = 0; i < cues.size(); ++i) {
        const bool hours = i % 2 == 0;
        text += "<time begin=\"" + Clock(cues[i].Start, hours) + "\" end=\"" + Clock(cues[i].End, hours) +
                "\"/><clear/>" + CueText(cues[i], kHtml) + "\n";
    }
    return Encoded(name, text + "</window>\n", options);
}

TCorpusFile JacoFile(const std::string& name, const TCorpusOptions& options) {
    std::string text = "#TITLE Generated subtitles\n";
    const int rate = options.TicksPerSecond > 0 ? options.TicksPerSecond : 30;
    if (options.TicksPerSecond > 0) {
        text += "#TIMERES " + std::to_string(options.TicksPerSecond) + "\n";
    }
    if (!options.Shift.empty()) {
        text += "#SHIFT " + options.Shift + "\n";
    }
    const char* const directives[] = {"VB", "VTJC", "JL", "VMJR"};
    const std::vector<TCue> cues = MakeCues(options, 1);
    for (std::size_t i = 0; i < cues.size(); ++i) {
        const int64_t startTicks = static_cast<int64_t>(cues[i].Start) * rate / 1000;
        const int64_t endTicks = static_cast<int64_t>(cues[i].End) * rate / 1000;
        const auto time = [&](int64_t ticks) {
            if (options.TickTimes) {
                return "@" + std::to_string(ticks);
            }
            const int64_t seconds = ticks / rate;
            char clock[40];
            std::snprintf(clock, sizeof clock, "%d:%02d:%02d.%02d", static_cast<int>(seconds / 3600),
                          static_cast<int>(seconds / 60 % 60), static_cast<int>(seconds % 60),
                          static_cast<int>(ticks % rate));
            return std::string(clock);
        };
        std::string body = CueText(cues[i], kJaco);
        if (i % 5 == 3) {
            body = "{speaker " + std::to_string(i) + "}" + body;
        }
        // The peer joins continued lines only where lines end in LF alone; a word split over two
        // lines comes out whole.
        if (i % 7 == 2 && !options.CrLf) {
            body += " split wo\\\n    rd";
        }
        text += time(startTicks) + " " + time(endTicks) + " " + directives[i % std::size(directives)] + " " +
                body + "\n";
    }
    return Encoded(name, text, options);
}

std::vector<TCorpusFile> MarkupCorpus() {
    using E = TCorpusEncoding;
    return {
        SamiFile("plain.smi", {120, 11, E::Utf8, false, false}),
        SamiFile("tags.smi", {150, 12, E::Utf8, false, true}),
        SamiFile("bom_crlf.smi", {100, 13, E::Utf8Bom, true, true}),
        SamiFile("cp1252.smi", {100, 14, E::Cp1252, true, true}),
        SamiFile("utf16.smi", {100, 15, E::Utf16Le, false, true}),
        SamiFile("two_classes.smi", {80, 16, E::Utf8, false, true, 0, false, true}),
        SamiFile("open_last.smi", {60, 17, E::Utf8, true, true, 0, false, false, true}),
        RealTextFile("plain.rt", {120, 21, E::Utf8, false, false}),
        RealTextFile("tags.rt", {150, 22, E::Utf8, false, true}),
        RealTextFile("bom_crlf.rt", {100, 23, E::Utf8Bom, true, true}),
        RealTextFile("cp1252.rt", {100, 24, E::Cp1252, true, true}),
        RealTextFile("utf16.rt", {100, 25, E::Utf16Le, false, true}),
        JacoFile("plain.jss", {120, 31, E::Utf8, false, false}),
        JacoFile("tags.jss", {150, 32, E::Utf8, false, true}),
        JacoFile("crlf_t25.jss", {100, 33, E::Utf8, true, true, 25}),
        JacoFile("cp1252.jss", {100, 34, E::Cp1252, true, true}),
        JacoFile("ticks.jss", {100, 35, E::Utf8, false, true, 0, true}),
        JacoFile("ticks_t100.jss", {100, 36, E::Utf8Bom, false, true, 100, true}),
        JacoFile("shift_t25.jss", {100, 37, E::Utf8, false, true, 25, false, false, false, "1:02.15"}),
    };
}
