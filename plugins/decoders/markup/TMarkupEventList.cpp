#include "plugins/decoders/markup/TMarkupEventList.h"

#include <utility>

namespace {

// What an event costs in the written script besides its text and name.
constexpr std::size_t kLineOverhead = 64;

} // namespace

bool TMarkupEventList::Add(TMarkupEvent event) {
    const std::size_t cost = event.Text.size() + event.Name.size() + event.Style.size() + kLineOverhead;
    if (cost > kMaxTextBytes - FTextBytes) {
        return false;
    }
    FTextBytes += cost;
    FEvents.push_back(std::move(event));
    return true;
}

void TMarkupEventList::AddText(int32_t start, int32_t end, const TSubtitleText& text) {
    if (text.IsBlank()) {
        return;
    }
    TMarkupEvent event;
    event.Start = start;
    event.End = end;
    event.Style = "Default";
    event.Text = text.Text();
    Add(std::move(event));
}
