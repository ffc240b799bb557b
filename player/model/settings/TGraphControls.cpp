#include "player/model/settings/TGraphControls.h"

TGraphControls::TGraphControls(IConfigForm& form, std::int32_t kind) : form_(form), kind_(kind) {}

std::string_view TGraphControls::Word(std::int32_t kind) {
    switch (kind) {
    case kDvd:
        return "DVD";
    case kMedia:
        return "Media";
    default:
        return "Trans";
    }
}

std::string TGraphControls::Name(std::string_view prefix, std::string_view suffix) const {
    return std::string(prefix) + std::string(Word(kind_)) + std::string(suffix);
}

IConfigCheckBox* TGraphControls::Box(std::string_view suffix) const {
    return form_.FindCheckBox(Name("Ch_", suffix));
}

IConfigChoice* TGraphControls::AudioRendererChoice() const {
    return form_.FindChoice(Name("Cb_", "_AudioRenderer"));
}

IConfigGrid* TGraphControls::FiltersGrid() const {
    return form_.FindGrid(Name("Ch_", "_FiltersList"));
}
