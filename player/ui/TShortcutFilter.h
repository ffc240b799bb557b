#pragma once
// The player's keyboard shortcuts, application-wide: the main form is never shown, so no window of its
// own receives keys. A key pressed in a window of the program is matched against the shortcut codes of
// the key map (their key and keyboard modifiers); a match runs that command (when it is enabled) and
// takes the key. The key map stands back while the user types somewhere: while a modal dialog or a
// pop-up is open, and while the focus is in a widget that takes text or keys of its own (an edit
// field, a list, a spin or combo box, or any control of a dialog), the key goes where the user types.
// While a DVD menu is shown, the bare arrow keys move its highlight: they are first offered to the
// menu, and keep their own commands when no menu takes them.
#include <QObject>

#include <functional>
#include <string_view>

class QWidget;
class TActionControler;

class TShortcutFilter : public QObject {
public:
    // Runs the named DVD menu navigation action when a DVD menu is shown; true when the menu took it.
    using MenuNavigation = std::function<bool(std::string_view action)>;

    explicit TShortcutFilter(const TActionControler& commands, QObject* parent = nullptr);

    // Off while a dialog that takes keys is open.
    void SetEnabled(bool on) { enabled_ = on; }
    bool Enabled() const { return enabled_; }
    void SetMenuNavigation(MenuNavigation navigation) { menuNavigation_ = std::move(navigation); }

    // Whether a key typed now belongs to what the user types in rather than to the key map.
    static bool KeysGoToUser();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static bool TakesKeys(const QWidget& widget);
    // The DVD menu navigation action of a bare arrow key; empty for any other key.
    static std::string_view MenuActionOf(int key, Qt::KeyboardModifiers modifiers);

    const TActionControler& commands_;
    MenuNavigation menuNavigation_;
    bool enabled_ = true;
};
