#include "player/scripting/actions/TActionControler.h"

#include "foundation/FileIo.h"
#include "foundation/TMemoryObject.h"
#include "foundation/TXml.h"
#include "foundation/XmlText.h"
#include "platform/text/CaseFold.h"
#include "platform/text/CodePage.h"
#include "player/scripting/actions/ShortcutCode.h"

#include <QAction>
#include <QVariant>

#include <algorithm>
#include <unordered_map>

namespace {

// At most `limit` bytes of UTF-8, never ending inside a character.
std::string CutUtf8(std::string_view text, std::size_t limit) {
    if (text.size() <= limit) {
        return std::string(text);
    }
    std::size_t cut = limit;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) {
        --cut;
    }
    return std::string(text.substr(0, cut));
}

std::string Utf8Of(const char16_t* text) {
    return text != nullptr ? QString::fromUtf16(text).toStdString() : std::string();
}

std::string CategoryOf(const QAction* action) {
    return action->property(TActionControler::kCategoryProperty).toString().toStdString();
}

void SetActionShortcut(QAction* action, int32_t code) {
    action->setShortcut(ShortCutToKeySequence(ShortcutCodeToShortCut(code)));
}

TXmlNode* ChildNamed(TXmlNode* parent, const char* name) {
    TXmlNode* child = nullptr;
    return parent->FindChildA(name, child) == 1 ? child : nullptr;
}

} // namespace

int32_t TActionControler::BuildFromActionList(const QList<QAction*>& actions) {
    commands_.clear();
    const std::string_view prefix = kCommandPrefix;
    for (QAction* action : actions) {
        const std::string name = action != nullptr ? action->objectName().toStdString() : std::string();
        if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) {
            continue;
        }
        TActionCommand command;
        command.Action = action;
        command.Name = CutUtf8(std::string_view(name).substr(prefix.size()), TActionCommand::kMaxName);
        command.ShortcutCode = ShortCutToShortcutCode(KeySequenceToShortCut(action->shortcut()));
        command.Position = static_cast<int32_t>(commands_.size());
        commands_.push_back(std::move(command));
    }
    std::vector<std::pair<std::string, TActionCommand>> sorted;
    sorted.reserve(commands_.size());
    for (TActionCommand& command : commands_) {
        sorted.emplace_back(CategoryOf(command.Action), std::move(command));
    }
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 0; i < sorted.size(); ++i) {
        commands_[i] = std::move(sorted[i].second);
    }
    return 0;
}

int32_t TActionControler::LoadFromFile(const std::string& path) {
    std::u16string text;
    if (commands_.empty() || !ReadTextFileW(plat::text::AnsiToWide(path).c_str(), text)) {
        return -1;
    }
    return LoadFromText(text);
}

int32_t TActionControler::LoadFromText(const std::u16string& text) {
    if (commands_.empty()) {
        return -1;
    }
    TXml document;
    document.Parse(text);
    TXmlNode* root = document.Head;
    if (root == nullptr || !root->Name || !plat::text::EqualsNoCase(root->Name.get(), u"COMMAND")) {
        return 0;
    }
    // The first element of each name, found once rather than once per command.
    std::unordered_map<std::u16string, TXmlNode*> elements;
    for (TXmlNode* child = root->Children.Head; child != nullptr; child = child->Next) {
        if (child->Name) {
            elements.emplace(plat::text::FoldCase(child->Name.get()), child);
        }
    }
    for (TActionCommand& command : commands_) {
        if (command.Name.empty()) {
            continue;
        }
        command.ShortcutCode = 0;
        command.GestureCode = 0;
        const auto found = elements.find(plat::text::FoldCase(plat::text::AnsiToWide(command.Name)));
        TXmlNode* element = found != elements.end() ? found->second : nullptr;
        if (element == nullptr || element->Children.Count == 0) {
            continue;
        }
        TXmlNode* shortcut = ChildNamed(element, "Shortcut");
        if (shortcut != nullptr && shortcut->Text) {
            command.ShortcutCode = XmlNumber(shortcut->Text.get());
        }
        SetActionShortcut(command.Action, command.ShortcutCode);
        TXmlNode* gesture = ChildNamed(element, "Gesture");
        command.GestureCode = gesture != nullptr && gesture->Text ? XmlNumber(gesture->Text.get()) : 0;
        TXmlNode* remote = ChildNamed(element, "Remote");
        command.RemoteCode = remote != nullptr
                                 ? CutUtf8(Utf8Of(remote->Text.get()), TActionCommand::kMaxRemoteCode)
                                 : std::string();
    }
    return 0;
}

std::string TActionControler::KeyMapText() const {
    TMemoryObject text(4096);
    text.AppendFormatA("<COMMAND>\r\n");
    for (const TActionCommand& command : commands_) {
        if (command.Name.empty()) {
            continue;
        }
        text.AppendFormatA("    <%s>\r\n", command.Name.c_str());
        text.AppendFormatA("        <Shortcut>%d</Shortcut>\r\n", command.ShortcutCode);
        text.AppendFormatA("        <Gesture>%d</Gesture>\r\n", command.GestureCode);
        text.AppendFormatA("        <Remote>");
        text.AppendXmlEscapedA(command.RemoteCode.c_str(), true, false);
        text.AppendFormatA("</Remote>\r\n");
        text.AppendFormatA("    </%s>\r\n\r\n", command.Name.c_str());
    }
    text.AppendFormatA("</COMMAND>\r\n");
    return std::string(text.Data, static_cast<std::size_t>(text.Used));
}

bool TActionControler::SaveToFile(const std::string& path) const {
    const std::string text = KeyMapText();
    return fileio::WriteWholeFile(path.c_str(), text.data(), text.size());
}

void TActionControler::ApplyShortcuts() {
    for (const TActionCommand& command : commands_) {
        SetActionShortcut(command.Action, command.ShortcutCode);
    }
}

void TActionControler::ClearShortcuts() {
    for (const TActionCommand& command : commands_) {
        command.Action->setShortcut(QKeySequence());
    }
}

TActionCommand* TActionControler::GetItem(int32_t index) {
    return index >= 0 && index < Count() ? &commands_[static_cast<std::size_t>(index)] : nullptr;
}

int32_t TActionControler::IndexOfAction(const QAction* action) const {
    for (std::size_t i = 0; i < commands_.size(); ++i) {
        if (commands_[i].Action == action) {
            return static_cast<int32_t>(i);
        }
    }
    return -1;
}

bool TActionControler::SetRemoteCode(int32_t index, const char* code, bool keepOthers) {
    TActionCommand* target = GetItem(index);
    if (target == nullptr || code == nullptr) {
        return false;
    }
    const std::string stored = CutUtf8(code, TActionCommand::kMaxRemoteCode);
    if (!keepOthers && !stored.empty()) {
        for (TActionCommand& other : commands_) {
            if (other.RemoteCode == stored) {
                other.RemoteCode.clear();
            }
        }
    }
    target->RemoteCode = stored;
    return true;
}

bool TActionControler::SetRemoteCodeOfAction(const QAction* action, const char* code, bool keepOthers) {
    return SetRemoteCode(IndexOfAction(action), code, keepOthers);
}

QAction* TActionControler::FindActionByName(std::string_view name) const {
    for (const TActionCommand& command : commands_) {
        if (plat::text::EqualsNoCaseA(command.Name, name)) {
            return command.Action;
        }
    }
    return nullptr;
}

QAction* TActionControler::FindActionByGesture(int32_t gesture) const {
    if (gesture == 0) {
        return nullptr;
    }
    for (const TActionCommand& command : commands_) {
        if (command.GestureCode == gesture) {
            return command.Action;
        }
    }
    return nullptr;
}

QAction* TActionControler::FindActionByRemoteCode(std::string_view code) const {
    if (code.empty()) {
        return nullptr;
    }
    for (const TActionCommand& command : commands_) {
        if (command.RemoteCode == code) {
            return command.Action;
        }
    }
    return nullptr;
}

QAction* TActionControler::FindActionByShortCut(uint16_t shortCut) const {
    if (shortCut == 0) {
        return nullptr;
    }
    for (const TActionCommand& command : commands_) {
        if (ShortcutCodeToShortCut(command.ShortcutCode) == shortCut) {
            return command.Action;
        }
    }
    return nullptr;
}
