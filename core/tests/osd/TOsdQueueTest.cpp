// The on-screen message queue's logic on a manual tick count: layers, removal, the default duration,
// expiry across the 32-bit wrap of the tick count with the timer due at the earliest expiry, the
// style order, and the variable references.
#include "core/src/osd/TOsdQueue.h"
#include "core/tests/ManualClocks.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

std::vector<std::byte> Text(std::u16string_view text) {
    std::vector<std::byte> bytes((text.size() + 1) * sizeof(char16_t));
    std::memcpy(bytes.data(), text.data(), text.size() * sizeof(char16_t));
    return bytes;
}

class OsdQueueTest : public testing::Test {
protected:
    bool Add(std::u16string_view text, std::int32_t duration, std::int32_t layer) {
        return queue_.AddItem(Text(text), TOsdItem::kText, duration, layer);
    }
    // The texts of the items in queue order.
    std::vector<std::u16string> Shown() const {
        std::vector<std::u16string> texts;
        for (const TOsdItem* item = queue_.Items().Head; item != nullptr; item = item->Next) {
            texts.emplace_back(reinterpret_cast<const char16_t*>(item->data.data()));
        }
        return texts;
    }

    std::shared_ptr<ManualClocks> clocks_ = std::make_shared<ManualClocks>(); // 256 ms before the wrap
    TOsdQueue queue_{clocks_};
};

TEST_F(OsdQueueTest, OneItemPerLayerUntilRemoved) {
    EXPECT_TRUE(Add(u"Play", 1000, 1));
    EXPECT_TRUE(Add(u"Pause", 1000, 1)) << "accepted, but the layer keeps its item";
    EXPECT_TRUE(Add(u"Volume", 1000, 2));
    EXPECT_EQ(Shown(), (std::vector<std::u16string>{u"Play", u"Volume"}));

    EXPECT_TRUE(Add(u"", TOsdItem::kRemove, 1));
    EXPECT_EQ(Shown(), std::vector<std::u16string>{u"Volume"});
    EXPECT_TRUE(Add(u"Stop", TOsdItem::kRemove, 3)) << "a new item takes -999 as any negative duration";
    EXPECT_EQ(queue_.Items().Tail->duration, TOsdItem::kRemove);
    queue_.Clear();
    EXPECT_TRUE(queue_.IsEmpty());
}

TEST_F(OsdQueueTest, RefusesWhatItCannotShow) {
    EXPECT_FALSE(queue_.AddItem(Text(u"x"), 3, 1000, 1)) << "unknown type";
    EXPECT_FALSE(queue_.AddItem(Text(u"x"), 0, 1000, 1));
    const std::vector<std::byte> unterminated{std::byte{'a'}, std::byte{0}, std::byte{'b'}};
    EXPECT_FALSE(queue_.AddItem(unterminated, TOsdItem::kText, 1000, 1));
    EXPECT_FALSE(queue_.AddItem({}, TOsdItem::kText, 1000, 1));
    EXPECT_TRUE(queue_.AddItem({}, TOsdItem::kBitmap, 1000, 1)) << "an empty picture draws nothing";
    EXPECT_TRUE(queue_.AddItem(Text(u"x"), TOsdItem::kBitmap, 1000, 2));
    EXPECT_EQ(queue_.Items().Count, 2);
}

TEST_F(OsdQueueTest, DefaultDurationAppliesToZero) {
    EXPECT_EQ(queue_.DefaultDuration(), 0);
    Add(u"stays", 0, 1);
    EXPECT_EQ(queue_.Expire(), -1) << "untimed items leave the timer off";
    clocks_->Advance(1'000'000);
    EXPECT_EQ(queue_.Expire(), -1);
    EXPECT_EQ(Shown(), std::vector<std::u16string>{u"stays"});

    queue_.SetStyle(TOsdQueue::DefaultStyle(), 1500, true);
    Add(u"timed", 0, 2);
    EXPECT_EQ(queue_.Items().Tail->duration, 1500);
    queue_.SetStyle(TOsdQueue::DefaultStyle(), 0, true);
    EXPECT_EQ(queue_.DefaultDuration(), 1500) << "0 keeps the default";
}

// The tick count starts 256 ms before it wraps: items added before the wrap expire after it at
// their own time, and the timer is asked for at the earliest expiry, not the last.
TEST_F(OsdQueueTest, ExpiresAcrossTheWrapAtTheEarliestExpiry) {
    Add(u"long", 3000, 1);
    Add(u"short", 500, 2);
    Add(u"forever", -5, 3);
    EXPECT_EQ(queue_.Expire(), 500);

    clocks_->Advance(300); // past the wrap
    EXPECT_EQ(queue_.Expire(), 200);
    EXPECT_EQ(Shown(), (std::vector<std::u16string>{u"long", u"short", u"forever"}));

    clocks_->Advance(200);
    EXPECT_EQ(queue_.Expire(), 2500);
    EXPECT_EQ(Shown(), (std::vector<std::u16string>{u"long", u"forever"}));

    clocks_->Advance(2499);
    EXPECT_EQ(queue_.Expire(), 1);
    clocks_->Advance(1);
    EXPECT_EQ(queue_.Expire(), -1);
    EXPECT_EQ(Shown(), std::vector<std::u16string>{u"forever"});
}

TEST_F(OsdQueueTest, StyleOrderTakesStyleDurationAndEnabledFlag) {
    EXPECT_FALSE(queue_.IsEnabled());
    const TSubtitleStyleRecord defaults = TOsdQueue::DefaultStyle();
    EXPECT_EQ(std::u16string(defaults.fontName), u"Arial");
    EXPECT_EQ(defaults.fontSize, 28);
    EXPECT_EQ(defaults.primaryColour, 0x0000FFFFu);
    EXPECT_EQ(defaults.secondaryColour, 0x0000FFFFu);
    EXPECT_EQ(defaults.borderStyle, 1);
    EXPECT_EQ(defaults.outline, 2);
    EXPECT_EQ(defaults.shadow, 1);
    EXPECT_EQ(defaults.alignment, 5);

    TSubtitleStyleRecord style = defaults;
    style.fontSize = 40;
    queue_.SetStyle(style, 2000, true);
    EXPECT_TRUE(queue_.IsEnabled());
    EXPECT_EQ(queue_.Style().fontSize, 40);
    Add(u"a", 0, 1);
    queue_.SetStyle(style, 0, false);
    EXPECT_TRUE(queue_.IsEmpty()) << "disabling empties the queue";
}

TEST_F(OsdQueueTest, ExpandsVariableReferences) {
    queue_.SetVariable(u"AudioVolume", u"80");
    queue_.SetVariable(u"Empty", nullptr);
    EXPECT_FALSE(queue_.SetVariable(u"", u"x"));
    struct Row {
        std::u16string_view text, expanded;
    };
    for (const Row& row :
         {Row{u"Volume : $(AudioVolume)", u"Volume : 80"}, Row{u"$(AudioVolume)$(AudioVolume)", u"8080"},
          Row{u"[$(Missing)] rest", u"[] rest"}, Row{u"[$()]", u"[]"}, Row{u"[$(Empty)]", u"[]"},
          Row{u"$(audiovolume)", u""}, Row{u"open $(AudioVolume", u"open AudioVolume"},
          Row{u"no references", u"no references"}, Row{u"$)($(AudioVolume))", u"$)(80)"}}) {
        EXPECT_EQ(queue_.Expand(row.text), row.expanded) << std::string(row.text.begin(), row.text.end());
    }
    queue_.ClearVariables();
    EXPECT_EQ(queue_.Expand(u"$(AudioVolume)"), u"");
}

} // namespace
