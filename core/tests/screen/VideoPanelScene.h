#pragma once
// A generated clip playing through the real core into a video panel widget, with a subtitle page and
// an on-screen message over it, as a host program would set it up: the panel's window is the
// subtitle screen's parent (order 202), which takes its size (order 150); the clip plays and pauses,
// the style and the page arrive with orders 503, 502, 505 and 501, the message with 604, 602 and 601,
// and the clock stands inside the subtitle's interval. The colour key is the player's (the core starts
// with black, which would key the black outlines and shadows out).
#include "core/tests/engine/EnginePlayer.h"
#include "platform/video/VideoPanel.h"
#include "platform/win/tests/TestWindow.h"

#include <QImage>
#include <QRect>

#include <memory>
#include <string>

class VideoPanelScene {
public:
    // Colours drawn in 0x00BBGGRR, and as the panel shows them.
    static constexpr std::uint32_t kSubtitleColour = 0xFF00FF; // magenta: the clip never shows it
    static constexpr std::uint32_t kBorderColour = 0x404040;   // the bars around the picture
    static constexpr std::uint32_t kColourKey = 0x101010;      // the key a player sends (order 203)
    static constexpr QRgb kSubtitleRgb = 0xFFFF00FFu;
    static constexpr QRgb kMessageRgb = 0xFFFFFF00u; // the on-screen style's yellow
    static constexpr QRgb kBorderRgb = 0xFF404040u;
    static constexpr char16_t kMessage[] = u"Pause";

    // The primary screen is 1024 x 768 unless given.
    explicit VideoPanelScene(QSize panel, TScreenSize screen = {1024, 768});

    // Plays the clip and sets the subtitles and the message up; the reason when something failed.
    bool Start(std::string& failure);
    // Order 308: where the picture lies in the panel.
    QRect PictureRect();
    // The panel as it paints itself now.
    QImage Grab();
    plat::video::VideoPanel& Panel() { return panel_; }

private:
    template <class Record> int Send(std::uint32_t order, Record record);
    bool SendSubtitles();
    bool SendMessage();

    EnginePlayer player_{EnginePlayer::Renderers::Surface};
    plat::win::testing::TestWindow panelWindow_;
    plat::video::VideoPanel panel_{player_.Surface()};
};
