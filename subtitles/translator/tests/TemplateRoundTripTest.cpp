#include "subtitles/translator/TLanguageTemplate.h"

#include "foundation/TMemoryObject.h"
#include "foundation/tests/TempDir.h"
#include "subtitles/translator/TStringCollection.h"
#include "subtitles/translator/TTranslator.h"
#include "subtitles/translator/tests/TestForm.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

std::u16string FormBlock(QWidget* form) {
    TMemoryObject buffer(256);
    TTranslator().WriteFormTemplate(buffer, form);
    return std::u16string(buffer.Text(), static_cast<std::size_t>(buffer.TextLength()));
}

// xmllint's verdict on the file; skips the test when xmllint is not installed.
void ExpectWellFormed(const std::string& path) {
    const std::string xmllint = XMLLINT_PROGRAM;
    if (xmllint.empty() || xmllint.find("NOTFOUND") != std::string::npos) {
        GTEST_SKIP() << "xmllint is not installed (Debian package libxml2-utils)";
    }
    const std::string command = xmllint + " --noout '" + path + "'";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
}

TEST(TemplateWriter, FormBlocksAreWrittenByteForByte) {
    QWidget form;
    form.setObjectName("FAbout");
    form.setWindowTitle("About");
    auto* version = new QLabel("Version", &form);
    version->setObjectName("Lb_Version");
    auto* ok = new QPushButton("OK", &form);
    ok->setObjectName("Bt_Ok");
    ok->setToolTip("Close");
    EXPECT_EQ(FormBlock(&form), u"        <FAbout Caption=\"About\">"
                                u"                <Lb_Version\tText=\"Version\" />\r\n"
                                u"                <Bt_Ok\tText=\"OK\"\r\n"
                                u"                  \tHint=\"Close\" />\r\n"
                                u"        </FAbout>\r\n\r\n");
}

TEST(TemplateWriter, StringBlocksAreWrittenByteForByteInKeyOrder) {
    TStringCollection strings("Messages");
    strings.Add("Zed", u"Last <one>");
    strings.Add("abc", u"First & \"only\"");
    TMemoryObject buffer(256);
    TTranslator().WriteStringsTemplate(buffer, strings);
    EXPECT_EQ(std::u16string(buffer.Text(), static_cast<std::size_t>(buffer.TextLength())),
              u"        <Messages >\r\n"
              u"                <abc\tText=\"First &amp; &quot;only&quot;\" />\r\n"
              u"                <Zed\tText=\"Last &lt;one&gt;\" />\r\n"
              u"        </Messages>\r\n\r\n");
}

TEST(TemplateWriter, LeavesOutComponentsNotMeantForTranslation) {
    TestForm built;
    built.label->setText("Shown");
    built.panel->setText("Hidden by tag");
    built.panel->setProperty(translator::kTagProperty, translator::kTagNotTranslated);
    built.check->setText("Hidden by name");
    built.check->setObjectName("Cb_nt_Loop");
    built.button->setText(" ");
    built.radio->setText("Unmapped class");
    built.edit->setText("Unusable name");
    built.edit->setObjectName("Ed Name");
    const std::u16string block = FormBlock(built.form.get());
    EXPECT_NE(block.find(u"<Lb_Title\tText=\"Shown\""), std::u16string::npos);
    for (const char16_t* absent :
         {u"Pn_Status", u"Cb_nt_Loop", u"Bt_Ok", u"Rb_Other", u"Ed Name", u"Mm_Notes"}) {
        EXPECT_EQ(block.find(absent), std::u16string::npos) << QString::fromUtf16(absent).toStdString();
    }
}

TEST(TemplateWriter, AWrittenTemplateTranslatesBackEveryAwkwardCaption) {
    const QString awkward[] = {
        "Say \"hi\"",         "Save && quit", "a < b > c",         "Ünïcödé ñame", "日本語のメニュー",
        "Film 🎬 & \"<tag>\"", "'single'",     "semi;colon=equals", "tab\there",    "&Open...",
    };
    TestForm source;
    source.form->setWindowTitle("Fenêtre \"principale\" & <co>");
    std::vector<QObject*> components = translator::FormComponents(source.form.get());
    std::vector<std::pair<QObject*, QString>> written;
    for (std::size_t i = 0; i < components.size(); ++i) {
        QObject* component = components[i];
        const QString className = translator::ComponentClass(component);
        if (!translator::IsMappedClass(className)) {
            continue;
        }
        const QString text = awkward[i % std::size(awkward)];
        translator::SetComponentText(component, className, text);
        translator::SetComponentHint(component, "hint " + text);
        written.emplace_back(component, className);
    }
    ASSERT_GE(written.size(), 14u);
    TStringCollection strings("Messages");
    for (std::size_t i = 0; i < std::size(awkward); ++i) {
        strings.Add("Msg" + std::to_string(i), awkward[i].toStdU16String());
    }

    TempDir dir;
    TLanguageTemplate language;
    language.AddForm(source.form.get());
    language.AddStrings(strings);
    const std::string path = dir.Path("new.tovrin.lang");
    ASSERT_TRUE(language.SaveToFile(path.c_str()));

    TestForm target;
    TStringCollection targetStrings("Messages");
    for (std::size_t i = 0; i < std::size(awkward); ++i) {
        targetStrings.Add("Msg" + std::to_string(i), u"default");
    }
    TTranslator translator;
    ASSERT_TRUE(translator.LoadFile(path.c_str()));
    translator.TranslateForm(target.form.get());
    ASSERT_TRUE(translator.TranslateStrings(&targetStrings));

    EXPECT_EQ(target.form->windowTitle(), source.form->windowTitle());
    for (const auto& [component, className] : written) {
        QObject* twin = target.form->findChild<QObject*>(component->objectName());
        if (!twin) {
            twin = target.elsewhere->findChild<QObject*>(component->objectName());
        }
        ASSERT_NE(twin, nullptr) << component->objectName().toStdString();
        EXPECT_EQ(translator::ComponentText(twin, className), translator::ComponentText(component, className))
            << component->objectName().toStdString();
        EXPECT_EQ(translator::ComponentHint(twin), translator::ComponentHint(component));
    }
    for (std::size_t i = 0; i < std::size(awkward); ++i) {
        EXPECT_EQ(targetStrings.GetText("Msg" + std::to_string(i)), awkward[i].toStdU16String());
    }
    ExpectWellFormed(path);
}

TEST(TemplateWriter, EveryTemplateWrittenIsWellFormed) {
    TempDir dir;
    TestForm built;
    TLanguageTemplate empty;
    ASSERT_TRUE(empty.SaveToFile(dir.Path("empty.lang").c_str()));
    ExpectWellFormed(dir.Path("empty.lang"));
    TLanguageTemplate plain;
    plain.AddForm(built.form.get());
    plain.AddStrings(TStringCollection("Nothing"));
    ASSERT_TRUE(plain.SaveToFile(dir.Path("plain.lang").c_str()));
    ExpectWellFormed(dir.Path("plain.lang"));
    EXPECT_FALSE(plain.SaveToFile(dir.Path("no/such/folder.lang").c_str()));
}

} // namespace
