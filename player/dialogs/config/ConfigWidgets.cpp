#include "player/dialogs/config/ConfigWidgets.h"

#include "player/dialogs/config/IConfigChoosers.h"
#include "player/dialogs/config/TColorSwatch.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QToolButton>

namespace ConfigWidgets {
namespace {

template <class Control> Control* Named(Control* control, const char* name) {
    control->setObjectName(QString::fromLatin1(name));
    return control;
}

// Colours the link label as the pointer enters and leaves it.
class LinkHover : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Enter || event->type() == QEvent::Leave) {
            const bool over = event->type() == QEvent::Enter;
            static_cast<QWidget*>(watched)->setStyleSheet(
                over ? QStringLiteral("color: #008000; text-decoration: underline;")
                     : QStringLiteral("color: #0000FF; text-decoration: none;"));
        }
        return QObject::eventFilter(watched, event);
    }
};

// Runs an action when the watched widget is clicked.
class ClickFilter : public QObject {
public:
    ClickFilter(QObject* parent, std::function<void()> action)
        : QObject(parent), action_(std::move(action)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonRelease &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            action_();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> action_;
};

} // namespace

void OnClick(QWidget* widget, std::function<void()> action) {
    widget->installEventFilter(new ClickFilter(widget, std::move(action)));
}

QCheckBox* Check(QWidget* parent, const char* name, const QString& text) {
    return Named(new QCheckBox(text, parent), name);
}

QRadioButton* Radio(QWidget* parent, const char* name, const QString& text) {
    return Named(new QRadioButton(text, parent), name);
}

QSpinBox* Spin(QWidget* parent, const char* name) {
    return Named(new QSpinBox(parent), name);
}

QComboBox* Choice(QWidget* parent, const char* name, const QStringList& items) {
    auto* choice = Named(new QComboBox(parent), name);
    choice->addItems(items);
    return choice;
}

QLabel* Label(QWidget* parent, const char* name, const QString& text) {
    return Named(new QLabel(text, parent), name);
}

QPushButton* Button(QWidget* parent, const char* name, const QString& text) {
    return Named(new QPushButton(text, parent), name);
}

QToolButton* Toggle(QWidget* parent, const char* name, const QString& text) {
    auto* button = Named(new QToolButton(parent), name);
    button->setText(text);
    button->setCheckable(true);
    return button;
}

QLabel* Link(QWidget* parent, const char* name, const QString& text) {
    auto* link = Label(parent, name, text);
    link->setStyleSheet(QStringLiteral("color: #0000FF;"));
    link->setCursor(Qt::PointingHandCursor);
    link->installEventFilter(new LinkHover(link));
    return link;
}

void ChooseColourInto(IConfigChoosers& choosers, TColorSwatch& swatch) {
    if (const std::optional<QColor> chosen = choosers.ChooseColour(swatch.ToQColor())) {
        swatch.SetColour(TColorSwatch::FromQColor(*chosen));
    }
}

void ChooseFontInto(IConfigChoosers& choosers, QLabel& name, QLabel& size, QAbstractButton& bold,
                    QAbstractButton& italic) {
    QFont initial(name.text());
    initial.setPointSize(std::max(1, size.text().toInt()));
    initial.setBold(bold.isChecked());
    initial.setItalic(italic.isChecked());
    if (const std::optional<QFont> chosen = choosers.ChooseFont(initial)) {
        name.setText(chosen->family());
        size.setText(QString::number(chosen->pointSize()));
        bold.setChecked(chosen->bold());
        italic.setChecked(chosen->italic());
    }
}

void ChooseFolderInto(IConfigChoosers& choosers, QLineEdit& edit, const QString& title,
                      const QString& initialFolder) {
    const QString chosen = choosers.ChooseFolder(title, initialFolder);
    if (!chosen.isEmpty()) {
        edit.setText(chosen);
    }
}

} // namespace ConfigWidgets
