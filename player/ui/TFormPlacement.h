#pragma once
// Where the player's forms stand, kept in "Form Pos.ini" of the settings folder: one section per form,
// named by the form's object name, with X, Y, Height, Width and State ("Normal", "Minimized",
// "Maximized"). A form read back onto no monitor (one since gone, or hostile numbers) is put onto the
// nearest monitor that exists, so that it never opens out of reach.
#include <QRect>

#include <string>

class QWidget;

class TFormPlacement {
public:
    static constexpr const char* kFileName = "Form Pos.ini";
    // What a missing number reads as.
    static constexpr int kMissing = 250;

    // The settings folder, with its separator at the end.
    void SetFolder(const std::string& settingsFolder) { path_ = settingsFolder + kFileName; }
    const std::string& Path() const { return path_; }

    // Writes the form's section (only its State while maximised) and the file. Nothing for the forms
    // that keep no place ("Video", "EditProfile"); false when the file could not be written.
    bool Save(const QWidget* form) const;
    // Reads the form's place back: X and Y; for a form the user can size also State, Height and
    // Width. A form without a section keeps the place it has; a place the monitors do not show whole
    // is moved onto the nearest one.
    void Load(QWidget* form) const;

    // Moves the form wholly onto the monitor nearest to it (its size kept; a form larger than the
    // monitor at the monitor's top-left corner).
    static void MoveOntoMonitor(QWidget& form);
    // Whether the monitors show the whole rectangle.
    static bool IsOnMonitors(const QRect& frame);
    // The rectangle moved onto the monitor rectangle.
    static QRect ClampOnto(const QRect& frame, const QRect& monitor);
    // The geometry of the monitor holding the rectangle's centre, else of the one nearest to it.
    static QRect NearestMonitor(const QRect& frame);
    // Whether the user can size the form (its least and greatest sizes differ).
    static bool IsSizeable(const QWidget& form);

private:
    std::string path_ = kFileName;
};
