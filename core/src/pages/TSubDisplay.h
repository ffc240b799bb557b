#pragma once
// The subtitle pages of one player: one page per key (order 502), the style list (order 503, always
// holding "Default"), the screen mapping the pages are laid out for, which page is current and
// whether the display is on. It tells the subtitle clock when the picture must change, and hands
// layout and drawing to its layouter. Every operation runs under the player's subtitle lock.
#include "core/src/pages/TPageLayouter.h"
#include "core/src/pages/TSubtitleStyleNode.h"
#include "core/src/pages/TTitleBlock.h"
#include "foundation/TPointer.h"
#include "subtitles/model/TSubScreenControler.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

class TSubDisplay {
public:
    static constexpr char16_t kDefaultStyleName[] = u"Default";

    // Mapping for 320 x 240, no pages, the style "Default", display off, changed.
    TSubDisplay();
    ~TSubDisplay();
    TSubDisplay(const TSubDisplay&) = delete;
    TSubDisplay& operator=(const TSubDisplay&) = delete;

    // Replaces the page of `key` or adds one from the block (from its head on) and lays it out; the
    // current page is forgotten first. A block that fails its check is refused: the pages stay as they
    // were and `error` (when given) tells why.
    bool SetBlock(std::uint32_t key, std::span<const std::byte> block, std::string* error = nullptr);
    // Makes the page with exactly that key current; false (and none current) when there is none.
    bool SelectBlock(std::uint32_t key);
    bool HasCurrentBlock() const { return current_ != nullptr; }
    // No page current, every page freed, changed.
    void ClearBlocks();

    // One zeroed style "Default" in place of every style, changed; the pages are laid out again when
    // the display is on, unless `noLayout`.
    void ResetStyles(bool noLayout);
    // Adds the style or overwrites the one of the same name (exact comparison); a new style lays the
    // pages out again when the display is on. Answers whether a style was added.
    bool SetStyle(const TSubtitleStyleRecord& style);
    // Display on or off; switching on lays the pages out unless `noLayout`.
    void SetEnabled(bool on, bool noLayout);
    bool IsEnabled() const { return enabled_; }
    // Takes the mapping when given, then gives every page the styles and the mapping and, unless
    // `storeOnly`, lays it out.
    void RenderAll(const TSubScreenControler* mapping, bool storeOnly);

    // Shows the current page at `time`; true when the picture must change (also once after pages or
    // styles were cleared). False without a current page.
    bool SetTime(std::int32_t time);
    // Draws the current page at its time while the display is on.
    bool Paint(plat::gdi::Dc* dc, bool replace, TSubEvents* single);

    // The layouter that lays out and draws the pages (none: pages are kept but not laid out).
    void SetLayouter(std::unique_ptr<TPageLayouter> layouter) { layouter_ = std::move(layouter); }
    TPageLayouter* Layouter() const { return layouter_.get(); }

    TTitleBlock* CurrentBlock() const { return current_; }
    const TPointer<TTitleBlock>& Blocks() const { return blocks_; }
    const TPointer<TSubtitleStyleNode>& Styles() const { return styles_; }
    const TSubScreenControler& Mapping() const { return mapping_; }

private:
    TTitleBlock* FindBlock(std::uint32_t key) const;
    TSubtitleStyleNode* FindStyle(const TSubtitleStyleRecord& style) const;
    void LayOut(TTitleBlock& page);

    std::unique_ptr<TPageLayouter> layouter_;
    TSubScreenControler mapping_;
    TPointer<TSubtitleStyleNode> styles_;
    TPointer<TTitleBlock> blocks_; // after the styles: pages go first, their events point at styles
    TTitleBlock* current_ = nullptr;
    bool enabled_ = false;
    bool changed_ = true;
};
