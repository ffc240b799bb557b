#include "SubtitleCorpus.h"

#include "platform/text/CodePage.h"

#include <cmath>
#include <cstdio>
#include <random>

namespace corpus {

namespace {

const std::vector<std::string>& Words(Alphabet alphabet) {
    static const std::vector<std::string> ascii{"the",    "door", "was", "open",  "and",
                                                "nobody", "came", "in",  "Wait!", "Really?",
                                                "yes",    "no",   "42",  "it's",  "\"quoted\""};
    static const std::vector<std::string> latin{"café",  "déjà",   "vu",   "garçon", "naïve",
                                                "über",  "Straße", "niño", "señor",  "façade",
                                                "crème", "brûlée", "où",   "Ça"};
    static const std::vector<std::string> cyrillic{"привет", "мир",    "дверь", "была", "открыта", "никто",
                                                   "не",     "пришёл", "Да!",   "Нет?", "ещё",     "Съешь"};
    switch (alphabet) {
    case Alphabet::Latin:
        return latin;
    case Alphabet::Cyrillic:
        return cyrillic;
    case Alphabet::Ascii:
        break;
    }
    return ascii;
}

std::string Time(int32_t ms, char separator, int fractionDigits) {
    char text[32];
    const int fraction = fractionDigits == 3 ? ms % 1000 : ms % 1000 / 10;
    std::snprintf(text, sizeof text, "%02d:%02d:%02d%c%0*d", ms / 3600000, ms / 60000 % 60, ms / 1000 % 60,
                  separator, fractionDigits, fraction);
    return text;
}

std::string Untagged(std::string line) {
    for (const char* tag : {"<i>", "</i>", "<b>", "</b>"}) {
        for (std::size_t at = line.find(tag); at != std::string::npos; at = line.find(tag)) {
            line.erase(at, std::char_traits<char>::length(tag));
        }
    }
    return line;
}

} // namespace

std::vector<Cue> Cues(int count, uint32_t seed, Alphabet alphabet, bool tags) {
    std::mt19937 random(seed);
    const auto& words = Words(alphabet);
    std::vector<Cue> cues;
    int32_t time = 500 + static_cast<int32_t>(random() % 1000);
    for (int i = 0; i < count; ++i) {
        Cue cue;
        cue.Start = time;
        cue.End = time + 700 + static_cast<int32_t>(random() % 4000);
        const int lines = 1 + static_cast<int>(random() % 3 == 0);
        for (int l = 0; l < lines; ++l) {
            std::string line;
            const int length = 1 + static_cast<int>(random() % 6);
            for (int w = 0; w < length; ++w) {
                line += (w > 0 ? " " : "") + words[random() % words.size()];
            }
            if (tags && random() % 4 == 0) {
                line = (random() % 2 == 0 ? "<i>" + line + "</i>" : "<b>" + line + "</b>");
            }
            cue.Lines.push_back(line);
        }
        cues.push_back(cue);
        time = cue.End + 40 + static_cast<int32_t>(random() % 3000);
    }
    return cues;
}

std::string SubRip(const std::vector<Cue>& cues, const std::string& lineEnd, bool finalBlankLine) {
    std::string text;
    for (std::size_t i = 0; i < cues.size(); ++i) {
        text += std::to_string(i + 1) + lineEnd + Time(cues[i].Start, ',', 3) + " --> " +
                Time(cues[i].End, ',', 3) + lineEnd;
        for (const std::string& line : cues[i].Lines) {
            text += line + lineEnd;
        }
        if (i + 1 < cues.size() || finalBlankLine) {
            text += lineEnd;
        }
    }
    return text;
}

std::string RoughSubRip(const std::vector<Cue>& cues) {
    static const char* const kColours[] = {"#ff0000", "yellow", "#00FF80", "Navy"};
    std::string text;
    for (std::size_t i = 0; i < cues.size(); ++i) {
        const std::string lineEnd = i % 3 == 1 ? "\n" : "\r\n";
        text += std::to_string(i + 1) + lineEnd + Time(cues[i].Start, ',', 3) + " --> " +
                Time(cues[i].End, ',', 3) + lineEnd;
        for (std::size_t l = 0; l < cues[i].Lines.size(); ++l) {
            const std::string& line = cues[i].Lines[l];
            const bool coloured = l == 0 && i % 5 == 2;
            text += (coloured ? std::string("<font color=\"") + kColours[i / 5 % 4] + "\">" + line + "</font>"
                              : line) +
                    lineEnd;
        }
        if (i % 4 != 3) {
            text += lineEnd;
        }
    }
    return text;
}

std::string MicroDvd(const std::vector<Cue>& cues, double rate, bool rateLine, const std::string& lineEnd) {
    std::string text;
    if (rateLine) {
        char line[32];
        std::snprintf(line, sizeof line, "{1}{1}%g", rate);
        text += line + lineEnd;
    }
    for (const Cue& cue : cues) {
        const auto frame = [rate](int32_t ms) { return std::llround(ms * rate / 1000.0); };
        std::string body;
        bool italic = false;
        for (const std::string& line : cue.Lines) {
            italic = italic || line.starts_with("<i>");
            body += (body.empty() ? "" : "|") + Untagged(line);
        }
        text += "{" + std::to_string(frame(cue.Start)) + "}{" + std::to_string(frame(cue.End)) + "}" +
                (italic ? "{y:i}" : "") + body + lineEnd;
    }
    return text;
}

std::string SubViewer2(const std::vector<Cue>& cues, const std::string& lineEnd) {
    std::string text = "[INFORMATION]" + lineEnd + "[TITLE]Corpus" + lineEnd + "[AUTHOR]" + lineEnd +
                       "[END INFORMATION]" + lineEnd + "[SUBTITLE]" + lineEnd + lineEnd;
    for (const Cue& cue : cues) {
        std::string body;
        for (const std::string& line : cue.Lines) {
            body += (body.empty() ? "" : "[br]") + Untagged(line);
        }
        text += Time(cue.Start, '.', 2) + "," + Time(cue.End, '.', 2) + lineEnd + body + lineEnd + lineEnd;
    }
    return text;
}

std::string Encode(const std::string& utf8, Encoding encoding) {
    const std::u16string wide = plat::text::AnsiToWide(utf8);
    std::string bytes;
    switch (encoding) {
    case Encoding::Utf8:
        return utf8;
    case Encoding::Utf8Bom:
        return "\xEF\xBB\xBF" + utf8;
    case Encoding::Utf16LeBom:
    case Encoding::Utf16BeBom: {
        const bool little = encoding == Encoding::Utf16LeBom;
        bytes = little ? "\xFF\xFE" : "\xFE\xFF";
        for (const char16_t unit : wide) {
            const char low = static_cast<char>(unit & 0xFF);
            const char high = static_cast<char>(unit >> 8);
            bytes += little ? std::string{low, high} : std::string{high, low};
        }
        return bytes;
    }
    case Encoding::Cp1251:
    case Encoding::Cp1252:
        plat::text::WideToMultiByte(encoding == Encoding::Cp1251 ? 1251 : 1252, wide, bytes);
        return bytes;
    }
    return utf8;
}

std::string FfmpegCharset(Encoding encoding) {
    switch (encoding) {
    case Encoding::Cp1251:
        return "CP1251";
    case Encoding::Cp1252:
        return "CP1252";
    default:
        return "";
    }
}

} // namespace corpus
