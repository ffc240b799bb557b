#pragma once
// The command table of the player's actions (those named "Ac_..."), sorted by category, with the key
// map file "Keys.cfg" that stores each command's shortcut, gesture and remote code.
#include "player/scripting/actions/TActionCommand.h"

#include <QList>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class QAction;

class TActionControler {
public:
    static constexpr const char* kFileName = "Keys.cfg";
    static constexpr const char* kCommandPrefix = "Ac_";
    // The dynamic property of an action that holds its category text.
    static constexpr const char* kCategoryProperty = "Category";

    TActionControler() = default;

    // Replaces the table by one command per action whose name begins with "Ac_", in list order, then
    // sorts them by category, keeping the list order within a category.
    int32_t BuildFromActionList(const QList<QAction*>& actions);

    // Reads the key map file (UTF-8 path). -1 when the table is empty or the file cannot be read;
    // 0 otherwise (a file whose root is not COMMAND changes nothing).
    int32_t LoadFromFile(const std::string& path);
    // The same with the file's text already read.
    int32_t LoadFromText(const std::u16string& text);
    // Writes the key map file in place of the old one; false when it could not be written whole.
    bool SaveToFile(const std::string& path) const;
    std::string KeyMapText() const;

    void ApplyShortcuts();
    void ClearShortcuts();

    TActionCommand* GetItem(int32_t index);
    int32_t Count() const { return static_cast<int32_t>(commands_.size()); }
    int32_t IndexOfAction(const QAction* action) const;

    // Stores the code (cut to 29 bytes at a character boundary); unless `keepOthers`, a command that
    // already has this code loses it. False for a bad index or a null code.
    bool SetRemoteCode(int32_t index, const char* code, bool keepOthers);
    bool SetRemoteCodeOfAction(const QAction* action, const char* code, bool keepOthers);

    // The first command's action whose name equals `name` without regard to case; nullptr when none.
    QAction* FindActionByName(std::string_view name) const;
    // nullptr for gesture 0 and the empty code: they stand for "none" and never run a command.
    QAction* FindActionByGesture(int32_t gesture) const;
    QAction* FindActionByRemoteCode(std::string_view code) const;
    // The first command whose shortcut code gives this key and keyboard modifiers (mouse flags of a code
    // do not count, as for the action's own shortcut); nullptr for 0.
    QAction* FindActionByShortCut(uint16_t shortCut) const;

private:
    std::vector<TActionCommand> commands_;
};
