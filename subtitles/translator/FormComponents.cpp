#include "subtitles/translator/FormComponents.h"

#include "subtitles/translator/FormComponentList.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMetaProperty>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStringList>
#include <QTextEdit>
#include <QToolButton>
#include <QWidget>

#include <algorithm>
#include <unordered_set>

namespace translator {
namespace {

constexpr const char* kTextProperties[] = {"text", "title", "plainText"};
constexpr char kHoverTextProperty[] = "Texto";
constexpr char kHintProperty[] = "toolTip";

bool IsHoverButton(const QString& className) {
    return className == u"TWinHoverButton" || className == u"TTexHoverButton" ||
           className == u"TStaticHoverButton";
}

bool ShownInMenu(const QAction* action) {
    const QList<QObject*> shownIn = action->associatedObjects();
    return std::any_of(shownIn.begin(), shownIn.end(), [](const QObject* object) {
        return qobject_cast<const QMenu*>(object) || qobject_cast<const QMenuBar*>(object);
    });
}

QString ClassOfWidget(const QObject* component) {
    if (qobject_cast<const QCheckBox*>(component)) {
        return QStringLiteral("TCheckBox");
    }
    if (qobject_cast<const QRadioButton*>(component)) {
        return QStringLiteral("TRadioButton");
    }
    if (qobject_cast<const QToolButton*>(component)) {
        return QStringLiteral("TSpeedButton");
    }
    if (qobject_cast<const QAbstractButton*>(component)) {
        return QStringLiteral("TButton");
    }
    if (qobject_cast<const QLabel*>(component)) {
        return QStringLiteral("TLabel");
    }
    if (qobject_cast<const QGroupBox*>(component)) {
        return QStringLiteral("TGroupBox");
    }
    if (qobject_cast<const QLineEdit*>(component)) {
        return QStringLiteral("TEdit");
    }
    if (qobject_cast<const QPlainTextEdit*>(component) || qobject_cast<const QTextEdit*>(component)) {
        return QStringLiteral("TMemo");
    }
    if (qobject_cast<const QMenu*>(component)) {
        return QStringLiteral("TMenuItem");
    }
    return {};
}

// The name of the property that carries the component's text, or nullptr when it has none.
const char* TextProperty(const QObject* component, const QString& className) {
    if (IsHoverButton(className)) {
        return kHoverTextProperty;
    }
    const QMetaObject* meta = component->metaObject();
    for (const char* name : kTextProperties) {
        const int index = meta->indexOfProperty(name);
        if (index >= 0 && meta->property(index).isWritable()) {
            return name;
        }
    }
    return nullptr;
}

void AddDescendants(QObject* parent, std::vector<QObject*>& out, std::unordered_set<QObject*>& seen) {
    for (QObject* child : parent->children()) {
        if (!child->objectName().isEmpty() && seen.insert(child).second) {
            out.push_back(child);
        }
        AddDescendants(child, out, seen);
    }
}

} // namespace

bool IsMappedClass(const QString& className) {
    static const QStringList mapped = {
        QStringLiteral("TLabel"),       QStringLiteral("TPanel"),         QStringLiteral("TGroupBox"),
        QStringLiteral("TSpeedButton"), QStringLiteral("TCheckBox"),      QStringLiteral("TButton"),
        QStringLiteral("TMemo"),        QStringLiteral("TEdit"),          QStringLiteral("TAction"),
        QStringLiteral("TTntAction"),   QStringLiteral("TEditCopy"),      QStringLiteral("TEditPaste"),
        QStringLiteral("TEditCut"),     QStringLiteral("TEditSelectAll"), QStringLiteral("TMenuItem"),
    };
    return IsHoverButton(className) || mapped.contains(className);
}

void SetComponentClass(QObject* component, const char* className) {
    component->setProperty(kClassProperty, QString::fromUtf8(className));
}

QString ComponentClass(const QObject* component) {
    const QVariant named = component->property(kClassProperty);
    if (named.isValid()) {
        return named.toString();
    }
    if (const auto* action = qobject_cast<const QAction*>(component)) {
        return ShownInMenu(action) ? QStringLiteral("TMenuItem") : QStringLiteral("TAction");
    }
    return ClassOfWidget(component);
}

void RegisterForm(QWidget* form) {
    QList<QWidget*> widgets = form->findChildren<QWidget*>();
    widgets.prepend(form);
    for (QWidget* widget : widgets) {
        for (QAction* action : widget->actions()) {
            RegisterComponent(form, action); // listing ignores the ones the form owns anyway
        }
    }
}

void RegisterComponent(QWidget* form, QObject* component) {
    FormComponentList::Of(form)->Add(component);
}

std::vector<QObject*> FormComponents(QWidget* form) {
    std::vector<QObject*> components;
    std::unordered_set<QObject*> seen;
    AddDescendants(form, components, seen);
    const FormComponentList* registered = FormComponentList::Find(form);
    for (QObject* component : registered ? registered->Components() : std::vector<QObject*>()) {
        if (!component->objectName().isEmpty() && seen.insert(component).second) {
            components.push_back(component);
        }
    }
    return components;
}

QString ComponentText(const QObject* component, const QString& className) {
    const char* property = TextProperty(component, className);
    return property ? component->property(property).toString() : QString();
}

void SetComponentText(QObject* component, const QString& className, const QString& text) {
    if (const char* property = TextProperty(component, className)) {
        component->setProperty(property, text);
    }
}

QString ComponentHint(const QObject* component) {
    return component->property(kHintProperty).toString();
}

void SetComponentHint(QObject* component, const QString& hint) {
    component->setProperty(kHintProperty, hint);
}

} // namespace translator
