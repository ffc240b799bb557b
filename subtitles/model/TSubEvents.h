#pragma once
// The base of every subtitle item (text events, and the core's bitmap items): its kind, its fixed
// record (owned or designating a derived class's record), the style and screen mapping it is laid
// out for, its laid-out extent and scales. Items of a script or of a core page are threaded through
// their own list links (TPointer<TSubEvents>).
//
// Time convention: an item is shown from its start up to, not including, its end.
#include "core/include/SubtitleRecords.h"
#include "foundation/TPointer.h"

#include <cstddef>
#include <cstdint>
#include <memory>

class TSubScreenControler;
class TFontPool;
namespace plat::gdi {
class Dc;
class TextMeasurer;
} // namespace plat::gdi

class TSubEvents : public TListItem<TSubEvents> {
public:
    // An item of the given kind (kSubItemText, kSubItemBitmap) with scales 1.0 and no record.
    explicit TSubEvents(std::uint8_t kind);
    virtual ~TSubEvents();
    TSubEvents(const TSubEvents&) = delete;
    TSubEvents& operator=(const TSubEvents&) = delete;

    // The record's positioned flag; false without a record.
    virtual bool IsPositioned() const;
    // Whether the item's picture changes at the time; no item changes while shown.
    virtual bool ChangedAt(std::int32_t ms) const;
    virtual void SetExtent(std::int32_t width, std::int32_t height);
    virtual void GetExtent(std::int32_t& width, std::int32_t& height) const;
    // Whether the item is still shown at `ms`: a record exists and its end lies after `ms` (an item
    // is not shown at its end time, so one ending when the next starts never shares a picture).
    virtual bool EndsAtOrAfter(std::int32_t ms) const;
    // Draws the laid-out item at (x, y); the base draws nothing and answers false.
    virtual bool Draw(plat::gdi::Dc* dc, std::int32_t x, std::int32_t y, std::int32_t colourIndex,
                      TFontPool* pool, double verticalScale, double horizontalScale);
    // The address of the record's style name (terminated within kStyleNameUnits); the base has none.
    virtual bool GetStyleName(const char16_t*& name) const;
    // Binds the style and the screen mapping; a null argument keeps the old value.
    virtual void SetStyleAndScreen(const TSubtitleStyleRecord* style, TSubScreenControler* screen);
    // Lays the item out, measuring through the pool's context; the base does nothing.
    virtual void Layout(plat::gdi::TextMeasurer* measurer, TFontPool* pool);
    // Re-parses the item after a change of `style`; the base does nothing.
    virtual void Reparse(const TSubtitleStyleRecord* style);
    virtual double GetScaleX() const;
    virtual double GetScaleY() const;
    // Replaces the record by an owned zeroed one with the item's kind and position -1, -1.
    virtual void CreateRecord();
    // The record's comment flag; false without a record.
    virtual bool IsComment() const;
    // Bytes WriteRecord writes.
    virtual std::size_t GetRecordSize() const;
    // Writes the serialised record to `destination` and answers its size; 0 (nothing written)
    // without a record or when `capacity` is below GetRecordSize().
    virtual std::size_t WriteRecord(void* destination, std::size_t capacity) const;

    // Copies another item's 56-byte head into this item's record (created when missing); false
    // when the other has no record.
    bool AssignRecord(const TSubEvents& other);
    // End minus start; 0 without a record.
    std::int32_t GetDuration() const;
    // The kind of the item and of its record.
    void SetKind(std::uint8_t kind);
    std::uint8_t GetKind() const { return Kind; }

    TSubEventRecord* GetRecord() { return Record; }
    const TSubEventRecord* GetRecord() const { return Record; }
    // Whether the record belongs to the item (false for a borrowed one).
    bool OwnsRecord() const { return RecordOwned; }
    const TSubtitleStyleRecord* GetStyle() const { return Style; }
    TSubScreenControler* GetScreen() const { return Screen; }
    // Screen pixels per script unit, set by the layout.
    void SetScale(double x, double y);

protected:
    // Lets a derived item point the base at the head of its own (owned or borrowed) record.
    void DesignateRecord(TSubEventRecord* record, bool owned);

private:
    std::uint8_t Kind;
    std::unique_ptr<TSubEventRecord> OwnedRecord;
    TSubEventRecord* Record = nullptr;
    bool RecordOwned = false;
    const TSubtitleStyleRecord* Style = nullptr;
    TSubScreenControler* Screen = nullptr;
    std::int32_t ExtentWidth = 0;
    std::int32_t ExtentHeight = 0;
    double ScaleX = 1.0;
    double ScaleY = 1.0;
};
