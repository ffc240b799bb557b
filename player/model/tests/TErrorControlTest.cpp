#include "player/model/binding/PlayerGlobals.h"
#include "player/model/mainwindow/IMainWindowServices.h"
#include "player/model/tests/EventRecorder.h"
#include "player/model/tests/PlayerTestSupport.h"

#include <gtest/gtest.h>

namespace {

TEST(TErrorControl, ListenersOrTheMessageBoxByLevel) {
    struct Case {
        bool listening;
        int8_t level;
        bool boxShown;
    };
    const Case cases[] = {{false, 0, true}, {false, 5, true}, {false, 6, false},
                          {true, 0, false}, {true, 6, false}, {true, -3, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "listening " << c.listening << ", level " << int{c.level});
        TPlayerGlobalsScope globals;
        TEventRecorder listener;
        if (c.listening) {
            ErrorControl()->AddListener(&listener, 1, &TEventRecorder::Callback);
        }
        ReportError(c.level, u"::TEST:: %s %d", u"value", 42);
        const std::vector expected =
            c.listening ? std::vector{TRecordedEvent{kEventError, 0, c.level, 0, u"::TEST:: value 42"}}
                        : std::vector<TRecordedEvent>{};
        EXPECT_EQ(listener.events, expected);
        ASSERT_EQ(globals.box.shown.size(), c.boxShown ? 1u : 0u);
        if (c.boxShown) {
            EXPECT_EQ(globals.box.shown[0].text, u"::TEST:: value 42");
            EXPECT_EQ(globals.box.shown[0].caption, u"Error :");
            EXPECT_EQ(globals.box.shown[0].style, 0x10030u);
        }
    }
}

TEST(TErrorControl, TextsAreCutTo4095UnitsWithoutSplittingASurrogatePair) {
    TPlayerGlobalsScope globals;
    const std::u16string exact(4095, u'x');
    std::u16string pairAtTheCut(4094, u'y');
    pairAtTheCut += u"\U0001F600tail";
    for (const auto& [text, expected] : {std::pair{exact + u"more", exact}, std::pair{exact, exact},
                                         std::pair{pairAtTheCut, pairAtTheCut.substr(0, 4094)}}) {
        ReportError(0, u"%s", text);
        ASSERT_FALSE(globals.box.shown.empty());
        EXPECT_EQ(globals.box.shown.back().text, expected);
    }
}

TEST(TErrorControl, ReportErrorWithoutTheErrorControlDoesNothing) {
    ASSERT_EQ(ErrorControl(), nullptr);
    ReportError(0, u"nobody hears %d", 1);
    TPlayerGlobalsScope globals;
    TEventRecorder listener;
    ErrorControl()->AddListener(&listener, 1, &TEventRecorder::Callback);
    ErrorControl()->AddListener(&listener, 1, nullptr);
    ReportError(6, u"gone");
    EXPECT_TRUE(listener.events.empty());
    EXPECT_TRUE(globals.box.shown.empty());
}

class TMainWindow : public IMainWindowServices {
public:
    uint8_t OnPlayerEvent(uint32_t event, intptr_t a, intptr_t b, intptr_t c) override {
        heard.push_back({event, 0, b, c, reinterpret_cast<const char16_t*>(a)});
        return 1;
    }
    std::vector<TRecordedEvent> heard;
};

TEST(TErrorControl, TheMainWindowListensThroughItsServices) {
    TPlayerGlobalsScope globals;
    TMainWindow window;
    ErrorControl()->AddListener(&window, IMainWindowServices::kListenerTag,
                                &IMainWindowServices::PlayerEventCallback);
    ReportError(5, u"::AUD::SET:: Invalid Audio stream");
    EXPECT_EQ(window.heard,
              (std::vector{TRecordedEvent{kEventError, 0, 5, 0, u"::AUD::SET:: Invalid Audio stream"}}));
    EXPECT_TRUE(globals.box.shown.empty());
}

} // namespace
