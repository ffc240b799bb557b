#include "core/src/pages/TSubDisplay.h"

#include "subtitles/model/FixedText.h"
#include "subtitles/model/PageBlockCheck.h"

TSubDisplay::TSubDisplay() {
    ResetStyles(true);
}

TSubDisplay::~TSubDisplay() {
    ClearBlocks();
}

bool TSubDisplay::SetBlock(std::uint32_t key, std::span<const std::byte> block, std::string* error) {
    const TPageBlockCheck check = CheckPageBlock(block);
    if (!check.ok) {
        if (error != nullptr) {
            *error = check.error;
        }
        return false;
    }
    current_ = nullptr;
    if (TTitleBlock* old = FindBlock(key)) {
        blocks_.Delete(old);
    }
    auto page = std::make_unique<TTitleBlock>();
    page->Load(key, block, check.recordOffsets);
    LayOut(*blocks_.Insert(nullptr, std::move(page)));
    return true;
}

bool TSubDisplay::SelectBlock(std::uint32_t key) {
    current_ = FindBlock(key);
    return current_ != nullptr;
}

void TSubDisplay::ClearBlocks() {
    current_ = nullptr;
    changed_ = true;
    blocks_.Clear();
}

void TSubDisplay::ResetStyles(bool noLayout) {
    styles_.Clear();
    SetFixedText(styles_.Add()->record.name, kStyleNameUnits, kDefaultStyleName);
    changed_ = true;
    if (enabled_ && !noLayout) {
        RenderAll(nullptr, false);
    }
}

// The names are cut to their fields so that every later reader finds a terminator.
bool TSubDisplay::SetStyle(const TSubtitleStyleRecord& style) {
    TSubtitleStyleNode* node = FindStyle(style);
    const bool added = node == nullptr;
    if (added) {
        node = styles_.Add();
    }
    node->record = style;
    SetFixedText(node->record.name, kStyleNameUnits, FixedTextView(style.name, kStyleNameUnits));
    SetFixedText(node->record.fontName, kStyleFontNameUnits,
                 FixedTextView(style.fontName, kStyleFontNameUnits));
    if (added && enabled_) {
        RenderAll(nullptr, false);
    }
    return added;
}

void TSubDisplay::SetEnabled(bool on, bool noLayout) {
    enabled_ = on;
    if (on && !noLayout) {
        RenderAll(nullptr, false);
    }
}

void TSubDisplay::RenderAll(const TSubScreenControler* mapping, bool storeOnly) {
    if (mapping != nullptr) {
        mapping_.Assign(*mapping);
    }
    for (TTitleBlock* page = blocks_.Head; page != nullptr; page = page->Next) {
        page->Layout(layouter_.get(), &styles_, &mapping_, storeOnly, -1);
    }
}

bool TSubDisplay::SetTime(std::int32_t time) {
    if (current_ == nullptr) {
        return false;
    }
    const bool changed = current_->SetTime(time) || changed_;
    changed_ = false;
    if (layouter_ != nullptr) {
        layouter_->LayOutShown(*current_);
    }
    return changed;
}

bool TSubDisplay::Paint(plat::gdi::Dc* dc, bool replace, TSubEvents* single) {
    if (current_ == nullptr || !enabled_) {
        return false;
    }
    return current_->Paint(layouter_.get(), dc, current_->CurrentTime(), replace, single);
}

TTitleBlock* TSubDisplay::FindBlock(std::uint32_t key) const {
    for (TTitleBlock* page = blocks_.Head; page != nullptr; page = page->Next) {
        if (page->GetKey() == key) {
            return page;
        }
    }
    return nullptr;
}

TSubtitleStyleNode* TSubDisplay::FindStyle(const TSubtitleStyleRecord& style) const {
    const std::u16string_view name = FixedTextView(style.name, kStyleNameUnits);
    for (TSubtitleStyleNode* node = styles_.Head; node != nullptr; node = node->Next) {
        if (FixedTextView(node->record.name, kStyleNameUnits) == name) {
            return node;
        }
    }
    return nullptr;
}

void TSubDisplay::LayOut(TTitleBlock& page) {
    page.Layout(layouter_.get(), &styles_, &mapping_, false, -1);
}
