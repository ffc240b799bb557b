#include "player/model/settings/TGraphFileReader.h"

#include "foundation/TXml.h"
#include "platform/text/CaseFold.h"
#include "player/model/settings/XmlAttributeText.h"

namespace text = plat::text;

namespace {

constexpr std::u16string_view kAviSplitterClsid = u"{9736D831-9D6C-4E72-B6E7-560EF9181001}";
constexpr std::u16string_view kVmr9Clsid = u"{51B4ABF3-748F-4E3B-A276-C828330E926A}";
constexpr std::u16string_view kOverlayMixerClsid = u"{CD8743A1-3736-11D0-9E69-00C04FD7C15B}";

bool NameIs(const TXmlNode& element, std::u16string_view name) {
    return element.Name && text::EqualsNoCase(element.Name.get(), name);
}

void SetChecked(IConfigCheckBox* box, bool checked) {
    if (box != nullptr) {
        box->SetChecked(checked);
    }
}

void SelectFirst(IConfigChoice* choice) {
    if (choice != nullptr) {
        choice->SetItemIndex(choice->Count() > 0 ? 0 : -1);
    }
}

// The name up to its last dot.
std::u16string BaseName(const std::u16string& fileName) {
    return fileName.substr(0, fileName.rfind(u'.'));
}

} // namespace

TGraphFileReader::TGraphFileReader(const TFilterLists& lists) : lists_(lists) {}

void TGraphFileReader::Fill(IConfigChoice* choice, const std::vector<std::u16string>& names) {
    if (choice == nullptr) {
        return;
    }
    choice->Clear();
    for (const std::u16string& name : names) {
        choice->AddItem(name, 0);
    }
}

void TGraphFileReader::RefillChoices(const TGraphControls& page) const {
    if (page.IsDvd()) {
        Fill(page.Form().FindChoice(TGraphControls::kVideoDecoderChoice), lists_.VideoDecoderNames);
        Fill(page.Form().FindChoice(TGraphControls::kAudioDecoderChoice), lists_.AudioDecoderNames);
    }
    Fill(page.AudioRendererChoice(), lists_.RendererNames);
    SetChecked(page.Form().FindCheckBox(TGraphControls::kExternalAviSplitterBox), false);
}

void TGraphFileReader::MarkRows(IConfigGrid* grid, const std::u16string& fileName, std::int32_t bit) {
    const std::u16string name = BaseName(fileName);
    for (std::int32_t row = 0; grid != nullptr && row < grid->RowCount(); ++row) {
        if (text::EqualsNoCase(grid->Cell(row), name)) {
            grid->SetRowNumber(row, grid->RowNumber(row) | bit);
        }
    }
}

bool TGraphFileReader::Select(IConfigChoice* choice, const std::vector<std::u16string>& clsids,
                              const std::u16string& clsid) {
    for (std::size_t i = 0; i < clsids.size(); ++i) {
        if (text::EqualsNoCase(clsids[i], clsid)) {
            if (choice != nullptr) {
                choice->SetItemIndex(static_cast<std::int32_t>(i));
            }
            return true;
        }
    }
    return false;
}

void TGraphFileReader::SetMixer(const TGraphControls& page, const std::u16string& clsid, TFound& found) {
    IConfigCheckBox* vmr9 = page.Box(TGraphControls::kVmr9);
    IConfigCheckBox* overlay = page.Box(TGraphControls::kOverlayMixer);
    IConfigCheckBox* automatic = page.Box(TGraphControls::kAutoMixer);
    if (vmr9 == nullptr || overlay == nullptr || automatic == nullptr) {
        return;
    }
    const bool isOverlay = text::EqualsNoCase(clsid, kOverlayMixerClsid);
    const bool isVmr9 = text::EqualsNoCase(clsid, kVmr9Clsid);
    overlay->SetChecked(isOverlay);
    vmr9->SetChecked(isVmr9);
    automatic->SetChecked(!isOverlay && !isVmr9);
    found.mixer = true;
}

void TGraphFileReader::ReadFilter(const TGraphControls& page, TXmlNode& filter, TFound& found) const {
    const std::u16string id = XmlAttributeText(filter, u"ID").value_or(u"");
    const std::u16string clsid = XmlAttributeText(filter, u"CLSID").value_or(u"");
    IConfigForm& form = page.Form();
    if (text::EqualsNoCase(id, u"AVI_Splitter") && text::EqualsNoCase(clsid, kAviSplitterClsid)) {
        SetChecked(form.FindCheckBox(TGraphControls::kExternalAviSplitterBox), true);
    } else if (page.IsDvd() && text::EqualsNoCase(id, u"DVD_Video_Filter")) {
        found.videoDecoder =
            Select(form.FindChoice(TGraphControls::kVideoDecoderChoice), lists_.VideoDecoderClsids, clsid) ||
            found.videoDecoder;
    } else if (page.IsDvd() && text::EqualsNoCase(id, u"DVD_Audio_Filter")) {
        found.audioDecoder =
            Select(form.FindChoice(TGraphControls::kAudioDecoderChoice), lists_.AudioDecoderClsids, clsid) ||
            found.audioDecoder;
    } else if (text::EqualsNoCase(id, u"AudioRenderer")) {
        found.renderer = Select(page.AudioRendererChoice(), lists_.RendererClsids, clsid) || found.renderer;
    } else if (text::EqualsNoCase(id, u"VideoMixer")) {
        SetMixer(page, clsid, found);
    }
}

void TGraphFileReader::ApplyFallbacks(const TGraphControls& page, const TFound& found) {
    IConfigForm& form = page.Form();
    if (page.IsDvd()) {
        SetChecked(form.FindCheckBox(TGraphControls::kAutoDecodersBox),
                   !found.videoDecoder && !found.audioDecoder);
        if (!found.videoDecoder) {
            SelectFirst(form.FindChoice(TGraphControls::kVideoDecoderChoice));
        }
        if (!found.audioDecoder) {
            SelectFirst(form.FindChoice(TGraphControls::kAudioDecoderChoice));
        }
    }
    SetChecked(page.Box(TGraphControls::kAutoAudioRenderer), !found.renderer);
    if (!found.renderer) {
        SelectFirst(page.AudioRendererChoice());
    }
    IConfigCheckBox* automaticMixer = page.Box(TGraphControls::kAutoMixer);
    if (!found.mixer && automaticMixer != nullptr) {
        automaticMixer->SetChecked(true);
        SetChecked(page.Box(TGraphControls::kVmr9), false);
        SetChecked(page.Box(TGraphControls::kOverlayMixer), false);
    }
    SetChecked(page.Box(TGraphControls::kAddToRot), found.addToRot);
}

void TGraphFileReader::Read(IConfigForm* form, const char* fileName, bool gridBitsOnly,
                            std::int32_t kind) const {
    if (form == nullptr || !TGraphControls::IsKind(kind)) {
        return;
    }
    const TGraphControls page(*form, kind);
    if (!gridBitsOnly) {
        RefillChoices(page);
    }
    TXml document;
    if (fileName != nullptr) {
        document.LoadFromFileA(fileName);
    }
    IConfigGrid* grid = page.FiltersGrid();
    for (std::int32_t row = 0; grid != nullptr && row < grid->RowCount(); ++row) {
        grid->SetRowNumber(row, grid->RowNumber(row) & ~(TFilterLists::kPatched | TFilterLists::kForbidden));
    }
    TFound found;
    TXmlNode* root = document.Head;
    for (TXmlNode* child = root != nullptr && NameIs(*root, u"GRAPH") ? root->Children.Head : nullptr;
         child != nullptr; child = child->Next) {
        if (NameIs(*child, u"PATCH") || NameIs(*child, u"FORBID")) {
            const std::int32_t bit =
                NameIs(*child, u"PATCH") ? TFilterLists::kPatched : TFilterLists::kForbidden;
            MarkRows(grid, XmlAttributeText(*child, u"Filename").value_or(u""), bit);
        } else if (gridBitsOnly) {
            continue;
        } else if (NameIs(*child, u"FILTER")) {
            ReadFilter(page, *child, found);
        } else if (NameIs(*child, u"ADDTOROT")) {
            found.addToRot = true;
        }
    }
    if (!gridBitsOnly) {
        ApplyFallbacks(page, found);
    }
}
