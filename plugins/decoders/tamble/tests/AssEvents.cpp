#include "AssEvents.h"

#include "platform/text/CodePage.h"

#include <sstream>

namespace ass_events {

namespace {

int32_t Time(const std::string& text) {
    int h = 0;
    int m = 0;
    int s = 0;
    int cs = 0;
    if (std::sscanf(text.c_str(), "%d:%d:%d.%d", &h, &m, &s, &cs) != 4) {
        return -1;
    }
    return ((h * 60 + m) * 60 + s) * 1000 + cs * 10;
}

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t\r");
    const std::size_t last = text.find_last_not_of(" \t\r");
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

} // namespace

std::string Utf8(const std::string& bytes) {
    if (!bytes.starts_with("\xFF\xFE")) {
        return bytes;
    }
    std::u16string wide;
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
        wide.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                             static_cast<unsigned char>(bytes[i + 1]) << 8));
    }
    while (!wide.empty() && wide.back() == 0) {
        wide.pop_back();
    }
    return plat::text::WideToAnsi(wide);
}

std::vector<Event> Dialogues(const std::string& utf8) {
    std::vector<Event> events;
    std::istringstream lines(utf8);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.starts_with("Dialogue: ")) {
            continue;
        }
        if (line.ends_with("\r")) {
            line.pop_back();
        }
        std::vector<std::string> fields;
        std::size_t at = 10;
        for (int i = 0; i < 9 && at != std::string::npos; ++i) {
            const std::size_t comma = line.find(',', at);
            fields.push_back(line.substr(at, comma == std::string::npos ? std::string::npos : comma - at));
            at = comma == std::string::npos ? comma : comma + 1;
        }
        if (fields.size() == 9 && at != std::string::npos) {
            events.push_back({Time(fields[1]), Time(fields[2]), line.substr(at)});
        }
    }
    return events;
}

std::string Normalised(const std::string& text) {
    std::string plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const char close = c == '{' ? '}' : c == '<' ? '>' : 0;
        if (close != 0 && text.find(close, i) != std::string::npos) {
            i = text.find(close, i);
        } else if (c == '\\' && i + 1 < text.size() && (text[i + 1] == 'N' || text[i + 1] == 'n')) {
            plain += '\n';
            ++i;
        } else {
            plain += c;
        }
    }
    std::istringstream lines(plain);
    std::string line;
    std::string out;
    while (std::getline(lines, line)) {
        out += (out.empty() ? "" : "\n") + Trimmed(line);
    }
    return out;
}

} // namespace ass_events
