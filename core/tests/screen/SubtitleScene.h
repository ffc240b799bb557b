#pragma once
// Subtitles through a player's orders as the programs send them, and the pictures that show them: a
// magenta style with a page of events for a page key, the current picture (order 260) as an image,
// and which of a short and a long subtitle a picture shows.
#include "core/tests/engine/EnginePlayer.h"
#include "core/tests/pages/PageBlockBuilder.h"

#include <QImage>

#include <cstdint>
#include <vector>

class SubtitleScene {
public:
    // Magenta: a colour no test clip or disc shows.
    static constexpr QRgb kMagenta = 0xFFFF00FFu;

    enum class Shown { None, Short, Long };

    explicit SubtitleScene(EnginePlayer& player) : player_(player) {}

    // The style, then the events as the page of the key, the page chosen and subtitles on; false when
    // an order fails.
    bool SendScript(std::uint32_t pageKey, const std::vector<TTestEvent>& events);
    // The current picture, order 260's bitmap file image freed as a client frees it; null when none.
    QImage CurrentPicture();
    bool LayoutPending();

    // A short subtitle takes less than a third of the picture's width, a long one more.
    static Shown SubtitleIn(const QImage& picture);

    template <class Record> int Send(std::uint32_t order, Record record) {
        record.head = {0, sizeof(Record)};
        return player_.Send(order, &record);
    }

private:
    EnginePlayer& player_;
};
