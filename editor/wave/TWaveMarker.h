#pragma once
// The marked ranges drawn over the wave (the current event's start and end) and the play cursor.
#include "editor/wave/TMarkerEntry.h"
#include "foundation/TPointer.h"

#include <QRect>

#include <cstdint>

class QPainter;

class TWaveMarker {
public:
    // Appends a range, renumbers the list and answers the new entry's number.
    int32_t AddMarker(int32_t startMs, int32_t endMs, int32_t kind);
    // With -1 removes every entry; answers 0.
    int32_t RemoveMarkers(int32_t number);
    // The play cursor (-1 or a time outside the view: not drawn).
    void SetPosition(int32_t ms) { position_ = ms; }
    int32_t Position() const { return position_; }
    const TPointer<TMarkerEntry>& Entries() const { return entries_; }

    // Draws, over the view of `spanMs` from `viewStartMs` across the rectangle: every range that
    // overlaps the view inverted with yellow corner triangles and dotted edges, then the cursor as
    // a red line.
    void Paint(QPainter& canvas, const QRect& rect, int32_t viewStartMs, int32_t spanMs) const;

private:
    void PaintRange(QPainter& canvas, int32_t x1, int32_t x2, int32_t top, int32_t bottom) const;

    TPointer<TMarkerEntry> entries_;
    int32_t position_ = -1;
};
