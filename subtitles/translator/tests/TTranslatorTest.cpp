#include "subtitles/translator/TTranslator.h"

#include "foundation/tests/TempDir.h"
#include "subtitles/translator/TStringCollection.h"
#include "subtitles/translator/tests/TestForm.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

constexpr char kLanguage[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<LANGUAGE Name="Test">
  <form>
    <FMAIN Caption="Fenêtre">
      <Lb_Title Text="Titre" Hint="Le titre" />
      <Pn_Status Text="État" Hint="Barre" />
      <Gb_Options Text="Options &amp; réglages" Hint="Groupe" />
      <Sb_Play Text="Lire" Hint="Lecture" />
      <Cb_Loop Text="Boucle" Hint="En boucle" />
      <bt_ok Text="D'accord" Hint="Valider" />
      <Mm_Notes Text="Notes" Hint="Mémo" />
      <Ed_Name Text="Nom" Hint="Saisie" />
      <Hb_Next Text="Suivant" Hint="Piste suivante" />
      <Ac_Stop Text="Arrêt" Hint="Arrêter" />
      <Ac_Pause Text="Pause" Hint="Suspendre" />
      <Ac_Copy Text="Copier" Hint="Copie" />
      <Ac_Shared Text="Partagé" Hint="Action partagée" />
      <Mn_File Text="Fichier" Hint="Menu" />
      <Mi_Open Text="Ouvrir" Hint="Ouvrir un fichier" />
      <Rb_Other Text="Autre" Hint="Jamais" />
      <!Lb_Title Text="commented out" />
      <Missing Text="no such component" />
    </FMAIN>
  </form>
  <StringCollection>
    <Messages>
      <Err_Open Text="Impossible d'ouvrir &quot;%s&quot;" />
      <Unknown Text="ignored" />
      <No_Text />
    </Messages>
  </StringCollection>
</LANGUAGE>
)";

class TranslatorTest : public testing::Test {
protected:
    bool Load(std::string_view text) {
        return translator.LoadFile(dir.Write("test.tovrin.lang", text).c_str());
    }

    TempDir dir;
    TTranslator translator;
    TestForm built;
};

TEST_F(TranslatorTest, EveryMappedPropertyOfAFormBuiltInCodeIsTranslated) {
    ASSERT_TRUE(Load(kLanguage));
    translator.TranslateForm(built.form.get());

    EXPECT_EQ(built.form->windowTitle(), "Fenêtre");
    struct Expected {
        QObject* component;
        const char* textProperty;
        QString text;
        QString hint;
    };
    const Expected table[] = {
        {built.label, "text", "Titre", "Le titre"},
        {built.panel, "text", "État", "Barre"},
        {built.group, "title", "Options & réglages", "Groupe"},
        {built.speed, "text", "Lire", "Lecture"},
        {built.check, "text", "Boucle", "En boucle"},
        {built.button, "text", "D'accord", "Valider"},
        {built.memo, "plainText", "Notes", "Mémo"},
        {built.edit, "text", "Nom", "Saisie"},
        {built.hover, "Texto", "Suivant", "Piste suivante"},
        {built.action, "text", "Arrêt", "Arrêter"},
        {built.tntAction, "text", "Pause", "Suspendre"},
        {built.copy, "text", "Copier", "Copie"},
        {built.shared, "text", "Partagé", "Action partagée"},
        {built.menu, "title", "Fichier", "Menu"},
        {built.menuItem, "text", "Ouvrir", "Ouvrir un fichier"},
    };
    for (const Expected& row : table) {
        SCOPED_TRACE(row.component->objectName().toStdString());
        EXPECT_EQ(row.component->property(row.textProperty).toString(), row.text);
        EXPECT_EQ(row.component->property("toolTip").toString(), row.hint);
    }
    EXPECT_EQ(built.radio->text(), "");
    EXPECT_EQ(built.radio->toolTip(), "");
}

TEST_F(TranslatorTest, ComponentClassesFollowTheirQtTypes) {
    const std::pair<QObject*, const char*> table[] = {
        {built.label, "TLabel"},
        {built.panel, "TPanel"},
        {built.group, "TGroupBox"},
        {built.speed, "TSpeedButton"},
        {built.check, "TCheckBox"},
        {built.button, "TButton"},
        {built.memo, "TMemo"},
        {built.edit, "TEdit"},
        {built.action, "TAction"},
        {built.menu, "TMenuItem"},
        {built.menuItem, "TMenuItem"},
        {built.radio, "TRadioButton"},
        {built.bar, ""},
    };
    for (const auto& [component, className] : table) {
        EXPECT_EQ(translator::ComponentClass(component), className) << component->objectName().toStdString();
    }
}

TEST_F(TranslatorTest, AnEntryWithoutTextKeepsTheCaptionAndAnEmptyTextClearsIt) {
    built.label->setText("Title");
    built.button->setText("OK");
    built.button->setToolTip("Confirm");
    ASSERT_TRUE(Load(R"(<LANGUAGE><FORM><FMain>
        <Lb_Title Hint="Only a hint" />
        <Bt_Ok Text="" Hint="" />
    </FMain></FORM></LANGUAGE>)"));
    translator.TranslateForm(built.form.get());
    EXPECT_EQ(built.label->text(), "Title");
    EXPECT_EQ(built.label->toolTip(), "Only a hint");
    EXPECT_EQ(built.button->text(), "");
    EXPECT_EQ(built.button->toolTip(), "");
    EXPECT_EQ(built.form->windowTitle(), "Main"); // no caption: the title stays
}

TEST_F(TranslatorTest, DocumentsThatAreNotLanguageFilesChangeNothing) {
    built.label->setText("Title");
    for (const char* text :
         {"<OTHER><FORM><FMain Caption=\"X\"><Lb_Title Text=\"Y\"/></FMain></FORM></OTHER>",
          "<LANGUAGE/><FORM><FMain Caption=\"X\"><Lb_Title Text=\"Y\"/></FMain></FORM>",
          "<LANGUAGE><STRINGCOLLECTION/></LANGUAGE>", "not xml at all", ""}) {
        SCOPED_TRACE(text);
        ASSERT_TRUE(Load(text));
        translator.TranslateForm(built.form.get());
        EXPECT_EQ(built.form->windowTitle(), "Main");
        EXPECT_EQ(built.label->text(), "Title");
    }
}

TEST_F(TranslatorTest, LongAttributesAreCutAndOversizedFilesRefused) {
    const std::string longText(5000, 'a');
    ASSERT_TRUE(Load("<LANGUAGE><FORM><FMain Caption=\"" + longText + "\"><Lb_Title Text=\"" + longText +
                     "\"/></FMain></FORM></LANGUAGE>"));
    translator.TranslateForm(built.form.get());
    EXPECT_EQ(built.form->windowTitle().size(), TTranslator::kMaxAttributeLength);
    EXPECT_EQ(built.label->text().size(), TTranslator::kMaxAttributeLength);

    // A cut never splits a surrogate pair.
    const std::string pairs = std::string(TTranslator::kMaxAttributeLength - 1, 'b') + "\xF0\x9F\x8E\xAC";
    ASSERT_TRUE(Load("<LANGUAGE><FORM><FMain><Lb_Title Text=\"" + pairs + "\"/></FMain></FORM></LANGUAGE>"));
    translator.TranslateForm(built.form.get());
    EXPECT_EQ(built.label->text(), QString(TTranslator::kMaxAttributeLength - 1, 'b'));

    const std::string big = dir.Write("big.tovrin.lang", "<LANGUAGE><FORM/></LANGUAGE>");
    std::filesystem::resize_file(big, TTranslator::kMaxFileSize + 1);
    EXPECT_FALSE(translator.LoadFile(big.c_str()));
    EXPECT_FALSE(translator.LoadFile(dir.Path("missing.lang").c_str()));
    EXPECT_FALSE(translator.LoadFile(dir.Path("").c_str())); // a folder
    translator.TranslateForm(built.form.get());              // the document loaded before is still there
    EXPECT_EQ(built.label->text(), QString(TTranslator::kMaxAttributeLength - 1, 'b'));
}

TEST_F(TranslatorTest, StringCollectionsTakeTheTextsOfTheirKnownKeys) {
    ASSERT_TRUE(Load(kLanguage));
    TStringCollection messages("Messages");
    messages.Add("Err_Open", u"Cannot open \"%s\"");
    messages.Add("No_Text", u"Default");
    EXPECT_FALSE(translator.TranslateStrings(nullptr));
    ASSERT_TRUE(translator.TranslateStrings(&messages));
    EXPECT_EQ(messages.GetText("err_open"), u"Impossible d'ouvrir \"%s\"");
    EXPECT_EQ(messages.GetText("No_Text"), u"Default");
    EXPECT_FALSE(messages.Find("Unknown"));

    TStringCollection other("Other");
    other.Add("Err_Open", u"kept");
    EXPECT_TRUE(translator.TranslateStrings(&other));
    EXPECT_EQ(other.GetText("Err_Open"), u"kept");
}

} // namespace
