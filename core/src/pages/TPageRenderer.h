#pragma once
// Lays out, places and draws subtitle pages. A layout binds each event to its style (by name without
// regard to case, else the first style) and the page's mapping, lays it out, and places the events of
// every time slot in time order, so that an event keeps its place while later slots hold it. That work
// is done for a slot when it is first shown, and kept: a slot is placed after the earlier slots it
// shares events with, so places come out as a layout of the whole page in time order gives them, while
// a long page costs only what is shown of it. Placing
// puts an event by its alignment and margins, or at its \pos position, and stacks events of one layer
// that would overlap: bottom and middle events move above, top events below, and each move counts
// toward the colour the event is drawn in. Drawing paints the shown slot's events at the page's time.
//
// Use: under the subtitle lock, select the time (TSubDisplay::SetTime), then draw into a device
// context on the back picture, e.g. `plat::gdi::ImageDc dc(image); display.Paint(&dc, false, nullptr);`.
#include "core/src/pages/TPageLayouter.h"
#include "platform/gdi/TextMeasurer.h"
#include "subtitles/model/TDrawOverrides.h"

#include <functional>
#include <memory>

class TChronoEvents;
class TFontPool;

class TPageRenderer : public TPageLayouter {
public:
    // Makes the context the layout measures text on.
    using MeasurerFactory = std::function<std::unique_ptr<plat::gdi::TextMeasurer>()>;

    // Measures on a memory context over Qt (fonts at 96 pixels per inch).
    TPageRenderer();
    explicit TPageRenderer(MeasurerFactory makeMeasurer);

    void Layout(TTitleBlock& page, std::int32_t wrapOverride) override;
    void LayOutShown(TTitleBlock& page) override;
    bool Paint(TTitleBlock& page, plat::gdi::Dc* dc, std::int32_t time, bool replace,
               TSubEvents* single) override;

    // The outline method, outline width and shadow depth drawing uses in place of the styles' own.
    void SetDrawOverrides(const TDrawOverrides& overrides) { overrides_ = overrides; }
    const TDrawOverrides& DrawOverrides() const { return overrides_; }

private:
    // Binds the event to its style and the page's mapping and lays it out, once per layout.
    void LayOutEvent(TTitleBlock& page, TSubEvents& event, TFontPool& pool);
    // Lays out the slot's events and places them, keeping the places of events the slot before it holds.
    void PlaceSlot(TTitleBlock& page, TChronoEvents& slot, TFontPool& pool);
    // Computes the entry of event `index` of the shown slot.
    void Place(TTitleBlock& page, TChronoEvents& slot, std::size_t index);

    MeasurerFactory makeMeasurer_;
    TDrawOverrides overrides_;
};
