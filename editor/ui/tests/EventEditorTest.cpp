// The event editor: the rich view written back as override tags (a table of formatting cases), a
// plain event coming back unchanged, positions, alignment prefixes, line breaks, times shown and
// converted for a select, and the duration field.
#include "editor/TShared.h"
#include "editor/tests/EditorTestSupport.h"
#include "editor/ui/TEventEditor.h"
#include "editor/ui/TEventsListing.h"
#include "subtitles/model/TTextEvent.h"
#include "subtitles/profiles/TSelect.h"
#include "subtitles/scripts/TStyles.h"

#include <QLineEdit>
#include <QTextCursor>
#include <QTextEdit>

#include <gtest/gtest.h>

#include <functional>

namespace {

void SetName(char16_t* field, std::u16string_view name) {
    std::copy(name.begin(), name.end(), field);
    field[name.size()] = 0;
}

class EventEditorTest : public ::testing::Test {
protected:
public:
    EventEditorTest() : listing_(shared_) {
        TStyles* style = styles_.Add();
        SetName(style->Record.name, u"Default");
        SetName(style->Record.fontName, u"DejaVu Sans");
        style->Record.fontSize = 20;
        style->Record.primaryColour = 0xFFFFFF;
        style->Record.alignment = 2;
        TStyles* bold = styles_.Add();
        bold->Record = style->Record;
        SetName(bold->Record.name, u"Bold");
        bold->Record.bold = 1;
        event_.AttachRecord(nullptr);
        event_.GetTextRecord()->head.start = 1000;
        event_.GetTextRecord()->head.end = 3000;
    }

    TEventEditor& Editor() { return listing_.Editor(); }
    void Load(const std::u16string& text, const char16_t* style = u"Default", bool advanced = false) {
        event_.SetText(text, false);
        SetName(event_.GetTextRecord()->styleName, style);
        ASSERT_TRUE(Editor().LoadEvent(&event_, &styles_, advanced));
    }
    // Applies a format to the characters [from, to) of the rich view's first line.
    void Format(int from, int to, const std::function<void(QTextCharFormat&)>& change) {
        QTextCursor cursor(Editor().RichView()->document());
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        QTextCharFormat format;
        change(format);
        cursor.mergeCharFormat(format);
    }

protected:
    TShared shared_;
    TEventsListing listing_;
    TPointer<TStyles> styles_;
    TTextEvent event_;
};

} // namespace

TEST_F(EventEditorTest, RichFormattingIsWrittenAsOverrideTags) {
    struct Case {
        const char* name;
        const char16_t* style;
        std::function<void(EventEditorTest&)> edit;
        QString source;
    };
    const Case cases[] = {
        {"bold word", u"Default",
         [](EventEditorTest& t) { t.Format(4, 7, [](auto& f) { f.setFontWeight(QFont::Bold); }); },
         "one {\\b1}two{\\r} three"},
        {"red and bold", u"Default",
         [](EventEditorTest& t) {
             t.Format(4, 7, [](auto& f) {
                 f.setFontWeight(QFont::Bold);
                 f.setForeground(QColor(255, 0, 0));
             });
         },
         "one {\\c&HFF&\\b1}two{\\r} three"},
        {"un-bold on a bold style", u"Bold",
         [](EventEditorTest& t) { t.Format(4, 7, [](auto& f) { f.setFontWeight(QFont::Normal); }); },
         "one {\\b0}two{\\r} three"},
        {"right and top", u"Default", [](EventEditorTest& t) { t.Editor().SetAlignment(7); },
         "{\\a7}one two three"},
        {"back to the style's alignment", u"Default",
         [](EventEditorTest& t) {
             t.Editor().SetAlignment(7);
             t.Editor().SetAlignment(2);
         },
         "one two three"},
        {"underline alone", u"Default",
         [](EventEditorTest& t) { t.Format(4, 7, [](auto& f) { f.setFontUnderline(true); }); },
         "one {}two{\\r} three"},
    };
    for (const Case& c : cases) {
        Load(u"one two three", c.style);
        c.edit(*this);
        EXPECT_EQ(Editor().SourceText(), c.source) << c.name;
        EXPECT_TRUE(Editor().IsPending()) << c.name;
    }
}

TEST_F(EventEditorTest, APlainEventComesBackUnchanged) {
    Load(u"plain text\\nsecond line");
    Editor().RichToSource();
    EXPECT_EQ(Editor().SourceText(), "plain text\\nsecond line");
    Load(u"{\\b1}bold{\\r} end");
    Editor().RichToSource();
    EXPECT_EQ(Editor().SourceText(), "{\\b1}bold{\\r} end");
}

TEST_F(EventEditorTest, PositionsAndLineBreaks) {
    Load(u"a\\Nb", u"Default", true);
    Editor().SetAlignment(7);
    Editor().SetPosition(100, 50);
    EXPECT_EQ(Editor().SourceText(), "{\\a7}{\\pos(100,50)}a\\Nb");

    Load(u"a\\Nb", u"Default", false);
    Editor().SetPosition(100, 50);
    EXPECT_EQ(Editor().SourceText(), "{\\a5}a\\nb");
    EXPECT_EQ(Editor().findChild<QLineEdit*>("Ed_LeftMargin")->text(), "100");
    EXPECT_EQ(Editor().findChild<QLineEdit*>("Ed_RightMargin")->text(), "1");
    EXPECT_EQ(Editor().findChild<QLineEdit*>("Ed_VertMargin")->text(), "50");
    EXPECT_EQ(Editor().Alignment(), 5);
}

TEST_F(EventEditorTest, ApplyWritesTheWorkingCopyBack) {
    Load(u"before");
    Editor().findChild<QTextEdit*>("RichEdit1")->setPlainText("after");
    Editor().SetTimes(1500, -1);
    EXPECT_TRUE(Editor().ApplyEdit(false));
    EXPECT_EQ(event_.GetText(), u"after");
    EXPECT_EQ(event_.GetRecord()->start, 1500);
    EXPECT_EQ(event_.GetRecord()->end, 3000);
    EXPECT_FALSE(Editor().ApplyEdit(false));

    Load(u"kept");
    Editor().findChild<QTextEdit*>("RichEdit1")->setPlainText("dropped");
    EXPECT_FALSE(Editor().ApplyEdit(true));
    EXPECT_EQ(event_.GetText(), u"kept");
}

TEST_F(EventEditorTest, ANegativeDurationShowsZeroInRed) {
    Load(u"x");
    Editor().SetTimes(5000, 4000);
    auto* duration = Editor().findChild<QLineEdit*>("Ed_Duration");
    EXPECT_EQ(duration->text(), "0:00:00.00");
    EXPECT_NE(duration->styleSheet().indexOf("red"), -1);
}
