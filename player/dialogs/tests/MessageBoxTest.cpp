// The player's message box: which reports appear, in which colour, how messages pile up while the box
// stays open and start afresh after it closed, and that silent mode shows and changes nothing.
#include "player/dialogs/TErrMessage.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLayout>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>

#include <string>
#include <vector>

namespace {

struct TShownBlock {
    QString text;
    QColor colour;
};

std::vector<TShownBlock> Blocks(const TErrMessage& box) {
    std::vector<TShownBlock> blocks;
    for (QTextBlock block = box.Messages()->document()->begin(); block.isValid(); block = block.next()) {
        const QTextCharFormat format =
            block.begin().atEnd() ? block.charFormat() : block.begin().fragment().charFormat();
        blocks.push_back({block.text(), format.foreground().color()});
    }
    return blocks;
}

class MessageBoxTest : public ::testing::Test {
protected:
    TErrMessage box_;
};

TEST_F(MessageBoxTest, ReportsShowOnlyErrorsUnlessForcedInTheirKindsColour) {
    struct Case {
        const char* name;
        uint8_t kind;
        bool force;
        bool shown;
        QColor colour;
    };
    const Case cases[] = {
        {"error", TErrMessage::kError, false, true, QColor(0xFF, 0, 0)},
        {"player error", TErrMessage::kPlayerError, false, true, QColor(0xFF, 0, 0)},
        {"warning", TErrMessage::kWarning, false, false, {}},
        {"information", TErrMessage::kInformation, false, false, {}},
        {"forced warning", TErrMessage::kWarning, true, true, QColor(0xFF, 0x80, 0)},
        {"forced information", TErrMessage::kInformation, true, true, QColor(0, 0x80, 0)},
        {"forced unknown kind", 4, true, true, QColor(Qt::black)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        box_.hide();
        box_.Messages()->clear();
        box_.Report(c.kind, "Fichier \xC3\xA9trange", c.force);
        EXPECT_EQ(box_.isVisible(), c.shown);
        EXPECT_EQ(box_.ShowPending(), c.shown);
        if (c.shown) {
            const auto blocks = Blocks(box_);
            ASSERT_EQ(blocks.size(), 2u);
            EXPECT_EQ(blocks[0].text, "");
            EXPECT_EQ(blocks[1].text, QString::fromUtf8("Fichier \xC3\xA9trange"));
            EXPECT_EQ(blocks[1].colour, c.colour);
        } else {
            EXPECT_TRUE(box_.Messages()->document()->isEmpty());
        }
    }
}

TEST_F(MessageBoxTest, MessagesPileUpWhileOpenAndStartAfreshAfterClose) {
    box_.Report(TErrMessage::kPlayerError, "first", false);
    box_.Report(TErrMessage::kPlayerError, "second", false);
    const auto blocks = Blocks(box_);
    ASSERT_EQ(blocks.size(), 4u);
    EXPECT_EQ(box_.Text(), "\nfirst\n\nsecond");
    EXPECT_EQ(blocks[3].colour, QColor(0xFF, 0, 0));

    // An unforced warning leaves the open box exactly as it was.
    const QString before = box_.Messages()->toHtml();
    box_.Report(TErrMessage::kWarning, "ignored", false);
    EXPECT_EQ(box_.Messages()->toHtml(), before);
    EXPECT_TRUE(box_.isVisible());
    EXPECT_FALSE(box_.ShowPending());

    QTest::keyClick(&box_, Qt::Key_Escape);
    EXPECT_FALSE(box_.isVisible());
    box_.Report(TErrMessage::kError, "third", false);
    EXPECT_EQ(box_.Text(), "\nthird");
    EXPECT_TRUE(box_.isVisible());
}

TEST_F(MessageBoxTest, TheCloseButtonHidesTheBoxAndKeepsItsText) {
    box_.Report(TErrMessage::kError, "kept", false);
    auto* close = box_.findChild<QWidget*>("Bt_Close");
    ASSERT_NE(close, nullptr);
    QTest::mouseClick(close, Qt::LeftButton);
    EXPECT_FALSE(box_.isVisible());
    EXPECT_EQ(box_.result(), 1);
    EXPECT_EQ(box_.Text(), "\nkept");
}

TEST_F(MessageBoxTest, SilentModeShowsAndChangesNothing) {
    box_.Report(TErrMessage::kError, "before", false);
    box_.hide();
    box_.SetSilent(true);
    for (uint8_t kind = 0; kind <= 3; ++kind) {
        box_.Report(kind, "silenced", true);
    }
    EXPECT_FALSE(box_.isVisible());
    EXPECT_EQ(box_.Text(), "\nbefore");
}

TEST_F(MessageBoxTest, AShownBoxTakesTheKeyboardAndEnterOrEscapeCloseIt) {
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        SCOPED_TRACE(key);
        box_.Report(TErrMessage::kError, "to close", false);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&box_));
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        EXPECT_EQ(focus->objectName(), "Bt_Close");
        QTest::keyClick(focus, key);
        EXPECT_FALSE(box_.isVisible());
    }
}

TEST_F(MessageBoxTest, TheSkinsIconStaysClearOfTheCaptionAndTheMessages) {
    QImage icon(48, 48, QImage::Format_RGB32);
    icon.fill(Qt::blue);
    box_.ApplySkin(icon);
    box_.Report(TErrMessage::kError, "beside the icon", false);
    const QRect iconPlace(QPoint(0, 0), icon.size());
    for (const char* name : {"Lb_Caption", "Shape1"}) {
        auto* widget = box_.findChild<QWidget*>(name);
        ASSERT_NE(widget, nullptr) << name;
        const QRect place(widget->mapTo(&box_, QPoint(0, 0)), widget->size());
        const QRect shown =
            name == std::string("Lb_Caption")
                ? QRect(place.topLeft(),
                        QSize(widget->fontMetrics().horizontalAdvance("Message"), place.height()))
                : place;
        EXPECT_FALSE(shown.intersects(iconPlace)) << name;
    }
    // A picture as wide as the box is its background: the messages keep their place.
    QImage background(box_.width(), box_.height(), QImage::Format_RGB32);
    background.fill(Qt::gray);
    box_.ApplySkin(background);
    box_.layout()->activate();
    EXPECT_LT(box_.findChild<QWidget*>("Shape1")->x(), icon.width());
}

} // namespace
