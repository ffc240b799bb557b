#include "editor/TEditorCommandLine.h"

#include "platform/text/CaseFold.h"
#include "platform/text/CodePage.h"

namespace {

bool KeyAt(std::u16string_view text, std::size_t position, std::u16string_view key) {
    return text.size() - position >= key.size() &&
           plat::text::EqualsNoCase(text.substr(position, key.size()), key);
}

bool ReadQuoted(std::u16string_view text, std::u16string& value, std::size_t& position) {
    std::size_t at = position + 1;
    while (at < text.size()) {
        if (text[at] == u'"' && at + 1 < text.size() && text[at + 1] == u'"') {
            value.push_back(u'"');
            at += 2;
        } else if (text[at] == u'"') {
            break;
        } else {
            value.push_back(text[at++]);
        }
    }
    position = at < text.size() ? at + 1 : at;
    return !value.empty();
}

} // namespace

bool TEditorCommandLine::ParseCommandValue(std::u16string_view text, std::u16string& value,
                                           std::size_t& position) {
    value.clear();
    std::size_t at = position;
    while (at < text.size() && (text[at] == u' ' || text[at] == u'/')) {
        ++at;
    }
    position = at;
    if (at >= text.size()) {
        return false;
    }
    if (text[at] == u'"') {
        return ReadQuoted(text, value, position);
    }
    const std::size_t end = text.find_first_of(u"\"/", at);
    const std::size_t stop = end == std::u16string_view::npos ? text.size() : end;
    value.assign(text.substr(at, stop - at));
    position = stop < text.size() && text[stop] == u'"' ? stop + 1 : stop;
    return !value.empty();
}

void TEditorCommandLine::Run(std::u16string_view text, ITarget& target) {
    std::size_t position = 0;
    std::u16string value;
    while ((position = text.find(u'/', position)) != std::u16string_view::npos) {
        ++position;
        if (KeyAt(text, position, u"O:")) {
            position += 2;
            if (ParseCommandValue(text, value, position)) {
                target.OpenProfileFromCommand(plat::text::WideToAnsi(value));
            }
        } else if (KeyAt(text, position, u"CMD:")) {
            position += 4;
            if (ParseCommandValue(text, value, position)) {
                target.SetCaptionFromCommand(value);
            }
        }
    }
}

std::string TEditorCommandLine::Quote(std::string_view text) {
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + "\"";
}
