#pragma once
// How the translator sees a form: its components are the named objects of its widget tree plus the
// actions registered with it, and each component has a class name ("TLabel", "TMenuItem", ...) that
// decides which of its texts a language file replaces.
//
// Forms register once, after building their widgets and actions:
//     translator::RegisterForm(this);
// which also takes in the actions their widgets carry but do not own. Components the Qt type does not
// name (a caption panel, a hover button) are named with SetComponentClass. A component whose "tag"
// property is -999, or whose name contains "_nt_", is left out of templates.
//
// Text and hint: the hint is the "toolTip" property. The text is the "Texto" property of a hover
// button ("TWinHoverButton", "TTexHoverButton", "TStaticHoverButton"; declare it with Q_PROPERTY) and
// otherwise the first of the properties "text", "title" (group boxes, menus) and "plainText" (memos)
// the object declares.
#include <QString>

#include <vector>

class QObject;
class QWidget;

namespace translator {

inline constexpr char kClassProperty[] = "vclClass";
inline constexpr char kTagProperty[] = "tag";
inline constexpr int kTagNotTranslated = -999;

// Names the component's class for the translator, over the class derived from its Qt type.
void SetComponentClass(QObject* component, const char* className);
// The class the translator maps the component by: the one set, else the one its Qt type stands for
// (QLabel "TLabel", QCheckBox "TCheckBox", QToolButton "TSpeedButton", QRadioButton "TRadioButton", other
// buttons "TButton", QGroupBox "TGroupBox", QLineEdit "TEdit", QPlainTextEdit and QTextEdit "TMemo", QMenu
// and an action shown in a menu or menu bar "TMenuItem", other actions "TAction"); empty for anything else.
QString ComponentClass(const QObject* component);

// Whether components of the class have a text and a hint the translator handles: "TLabel", "TPanel",
// "TGroupBox", "TSpeedButton", "TCheckBox", "TButton", "TMemo", "TEdit", the actions ("TAction",
// "TTntAction", "TEditCopy", "TEditPaste", "TEditCut", "TEditSelectAll"), "TMenuItem" and the hover
// buttons. Class names are compared exactly.
bool IsMappedClass(const QString& className);

// Registers every action carried by a widget of the form's tree (or by the form) with the form, so
// that shared actions owned elsewhere are translated with it. Registering twice changes nothing.
void RegisterForm(QWidget* form);
// Registers one more component with the form.
void RegisterComponent(QWidget* form, QObject* component);
// The form's named components, each once: its named descendants in tree order, then the registered
// components that are not descendants.
std::vector<QObject*> FormComponents(QWidget* form);

// The component's text and hint as the translator reads and writes them (see above). Reading a
// component without a text property gives an empty text; writing to one changes nothing.
QString ComponentText(const QObject* component, const QString& className);
void SetComponentText(QObject* component, const QString& className, const QString& text);
QString ComponentHint(const QObject* component);
void SetComponentHint(QObject* component, const QString& hint);

} // namespace translator
