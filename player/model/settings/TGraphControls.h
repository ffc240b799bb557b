#pragma once
// The controls of one graph page of the settings dialog (DVD, media file or transcriber), found by
// the names "Ch_" or "Cb_", the kind word and a suffix. A control the form lacks is nullptr.
#include "player/model/settings/IConfigForm.h"

#include <cstdint>
#include <string>
#include <string_view>

class TGraphControls {
public:
    // Kinds of graph pages.
    static constexpr std::int32_t kDvd = 1;
    static constexpr std::int32_t kMedia = 2;
    static constexpr std::int32_t kTranscriber = 3;

    // Controls without a kind word.
    static constexpr std::string_view kAutoDecodersBox = "Ch_UseAutoFilters";
    static constexpr std::string_view kVideoDecoderChoice = "Cb_DVDVid";
    static constexpr std::string_view kAudioDecoderChoice = "Cb_DVDAud";
    static constexpr std::string_view kExternalAviSplitterBox = "Ch_UseExternalAviSplitter";

    // Suffixes of the per-kind controls.
    static constexpr std::string_view kVmr9 = "_UseVMR9";
    static constexpr std::string_view kOverlayMixer = "_UseOverlayMixer";
    static constexpr std::string_view kAutoMixer = "_UseAutoMixer";
    static constexpr std::string_view kAutoAudioRenderer = "_UseAutoAudioRenderer";
    static constexpr std::string_view kAddToRot = "_AddToRot";

    TGraphControls(IConfigForm& form, std::int32_t kind);

    std::int32_t Kind() const { return kind_; }
    bool IsDvd() const { return kind_ == kDvd; }
    // The page's check box of that suffix.
    IConfigCheckBox* Box(std::string_view suffix) const;
    IConfigChoice* AudioRendererChoice() const;
    IConfigGrid* FiltersGrid() const;
    IConfigForm& Form() const { return form_; }

    static bool IsKind(std::int32_t kind) { return kind >= kDvd && kind <= kTranscriber; }
    // "DVD", "Media" or "Trans".
    static std::string_view Word(std::int32_t kind);

private:
    std::string Name(std::string_view prefix, std::string_view suffix) const;

    IConfigForm& form_;
    std::int32_t kind_;
};
