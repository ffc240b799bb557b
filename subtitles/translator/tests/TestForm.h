#pragma once
// A form built in code with one component of every class the translator maps, plus components it
// must leave alone.
#include "subtitles/translator/FormComponents.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QWidget>

#include <memory>

struct TestForm {
    std::unique_ptr<QWidget> form = std::make_unique<QWidget>();
    std::unique_ptr<QObject> elsewhere = std::make_unique<QObject>(); // owns a shared action
    QLabel* label = Make<QLabel>("Lb_Title");
    QLabel* panel = Make<QLabel>("Pn_Status", "TPanel");
    QGroupBox* group = Make<QGroupBox>("Gb_Options");
    QToolButton* speed = Make<QToolButton>("Sb_Play");
    QCheckBox* check = Make<QCheckBox>("Cb_Loop");
    QPushButton* button = Make<QPushButton>("Bt_Ok");
    QPlainTextEdit* memo = Make<QPlainTextEdit>("Mm_Notes");
    QLineEdit* edit = Make<QLineEdit>("Ed_Name");
    QWidget* hover = Make<QWidget>("Hb_Next", "TWinHoverButton");
    QRadioButton* radio = Make<QRadioButton>("Rb_Other");
    QAction* action = MakeAction("Ac_Stop", form.get());
    QAction* tntAction = MakeAction("Ac_Pause", form.get(), "TTntAction");
    QAction* copy = MakeAction("Ac_Copy", form.get(), "TEditCopy");
    QAction* shared = MakeAction("Ac_Shared", elsewhere.get());
    QMenuBar* bar = Make<QMenuBar>("Mb_Main");
    QMenu* menu = nullptr;
    QAction* menuItem = nullptr;

    TestForm() {
        form->setObjectName("FMain");
        form->setWindowTitle("Main");
        menu = bar->addMenu("File");
        menu->setObjectName("Mn_File");
        menuItem = menu->addAction("Open");
        menuItem->setObjectName("Mi_Open");
        form->addAction(shared);
        translator::RegisterForm(form.get());
    }

    template <class W> W* Make(const char* name, const char* className = nullptr) {
        auto* widget = new W(form.get());
        widget->setObjectName(name);
        if (className) {
            translator::SetComponentClass(widget, className);
        }
        return widget;
    }

    static QAction* MakeAction(const char* name, QObject* owner, const char* className = nullptr) {
        auto* made = new QAction(owner);
        made->setObjectName(name);
        if (className) {
            translator::SetComponentClass(made, className);
        }
        return made;
    }
};
