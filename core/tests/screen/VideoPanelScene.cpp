#include "core/tests/screen/VideoPanelScene.h"

#include "core/include/VokradOrders.h"
#include "core/tests/pages/PageBlockBuilder.h"
#include "platform/testing/TestFont.h"
#include "platform/win/Window.h"
#include "subtitles/model/FixedText.h"
#include "subtitles/model/tests/TestStyleRecord.h"

#include <cstring>

namespace {

const std::u16string kRenderFile =
    u"<GRAPH version=\"1.0\"><RENDERFILE Filename=\"##TOVVAR:FileName##\"/></GRAPH>";
constexpr std::int32_t kShownAt = 1500; // inside the subtitle's interval, 1000 to 2000 ms

} // namespace

VideoPanelScene::VideoPanelScene(QSize panel, TScreenSize screen) {
    panel_.resize(panel);
    plat::win::SetWindowPos(panelWindow_.hwnd(), 0, 0, 0, panel.width(), panel.height(),
                            plat::win::SWP_NOZORDER | plat::win::SWP_NOACTIVATE);
    player_.Player().SetScreenSize([screen] { return screen; });
}

template <class Record> int VideoPanelScene::Send(std::uint32_t order, Record record) {
    record.head = {0, sizeof(Record)};
    return player_.Send(order, &record);
}

bool VideoPanelScene::Start(std::string& failure) {
    if (!LoadTestFont()) {
        failure = "the test font " + TestFontPath() + " is missing (fonts-dejavu-core)";
        return false;
    }
    TOrderParentWindows parents{};
    parents.videoPanel = panelWindow_.hwnd();
    TOrderVideoLayout layout{};
    layout.blankingColour = kBorderColour;
    layout.aspect[13] = 1; // blanking in use, without margins: the border takes the blanking colour
    if (Send(kOrderParentWindows, parents) != 0 || player_.Send(kOrderRefreshPosition) != 0 ||
        Send(kOrderVideoLayout, layout) != 0 || Send(kOrderColourKey, TOrderColourKey{{}, kColourKey}) != 0) {
        failure = "the subtitle screen did not take the panel";
        return false;
    }
    player_.Describe(kRenderFile, EnginePlayer::Fixture("quadrants.mp4"));
    if (player_.Send(kOrderPlay) != 0 ||
        !EnginePlayer::PumpUntil([&] { return player_.Surface()->FrameCount() >= 3; }) ||
        player_.Send(kOrderPauseToggle) != 0) {
        failure = "the clip did not play onto the surface";
        return false;
    }
    if (!SendSubtitles() || !SendMessage()) {
        failure = "the subtitles or the message were refused";
        return false;
    }
    const bool settled = EnginePlayer::PumpUntil([&] {
        const std::lock_guard lock(player_.Player().SubtitleLock());
        return !player_.Player().LayoutPending();
    });
    player_.Player().Clock()->Step(kShownAt);
    if (!settled) {
        failure = "the layout did not settle";
        return false;
    }
    return true;
}

// A magenta style with a black outline and shadow, and one event shown from 1000 ms up to 2000 ms.
bool VideoPanelScene::SendSubtitles() {
    TOrderStyles styles{};
    const TSubtitleStyleRecord style = TestStyleRecord({.font = kTestFontFamily,
                                                        .fontSize = 20,
                                                        .primary = kSubtitleColour,
                                                        .outline = 1,
                                                        .shadow = 1,
                                                        .marginLR = 0});
    std::memcpy(styles.style, &style, sizeof(style));
    styles.step = 4;
    const bool styled = Send(kOrderStyles, styles) == 0;
    styles.step = 3;
    std::vector<std::byte> pages = PageBlockBuilder::Order(1, {{1, 1000, 2000, 0, u"Subtitle"}});
    return styled && Send(kOrderStyles, styles) == 0 &&
           player_.Send(kOrderSubtitlePages, pages.data()) == 0 &&
           Send(kOrderProfileTitle, TOrderProfileTitle{{}, 1}) == 0 &&
           Send(kOrderSubtitlesOn, TOrderSubtitlesOn{{}, 1, {}}) == 0;
}

// The on-screen style as the core starts it, in the test font; the message stays until cleared.
bool VideoPanelScene::SendMessage() {
    TOrderOsdStyle style{};
    TSubtitleStyleRecord record = TOsdQueue::DefaultStyle();
    SetFixedText(record.fontName, kStyleFontNameUnits, kTestFontFamily);
    std::memcpy(style.style, &record, sizeof(record));
    style.enabled = 1;
    TOrderOsdItem item{};
    item.type = kOsdItemText;
    item.data = kMessage;
    item.dataBytes = sizeof(kMessage);
    return player_.Send(kOrderFreezeMessages) == 0 && Send(kOrderOsdStyle, style) == 0 &&
           Send(kOrderOsdItem, item) == 0 && player_.Send(kOrderUnfreezeMessages) == 0;
}

QRect VideoPanelScene::PictureRect() {
    TOrderVideoRectangle rectangle{};
    rectangle.head = {0, sizeof(rectangle)};
    if (player_.Send(kOrderVideoRectangle, &rectangle) != 0) {
        return {};
    }
    return QRect(QPoint(rectangle.left, rectangle.top), QPoint(rectangle.right - 1, rectangle.bottom - 1));
}

QImage VideoPanelScene::Grab() {
    return panel_.grab().toImage().convertToFormat(QImage::Format_RGB32);
}
