#include "AssEvents.h"

#include "platform/text/Unicode.h"
#include "plugins/decoders/markup/MarkupEntities.h"

#include <cstdio>

namespace {

// "h:mm:ss.cc" in milliseconds; -1 when unreadable.
int32_t AssTime(std::string_view text) {
    int h = 0;
    int m = 0;
    int s = 0;
    int cs = 0;
    const std::string copy(text);
    if (std::sscanf(copy.c_str(), "%d:%d:%d.%d", &h, &m, &s, &cs) != 4) {
        return -1;
    }
    return ((h * 60 + m) * 60 + s) * 1000 + cs * 10;
}

// Appends the entity at `pos` ("&name;") decoded, answering the position behind it; npos when none.
std::size_t DecodedEntity(std::string_view text, std::size_t pos, std::string& out) {
    const std::size_t semicolon = text.find(';', pos);
    if (semicolon == std::string_view::npos || semicolon - pos > 10) {
        return std::string_view::npos;
    }
    const auto cp = markup::EntityCodePoint(text.substr(pos + 1, semicolon - pos - 1));
    if (!cp) {
        return std::string_view::npos;
    }
    plat::text::unicode::AppendUtf8(out, *cp);
    return semicolon + 1;
}

} // namespace

std::string NormalisedText(std::string_view text) {
    std::string spaced;
    for (std::size_t pos = 0; pos < text.size();) {
        const char c = text[pos];
        if (c == '{') {
            const std::size_t close = text.find('}', pos);
            pos = close == std::string_view::npos ? text.size() : close + 1;
        } else if (c == '\\' && pos + 1 < text.size() &&
                   (text[pos + 1] == 'N' || text[pos + 1] == 'n' || text[pos + 1] == 'h')) {
            spaced.push_back(' ');
            pos += 2;
        } else if (c == '&') {
            const std::size_t next = DecodedEntity(text, pos, spaced);
            spaced += next == std::string_view::npos ? "&" : "";
            pos = next == std::string_view::npos ? pos + 1 : next;
        } else {
            spaced.push_back(c == '\t' || c == '\r' || c == '\n' ? ' ' : c);
            ++pos;
        }
    }
    std::string out;
    for (const char c : spaced) {
        if (c != ' ' || (!out.empty() && out.back() != ' ')) {
            out.push_back(c);
        }
    }
    while (!out.empty() && out.back() == ' ') {
        out.pop_back();
    }
    return out;
}

std::vector<TAssEvent> ReadAssEvents(std::string_view script) {
    std::vector<TAssEvent> events;
    std::size_t pos = 0;
    while (pos < script.size()) {
        std::size_t end = script.find('\n', pos);
        end = end == std::string_view::npos ? script.size() : end;
        std::string_view line = script.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (line.substr(0, 10) != "Dialogue: ") {
            continue;
        }
        std::size_t fields[9];
        std::size_t at = 10;
        bool complete = true;
        for (std::size_t& field : fields) {
            at = line.find(',', at);
            if (at == std::string_view::npos) {
                complete = false;
                break;
            }
            field = at++;
        }
        if (!complete) {
            continue;
        }
        TAssEvent event;
        event.Start = AssTime(line.substr(fields[0] + 1, fields[1] - fields[0] - 1));
        event.End = AssTime(line.substr(fields[1] + 1, fields[2] - fields[1] - 1));
        event.Text = NormalisedText(line.substr(fields[8] + 1));
        if (!event.Text.empty()) {
            events.push_back(std::move(event));
        }
    }
    return events;
}
