#pragma once
// Small builders and choosers shared by the settings dialog's pages: named controls, and the colour,
// font and folder choosers that fill them.
#include <QString>

#include <functional>

class IConfigChoosers;
class QAbstractButton;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QToolButton;
class QWidget;
class TColorSwatch;

namespace ConfigWidgets {

QCheckBox* Check(QWidget* parent, const char* name, const QString& text);
QRadioButton* Radio(QWidget* parent, const char* name, const QString& text);
QSpinBox* Spin(QWidget* parent, const char* name);
QComboBox* Choice(QWidget* parent, const char* name, const QStringList& items);
QLabel* Label(QWidget* parent, const char* name, const QString& text);
QPushButton* Button(QWidget* parent, const char* name, const QString& text);
// A checkable button that looks pressed while checked (bold, italic, alignment).
QToolButton* Toggle(QWidget* parent, const char* name, const QString& text);
// A label that acts as a link: blue, green and underlined under the pointer.
QLabel* Link(QWidget* parent, const char* name, const QString& text);

// Runs `action` when the widget (a label or a shape) is clicked with the left button.
void OnClick(QWidget* widget, std::function<void()> action);

// The chooser opens on the swatch's colour; OK gives the swatch the chosen one.
void ChooseColourInto(IConfigChoosers& choosers, TColorSwatch& swatch);
// The chooser opens with the labels' name and size and the toggles' bold and italic; OK gives them the
// chosen font.
void ChooseFontInto(IConfigChoosers& choosers, QLabel& name, QLabel& size, QAbstractButton& bold,
                    QAbstractButton& italic);
// A chosen folder replaces the edit's text; cancelling leaves it.
void ChooseFolderInto(IConfigChoosers& choosers, QLineEdit& edit, const QString& title,
                      const QString& initialFolder);

} // namespace ConfigWidgets
