#include "subtitles/translator/TLanguageTemplate.h"

#include "foundation/FileIo.h"
#include "subtitles/translator/TTranslator.h"

#include <string>

namespace {

constexpr int32_t kGrowStep = 16 * 1024;

std::u16string Content(const TMemoryObject& buffer) {
    return std::u16string(buffer.Text(), static_cast<std::size_t>(buffer.TextLength()));
}

} // namespace

TLanguageTemplate::TLanguageTemplate() : Forms(kGrowStep), Collections(kGrowStep) {}

void TLanguageTemplate::AddForm(QWidget* form) {
    TTranslator().WriteFormTemplate(Forms, form);
}

void TLanguageTemplate::AddStrings(const TStringCollection& collection) {
    TTranslator().WriteStringsTemplate(Collections, collection);
}

std::u16string TLanguageTemplate::Text() const {
    return u"<LANGUAGE Name=\"New Language\">\r\n    <FORM>\r\n" + Content(Forms) +
           u"    </FORM>\r\n    <StringCollection>\r\n" + Content(Collections) +
           u"    </StringCollection>\r\n</LANGUAGE>\r\n";
}

bool TLanguageTemplate::SaveToFile(const char* path) const {
    const std::u16string text = u"\uFEFF" + Text();
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (const char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return path && fileio::WriteWholeFile(path, bytes.data(), bytes.size());
}
