// Feeds arbitrary bytes as a language file to the translator, applies it to a form with a component of
// every mapped class and to a string collection, then writes the form's template, loads it into a
// second translator and applies it to a twin form: every text and hint must come back unchanged.
#include "subtitles/translator/FormComponents.h"
#include "subtitles/translator/TLanguageTemplate.h"
#include "subtitles/translator/TStringCollection.h"
#include "subtitles/translator/TTranslator.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace {

std::string Folder() {
    static const std::string folder = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "langfuzz-XXXXXX").string();
        return std::string(::mkdtemp(pattern.data()));
    }();
    return folder;
}

template <class W> void Add(QWidget* form, const char* name, const char* className = nullptr) {
    auto* widget = new W(form);
    widget->setObjectName(name);
    if (className) {
        translator::SetComponentClass(widget, className);
    }
}

std::unique_ptr<QWidget> MakeForm() {
    auto form = std::make_unique<QWidget>();
    form->setObjectName("FMain");
    Add<QLabel>(form.get(), "Lb_Title");
    Add<QLabel>(form.get(), "Pn_Status", "TPanel");
    Add<QGroupBox>(form.get(), "Gb_Options");
    Add<QToolButton>(form.get(), "Sb_Play");
    Add<QCheckBox>(form.get(), "Cb_Loop");
    Add<QPushButton>(form.get(), "Bt_Ok");
    Add<QPlainTextEdit>(form.get(), "Mm_Notes");
    Add<QLineEdit>(form.get(), "Ed_Name");
    Add<QWidget>(form.get(), "Hb_Next", "TWinHoverButton");
    auto* action = new QAction(form.get());
    action->setObjectName("Ac_Stop");
    auto* bar = new QMenuBar(form.get());
    QMenu* menu = bar->addMenu("File");
    menu->setObjectName("Mn_File");
    menu->addAction("Open")->setObjectName("Mi_Open");
    translator::RegisterForm(form.get());
    return form;
}

void Check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "language file round trip: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QApplication(*argc, *argv); // lives as long as the process
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = Folder() + "/input.tovrin.lang";
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));

    TTranslator translator;
    if (!translator.LoadFile(path.c_str())) {
        return 0;
    }
    const std::unique_ptr<QWidget> form = MakeForm();
    translator.TranslateForm(form.get());
    TStringCollection strings("Messages");
    strings.Add("Err_Open", u"Cannot open");
    strings.Add("Msg_Done", u"Done");
    translator.TranslateStrings(&strings);

    TLanguageTemplate written;
    written.AddForm(form.get());
    written.AddStrings(strings);
    const std::string templatePath = Folder() + "/template.tovrin.lang";
    Check(written.SaveToFile(templatePath.c_str()), "template not saved");

    TTranslator reader;
    Check(reader.LoadFile(templatePath.c_str()), "template not loaded");
    const std::unique_ptr<QWidget> twin = MakeForm();
    reader.TranslateForm(twin.get());
    TStringCollection twinStrings("Messages");
    twinStrings.Add("Err_Open", u"");
    twinStrings.Add("Msg_Done", u"");
    reader.TranslateStrings(&twinStrings);

    if (!form->windowTitle().isEmpty()) {
        Check(twin->windowTitle() == form->windowTitle(), "caption");
    }
    for (QObject* component : translator::FormComponents(form.get())) {
        QObject* other = twin->findChild<QObject*>(component->objectName());
        Check(other != nullptr, "twin component");
        const QString className = translator::ComponentClass(component);
        const QString text = translator::ComponentText(component, className);
        if (text.isEmpty() || text == u" ") {
            continue; // not written into templates
        }
        Check(translator::ComponentText(other, className) == text, "component text");
        Check(translator::ComponentHint(other) == translator::ComponentHint(component), "component hint");
    }
    for (const char* key : {"Err_Open", "Msg_Done"}) {
        Check(twinStrings.GetText(key) == strings.GetText(key), "collection text");
    }
    return 0;
}
