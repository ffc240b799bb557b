#include "player/dialogs/config/TLanguageFiles.h"

#include "platform/text/CodePage.h"

#include <QDir>

#include <algorithm>
#include <fstream>

namespace {

char16_t Folded(char16_t unit) {
    return unit >= u'a' && unit <= u'z' ? static_cast<char16_t>(unit - u'a' + u'A') : unit;
}

// The first place of the upper-case word in text[from, to) without regard to case; npos when none.
std::size_t FindWord(const std::u16string& text, std::u16string_view word, std::size_t from, std::size_t to) {
    for (std::size_t at = from; at + word.size() <= to; ++at) {
        if (std::equal(word.begin(), word.end(), text.begin() + static_cast<std::ptrdiff_t>(at),
                       [](char16_t a, char16_t b) { return a == Folded(b); })) {
            return at;
        }
    }
    return std::u16string::npos;
}

std::u16string HeadText(const std::string& head) {
    if (head.size() >= 2 && static_cast<unsigned char>(head[0]) == 0xFF &&
        static_cast<unsigned char>(head[1]) == 0xFE) {
        // UTF-16 little-endian: whole units only.
        std::u16string text;
        for (std::size_t at = 2; at + 1 < head.size(); at += 2) {
            text += static_cast<char16_t>(static_cast<unsigned char>(head[at]) |
                                          static_cast<unsigned char>(head[at + 1]) << 8);
        }
        return text;
    }
    const std::string_view ansi(head.data(), std::min(head.size(), TLanguageFiles::kAnsiBytes));
    return plat::text::AnsiToWide(ansi.substr(0, plat::text::Utf8CutLength(ansi, ansi.size())));
}

} // namespace

std::vector<std::string> TLanguageFiles::List(const std::string& folder, const std::string& pattern) {
    const QDir dir(QString::fromStdString(folder), QString::fromStdString(pattern),
                   QDir::Name | QDir::IgnoreCase, QDir::Files | QDir::Readable);
    std::vector<std::string> files;
    for (const QString& name : dir.entryList()) {
        files.push_back(name.toStdString());
    }
    return files;
}

std::optional<std::u16string> TLanguageFiles::ReadLanguageName(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return std::nullopt;
    }
    std::string head(kHeadBytes, '\0');
    file.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<std::size_t>(file.gcount()));
    return NameInHead(head);
}

std::optional<std::u16string> TLanguageFiles::NameInHead(const std::string& head) {
    const std::u16string text = HeadText(head);
    for (std::size_t open = text.find(u'<'); open != std::u16string::npos; open = text.find(u'<', open + 1)) {
        const std::size_t close = std::min(text.find(u'>', open), text.size());
        const std::size_t language = FindWord(text, u"LANGUAGE", open, close);
        const std::size_t name =
            language == std::u16string::npos ? language : FindWord(text, u"NAME", language + 8, close);
        const std::size_t equals = name == std::u16string::npos ? name : text.find(u'=', name + 4);
        const std::size_t quote = equals >= close ? std::u16string::npos : text.find(u'"', equals);
        const std::size_t end = quote >= close ? std::u16string::npos : text.find(u'"', quote + 1);
        if (end != std::u16string::npos) {
            return text.substr(quote + 1, std::min(end - quote - 1, kMaxNameUnits));
        }
    }
    return std::nullopt;
}
