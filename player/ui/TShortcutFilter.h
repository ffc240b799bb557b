#pragma once
// The player's keyboard shortcuts, application-wide: the main form is never shown, so no window of its
// own receives keys. Every key pressed in any window of the program is matched against the shortcut
// codes of the key map (their key and keyboard modifiers); a match runs that command (when it is
// enabled) and takes the key.
#include <QObject>

class TActionControler;

class TShortcutFilter : public QObject {
public:
    explicit TShortcutFilter(const TActionControler& commands, QObject* parent = nullptr);

    // Off while a dialog that takes keys is open.
    void SetEnabled(bool on) { enabled_ = on; }
    bool Enabled() const { return enabled_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const TActionControler& commands_;
    bool enabled_ = true;
};
