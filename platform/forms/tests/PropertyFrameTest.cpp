// The properties frame on real elements: an editor of the right kind per property, named after it;
// values written on OK, and only the changed ones; nothing on Cancel; texts that must parse; the
// frame shown modal, placed at the owner, on the application's thread from any thread.
#include "platform/forms/PropertyFrameHost.h"
#include "platform/forms/WideSpinBox.h"
#include "platform/forms/tests/ScriptedDialogRunner.h"
#include "platform/media/GstInit.h"
#include "platform/media/GstRef.h"
#include "platform/win/Window.h"
#include "platform/win/tests/TestWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QEventLoop>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <limits>
#include <set>
#include <string>
#include <thread>

namespace plat::forms::test {
namespace {

using media::ElementRef;
using Value = WideSpinBox::Value;

ElementRef Make(const char* factory) {
    media::EnsureGstInitialized();
    return ElementRef::Sink(gst_element_factory_make(factory, nullptr));
}

QWidget* Field(PropertyFrame& frame, const char* property) {
    return frame.findChild<QWidget*>(QString::fromUtf8(property));
}

template <class Widget> Widget* FieldAs(PropertyFrame& frame, const char* property) {
    auto* widget = dynamic_cast<Widget*>(Field(frame, property));
    EXPECT_NE(widget, nullptr) << property;
    return widget;
}

// The names of the properties set on an object while it is watched.
class NotifyLog {
public:
    explicit NotifyLog(GstElement* element) : element_(element) {
        handler_ = g_signal_connect(element, "notify", G_CALLBACK(&NotifyLog::OnNotify), &names_);
    }
    ~NotifyLog() { g_signal_handler_disconnect(element_, handler_); }
    const std::set<std::string>& Names() const { return names_; }

private:
    static void OnNotify(GObject*, GParamSpec* spec, std::set<std::string>* names) {
        names->insert(g_param_spec_get_name(spec));
    }
    GstElement* element_;
    gulong handler_ = 0;
    std::set<std::string> names_;
};

enum class Kind { Check, Spin, Real, Choice, Line, Flags };

Kind KindOf(QWidget* widget) {
    if (dynamic_cast<WideSpinBox*>(widget) != nullptr) {
        return Kind::Spin;
    }
    if (dynamic_cast<QDoubleSpinBox*>(widget) != nullptr) {
        return Kind::Real;
    }
    if (dynamic_cast<QCheckBox*>(widget) != nullptr) {
        return Kind::Check;
    }
    if (dynamic_cast<QComboBox*>(widget) != nullptr) {
        return Kind::Choice;
    }
    if (dynamic_cast<QLineEdit*>(widget) != nullptr) {
        return Kind::Line;
    }
    return Kind::Flags;
}

TEST(PropertyFrameTest, EveryShownPropertyHasAnEditorOfItsKindNamedAfterIt) {
    constexpr Value kInt64Min = std::numeric_limits<std::int64_t>::min();
    constexpr Value kInt64Max = std::numeric_limits<std::int64_t>::max();
    constexpr Value kUint64Max = std::numeric_limits<std::uint64_t>::max();
    struct Case {
        const char* factory;
        const char* property;
        Kind kind;
        bool enabled;
        Value minimum = 0, maximum = 0; // spin boxes only
    };
    const Case cases[] = {
        {"videotestsrc", "is-live", Kind::Check, true},
        {"videotestsrc", "pattern", Kind::Choice, true},
        {"videotestsrc", "num-buffers", Kind::Spin, true, -1, std::numeric_limits<std::int32_t>::max()},
        {"videotestsrc", "foreground-color", Kind::Spin, true, 0, std::numeric_limits<std::uint32_t>::max()},
        {"videotestsrc", "timestamp-offset", Kind::Spin, true, 0, kInt64Max},
        {"fakesink", "ts-offset", Kind::Spin, true, kInt64Min, kInt64Max},
        {"queue", "max-size-time", Kind::Spin, true, 0, kUint64Max},
        {"queue", "current-level-buffers", Kind::Spin, false, 0, std::numeric_limits<std::uint32_t>::max()},
        {"volume", "volume", Kind::Real, true},
        {"filesrc", "location", Kind::Line, true},
        {"capsfilter", "caps", Kind::Line, true},
        {"playbin", "flags", Kind::Flags, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.factory) + "." + c.property);
        const ElementRef element = Make(c.factory);
        ASSERT_TRUE(element);
        PropertyFrame frame(element.get(), QStringLiteral("caption"));
        QWidget* field = Field(frame, c.property);
        ASSERT_NE(field, nullptr);
        EXPECT_EQ(KindOf(field), c.kind);
        EXPECT_EQ(field->isEnabled(), c.enabled);
        EXPECT_FALSE(field->toolTip().isEmpty()) << "the property's description";
        if (auto* spin = dynamic_cast<WideSpinBox*>(field)) {
            EXPECT_TRUE(spin->minimum() == c.minimum && spin->maximum() == c.maximum)
                << WideSpinBox::Text(spin->minimum()).toStdString() << " "
                << WideSpinBox::Text(spin->maximum()).toStdString();
        }
        for (const char* plumbing : {"name", "parent", "async-handling", "message-forward", "delay"}) {
            EXPECT_EQ(Field(frame, plumbing), nullptr) << plumbing;
        }
    }
    // Objects, samples and other opaque values have no editor.
    const ElementRef player = Make("playbin");
    PropertyFrame frame(player.get(), QString());
    EXPECT_EQ(Field(frame, "video-sink"), nullptr);
    EXPECT_EQ(Field(frame, "sample"), nullptr);
    const ElementRef sink = Make("fakesink");
    PropertyFrame sinkFrame(sink.get(), QString());
    EXPECT_EQ(Field(sinkFrame, "last-sample"), nullptr);
    EXPECT_NE(Field(sinkFrame, "sync"), nullptr);
}

TEST(PropertyFrameTest, OkWritesTheChangedValuesAndOnlyThose) {
    const ElementRef source = Make("videotestsrc");
    g_object_set(source.get(), "foreground-color", 0xFFFFFFFFu, "timestamp-offset", G_GINT64_CONSTANT(7),
                 nullptr);
    const NotifyLog log(source.get());
    ScriptedDialogRunner runner([](PropertyFrame& frame) {
        FieldAs<QCheckBox>(frame, "is-live")->setChecked(true);
        auto* pattern = FieldAs<QComboBox>(frame, "pattern");
        pattern->setCurrentIndex(pattern->findText(QStringLiteral("Random (television snow)")));
        FieldAs<WideSpinBox>(frame, "foreground-color")->setValue(0x12345678);
        FieldAs<WideSpinBox>(frame, "timestamp-offset")->setValue(std::numeric_limits<std::int64_t>::max());
        // Edited and put back: unchanged.
        FieldAs<WideSpinBox>(frame, "num-buffers")->setValue(5);
        FieldAs<WideSpinBox>(frame, "num-buffers")->setValue(-1);
        return QDialog::Accepted;
    });

    ASSERT_TRUE(OleCreatePropertyFrame(0, 0, 0, u"Pattern", source.get()));

    gboolean live = FALSE;
    gint pattern = 0;
    guint colour = 0;
    gint64 offset = 0;
    g_object_get(source.get(), "is-live", &live, "pattern", &pattern, "foreground-color", &colour,
                 "timestamp-offset", &offset, nullptr);
    EXPECT_TRUE(live);
    EXPECT_EQ(pattern, 1);
    EXPECT_EQ(colour, 0x12345678u);
    EXPECT_EQ(offset, std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(log.Names(),
              (std::set<std::string>{"is-live", "pattern", "foreground-color", "timestamp-offset"}));

    const ElementRef sink = Make("fakesink");
    ScriptedDialogRunner lowest([](PropertyFrame& frame) {
        FieldAs<WideSpinBox>(frame, "ts-offset")->setValue(std::numeric_limits<std::int64_t>::min());
        return QDialog::Accepted;
    });
    ASSERT_TRUE(OleCreatePropertyFrame(0, 0, 0, u"Sink", sink.get()));
    g_object_get(sink.get(), "ts-offset", &offset, nullptr);
    EXPECT_EQ(offset, std::numeric_limits<std::int64_t>::min());
}

TEST(PropertyFrameTest, CancelWritesNothing) {
    const ElementRef gain = Make("volume");
    const NotifyLog log(gain.get());
    ScriptedDialogRunner runner([](PropertyFrame& frame) {
        FieldAs<QDoubleSpinBox>(frame, "volume")->setValue(2.5);
        FieldAs<QCheckBox>(frame, "mute")->setChecked(true);
        return QDialog::Rejected;
    });
    ASSERT_TRUE(OleCreatePropertyFrame(0, 0, 0, u"Gain", gain.get()));
    gdouble volume = 0;
    gboolean mute = TRUE;
    g_object_get(gain.get(), "volume", &volume, "mute", &mute, nullptr);
    EXPECT_EQ(volume, 1.0);
    EXPECT_FALSE(mute);
    EXPECT_TRUE(log.Names().empty());

    ScriptedDialogRunner accepting([](PropertyFrame& frame) {
        FieldAs<QDoubleSpinBox>(frame, "volume")->setValue(2.5);
        return QDialog::Accepted;
    });
    ASSERT_TRUE(OleCreatePropertyFrame(0, 0, 0, u"Gain", gain.get()));
    g_object_get(gain.get(), "volume", &volume, nullptr);
    EXPECT_EQ(volume, 2.5);
}

// GObject's complaints while a test runs.
class GObjectWarnings {
public:
    GObjectWarnings()
        : handler_(g_log_set_handler("GLib-GObject",
                                     GLogLevelFlags(G_LOG_LEVEL_WARNING | G_LOG_LEVEL_CRITICAL),
                                     &GObjectWarnings::Count, &count_)) {}
    ~GObjectWarnings() { g_log_remove_handler("GLib-GObject", handler_); }
    int Count() const { return count_; }

private:
    static void Count(const gchar*, GLogLevelFlags, const gchar*, gpointer count) {
        ++*static_cast<int*>(count);
    }
    int count_ = 0;
    guint handler_;
};

TEST(PropertyFrameTest, APropertyThatCannotChangeIsNeverWritten) {
    const ElementRef queue = Make("queue");
    const GObjectWarnings warnings;
    const NotifyLog log(queue.get());
    ScriptedDialogRunner runner([](PropertyFrame& frame) {
        auto* level = FieldAs<WideSpinBox>(frame, "current-level-buffers");
        EXPECT_FALSE(level->isEnabled());
        level->setValue(5); // what no user can do
        FieldAs<WideSpinBox>(frame, "max-size-buffers")->setValue(7);
        return QDialog::Accepted;
    });
    ASSERT_TRUE(OleCreatePropertyFrame(0, 0, 0, u"Queue", queue.get()));
    EXPECT_EQ(log.Names(), std::set<std::string>{"max-size-buffers"});
    EXPECT_EQ(warnings.Count(), 0);
}

TEST(PropertyFrameTest, TextsAndTextFormsOfValueTypes) {
    const ElementRef source = Make("filesrc");
    const ElementRef filter = Make("capsfilter");
    ScriptedDialogRunner runner([](PropertyFrame& frame) {
        if (auto* location = Field(frame, "location")) {
            EXPECT_EQ(dynamic_cast<QLineEdit*>(location)->text(), QString()) << "no file yet";
            dynamic_cast<QLineEdit*>(location)->setText(QStringLiteral("/tmp/clip \"1\".ogg"));
            return QDialog::Accepted;
        }
        auto* caps = FieldAs<QLineEdit>(frame, "caps");
        auto* ok = frame.findChild<QPushButton*>(QStringLiteral("Bt_Ok"));
        EXPECT_TRUE(ok->isEnabled());
        caps->setText(QStringLiteral("video/x-raw, width=(int)"));
        EXPECT_FALSE(ok->isEnabled()) << "a text that does not parse cannot be confirmed";
        caps->setText(QStringLiteral("video/x-raw, width=(int)320"));
        EXPECT_TRUE(ok->isEnabled());
        return QDialog::Accepted;
    });
    ASSERT_TRUE(OleCreatePropertyFrame(0, 0, 0, u"Source", source.get()));
    ASSERT_TRUE(OleCreatePropertyFrame(0, 0, 0, u"Filter", filter.get()));

    gchar* location = nullptr;
    g_object_get(source.get(), "location", &location, nullptr);
    EXPECT_STREQ(location, "/tmp/clip \"1\".ogg");
    g_free(location);
    GstCaps* caps = nullptr;
    g_object_get(filter.get(), "caps", &caps, nullptr);
    const media::CapsRef held = media::CapsRef::Adopt(caps);
    const media::CapsRef wanted = media::CapsRef::Adopt(gst_caps_from_string("video/x-raw, width=(int)320"));
    EXPECT_TRUE(gst_caps_is_equal(held.get(), wanted.get()));
}

TEST(PropertyFrameTest, FlagsSetAndClearTheirBitsAndKeepTheOthers) {
    const ElementRef player = Make("playbin");
    guint before = 0;
    g_object_get(player.get(), "flags", &before, nullptr);
    constexpr guint kAudio = 0x2, kVisualisation = 0x8;
    g_object_set(player.get(), "flags", (before | kAudio) & ~kVisualisation, nullptr);
    ScriptedDialogRunner runner([](PropertyFrame& frame) {
        QWidget* flags = Field(frame, "flags");
        EXPECT_TRUE(flags->findChild<QCheckBox*>(QStringLiteral("audio"))->isChecked());
        flags->findChild<QCheckBox*>(QStringLiteral("audio"))->setChecked(false);
        flags->findChild<QCheckBox*>(QStringLiteral("vis"))->setChecked(true);
        return QDialog::Accepted;
    });
    ASSERT_TRUE(OleCreatePropertyFrame(0, 0, 0, u"Player", player.get()));
    guint after = 0;
    g_object_get(player.get(), "flags", &after, nullptr);
    EXPECT_EQ(after, (before & ~kAudio) | kVisualisation);
}

TEST(PropertyFrameTest, ShownModalWithItsCaptionAtTheOwnersClientArea) {
    win::testing::TestWindow owner;
    ASSERT_TRUE(win::SetWindowPos(owner.hwnd(), 0, 120, 80, 300, 200, win::SWP_NOZORDER));
    const ElementRef gain = Make("volume");
    ScriptedDialogRunner runner(&ScriptedDialogRunner::Cancel);

    ASSERT_TRUE(OleCreatePropertyFrame(owner.hwnd(), 10, 20, u"Gain \u00e9", gain.get()));
    ASSERT_TRUE(OleCreatePropertyFrame(0, 5, 6, u"", gain.get()));

    const auto shown = runner.ShownFrames();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].title, QStringLiteral("Gain \u00e9"));
    EXPECT_EQ(shown[0].position, QPoint(130, 100));
    EXPECT_TRUE(shown[0].modal);
    EXPECT_EQ(shown[0].properties, (std::vector<std::string>{"qos", "mute", "volume"}));
    EXPECT_EQ(shown[1].title, QString());
    EXPECT_EQ(shown[1].position, QPoint(5, 6));
}

TEST(PropertyFrameTest, NothingIsShownForAnElementWithoutPropertiesToShow) {
    const ElementRef demuxer = Make("oggdemux");
    ScriptedDialogRunner runner(&ScriptedDialogRunner::Accept);
    EXPECT_FALSE(OleCreatePropertyFrame(0, 0, 0, u"Demuxer", demuxer.get()));
    EXPECT_FALSE(OleCreatePropertyFrame(0, 0, 0, u"None", nullptr));
    EXPECT_TRUE(runner.ShownFrames().empty());
}

TEST(PropertyFrameTest, ACallFromAnotherThreadIsShownOnTheApplicationThreadAndWaits) {
    const ElementRef gain = Make("volume");
    ScriptedDialogRunner runner([](PropertyFrame& frame) {
        FieldAs<QCheckBox>(frame, "mute")->setChecked(true);
        return QDialog::Accepted;
    });
    bool shown = false;
    gboolean muteWhenReturned = FALSE;
    std::atomic<bool> returned = false;
    QObject wake; // an event to it ends the main thread's wait; the event itself carries nothing
    std::thread caller([&] {
        shown = OleCreatePropertyFrame(0, 0, 0, u"Gain", gain.get());
        g_object_get(gain.get(), "mute", &muteWhenReturned, nullptr);
        returned = true;
        QCoreApplication::postEvent(&wake, new QEvent(QEvent::User));
    });
    while (!returned) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    caller.join();
    EXPECT_TRUE(shown);
    EXPECT_TRUE(muteWhenReturned) << "the call returns once the frame has closed";
    const auto frames = runner.ShownFrames();
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_TRUE(frames[0].onApplicationThread);
}

} // namespace
} // namespace plat::forms::test
