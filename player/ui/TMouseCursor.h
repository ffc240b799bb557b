#pragma once
// The player's mouse cursor, shown or hidden for the whole program (the system's cursor counter on
// Windows): hiding blanks it over every window of the player and asks the core to hide its own.
class IVideoControl;

class TMouseCursor {
public:
    TMouseCursor() = default;
    // Gives a hidden cursor back.
    ~TMouseCursor();
    TMouseCursor(const TMouseCursor&) = delete;
    TMouseCursor& operator=(const TMouseCursor&) = delete;

    // Nothing when the cursor is already so; otherwise the cursor changes and the core (when given)
    // is told.
    void Show(bool show, IVideoControl* video);
    bool Shown() const { return shown_; }

private:
    bool shown_ = true;
};
