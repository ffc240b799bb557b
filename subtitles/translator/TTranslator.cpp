#include "subtitles/translator/TTranslator.h"

#include "foundation/TMemoryObject.h"
#include "platform/text/CaseFold.h"
#include "platform/text/CodePage.h"
#include "subtitles/translator/FormComponents.h"
#include "subtitles/translator/TStringCollection.h"
#include "subtitles/translator/XmlName.h"

#include <QHash>
#include <QString>
#include <QWidget>

#include <optional>
#include <string>
#include <sys/stat.h>

namespace {

const char16_t* Utf16(const QString& text) {
    return reinterpret_cast<const char16_t*>(text.utf16());
}

QString ToQString(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

bool Skipped(const TXmlNode* entry) {
    return !entry->Name || entry->Name[0] == u'!';
}

// The attribute's value cut to the length limit (never inside a surrogate pair); none when the
// element has no attribute of that name, an empty text when it has one without value.
std::optional<std::u16string_view> Attribute(const TXmlNode* entry, std::u16string_view name) {
    for (const TXmlPara* attribute = entry->Attributes.Head; attribute; attribute = attribute->Next) {
        if (!attribute->Name || !plat::text::EqualsNoCase(attribute->Name.get(), name)) {
            continue;
        }
        if (!attribute->Value) {
            return std::u16string_view();
        }
        const char16_t* value = attribute->Value.get();
        std::size_t length = plat::text::WLenBounded(value, TTranslator::kMaxAttributeLength + 1);
        if (length > static_cast<std::size_t>(TTranslator::kMaxAttributeLength)) {
            length = TTranslator::kMaxAttributeLength;
            if ((value[length - 1] & 0xFC00) == 0xD800) {
                --length;
            }
        }
        return std::u16string_view(value, length);
    }
    return std::nullopt;
}

// The form's components by case-folded name; the first of a name wins.
QHash<QString, QObject*> ComponentsByName(QWidget* form) {
    QHash<QString, QObject*> byName;
    for (QObject* component : translator::FormComponents(form)) {
        const QString key = component->objectName().toCaseFolded();
        if (!byName.contains(key)) {
            byName.insert(key, component);
        }
    }
    return byName;
}

void TranslateComponent(QObject* component, const TXmlNode* entry) {
    const QString className = translator::ComponentClass(component);
    if (!translator::IsMappedClass(className)) {
        return;
    }
    if (const auto text = Attribute(entry, u"Text")) {
        translator::SetComponentText(component, className, ToQString(*text));
    }
    if (const auto hint = Attribute(entry, u"Hint")) {
        translator::SetComponentHint(component, ToQString(*hint));
    }
}

bool Untranslatable(const QObject* component, const std::string& name) {
    const QVariant tag = component->property(translator::kTagProperty);
    return (tag.isValid() && tag.toInt() == translator::kTagNotTranslated) ||
           name.find("_nt_") != std::string::npos || !IsXmlName(name);
}

void WriteComponent(TMemoryObject& buffer, const std::string& name, const QString& text,
                    const QString& hint) {
    buffer.AppendFormat(u"                <%hs\tText=\"", name);
    buffer.AppendXmlEscaped(Utf16(text), false, false);
    if (!hint.isEmpty()) {
        buffer.AppendString(u"\"\r\n                  \tHint=\"");
        buffer.AppendXmlEscaped(Utf16(hint), false, false);
    }
    buffer.AppendString(u"\" />\r\n");
}

} // namespace

bool TTranslator::LoadFile(const char* path) {
    struct stat info {};
    if (!path || ::stat(path, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > kMaxFileSize) {
        return false;
    }
    return LoadFromFileA(path);
}

TXmlNode* TTranslator::Section(const char* name) {
    TXmlNode* root = Head;
    if (!root || !root->Name || !plat::text::EqualsNoCase(root->Name.get(), u"LANGUAGE") ||
        root->Children.Count == 0) {
        return nullptr;
    }
    TXmlNode* section = nullptr;
    return root->FindChildA(name, section) == 1 ? section : nullptr;
}

void TTranslator::TranslateForm(QWidget* form) {
    TXmlNode* forms = form ? Section("FORM") : nullptr;
    TXmlNode* entry = nullptr;
    const std::u16string formName = form ? form->objectName().toStdU16String() : std::u16string();
    if (!forms || formName.empty() || forms->FindChild(formName.c_str(), entry) != 1) {
        return;
    }
    if (const auto caption = Attribute(entry, u"Caption"); caption && !caption->empty()) {
        form->setWindowTitle(ToQString(*caption));
    }
    const QHash<QString, QObject*> byName = ComponentsByName(form);
    for (const TXmlNode* child = entry->Children.Head; child; child = child->Next) {
        if (Skipped(child)) {
            continue;
        }
        const QString key = QString::fromUtf16(child->Name.get()).toCaseFolded();
        if (QObject* component = byName.value(key)) {
            TranslateComponent(component, child);
        }
    }
}

bool TTranslator::TranslateStrings(TStringCollection* collection) {
    if (!collection) {
        return false;
    }
    TXmlNode* collections = Section("STRINGCOLLECTION");
    TXmlNode* entry = nullptr;
    if (!collections || collections->FindChildA(collection->Name.c_str(), entry) != 1) {
        return true;
    }
    for (const TXmlNode* child = entry->Children.Head; child; child = child->Next) {
        if (Skipped(child)) {
            continue;
        }
        if (const auto text = Attribute(child, u"Text")) {
            collection->SetText(plat::text::WideToAnsi(child->Name.get()), *text);
        }
    }
    return true;
}

void TTranslator::WriteFormTemplate(TMemoryObject& buffer, QWidget* form) {
    const std::string formName = form->objectName().toStdString();
    buffer.AppendFormat(u"        <%hs Caption=\"", formName);
    buffer.AppendXmlEscaped(Utf16(form->windowTitle()), false, false);
    buffer.AppendString(u"\">");
    for (QObject* component : translator::FormComponents(form)) {
        const std::string name = component->objectName().toStdString();
        const QString className = translator::ComponentClass(component);
        if (Untranslatable(component, name) || !translator::IsMappedClass(className)) {
            continue;
        }
        const QString text = translator::ComponentText(component, className);
        if (!text.isEmpty() && text != u" ") {
            WriteComponent(buffer, name, text, translator::ComponentHint(component));
        }
    }
    buffer.AppendFormat(u"        </%hs>\r\n\r\n", formName);
}

void TTranslator::WriteStringsTemplate(TMemoryObject& buffer, const TStringCollection& collection) {
    buffer.AppendFormat(u"        <%hs >\r\n", collection.Name);
    std::string key;
    std::u16string text;
    for (int index = 0; collection.GetEntry(index, &key, &text); ++index) {
        buffer.AppendFormat(u"                <%hs\tText=\"", key);
        buffer.AppendXmlEscaped(text.c_str(), false, false);
        buffer.AppendString(u"\" />\r\n");
    }
    buffer.AppendFormat(u"        </%hs>\r\n\r\n", collection.Name);
}
