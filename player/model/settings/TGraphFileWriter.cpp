#include "player/model/settings/TGraphFileWriter.h"

#include "foundation/FileIo.h"
#include "foundation/TMemoryObject.h"
#include "foundation/TXml.h"
#include "platform/text/CaseFold.h"
#include "platform/text/CodePage.h"
#include "platform/text/Path.h"
#include "player/model/settings/XmlAttributeText.h"

namespace text = plat::text;

namespace {

constexpr const char* kDvdNavigatorClsid = "{9B8C4620-2C1A-11D0-8493-00A02438AD48}";
constexpr const char* kFileSourceClsid = "{E436EBB5-524F-11CE-9F53-0020AF0BA770}";
constexpr const char* kVmr9Clsid = "{51B4ABF3-748F-4E3B-A276-C828330E926A}";
constexpr const char* kOverlayMixerClsid = "{CD8743A1-3736-11D0-9E69-00C04FD7C15B}";
constexpr const char16_t* kDefaultCategory = u"{083863F1-70DE-11D0-BD40-00A0C911CE86}";

constexpr const char* kBanner = "<!########################################################/>\r\n"
                                "<!### PLEASE DON'T EDIT THIS FILE DIRECTLY !!!         ###/>\r\n"
                                "<!### IT'S AUTOMATICALY CREATED BY TOVRIN              ###/>\r\n"
                                "<!########################################################/>\r\n"
                                "\r\n";

bool IsChecked(const IConfigCheckBox* box) {
    return box != nullptr && box->Checked();
}

std::string Escaped(std::u16string_view value) {
    TMemoryObject escaped(64);
    escaped.AppendXmlEscapedA(text::WideToAnsi(value).c_str(), false, false);
    return std::string(escaped.Data, static_cast<std::size_t>(escaped.Used));
}

// A patch file's text as 8-bit text: a UTF-16 file (FF FE) is converted, any other is taken as its
// bytes stand.
std::string PatchText(const std::string& bytes) {
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE) {
        std::u16string wide;
        for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
            wide.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                                 static_cast<unsigned char>(bytes[i + 1]) << 8));
        }
        return text::WideToAnsi(wide);
    }
    return bytes;
}

// One FORBIDFILTER line for a FILTER element of a forbidden-filters file.
std::string ForbidLine(TXmlNode& filter, const std::u16string& id) {
    std::string line = "    <FORBIDFILTER ID=\"" + Escaped(id);
    const std::u16string clsid = XmlAttributeText(filter, u"CLSID").value_or(u"");
    if (!clsid.empty()) {
        line += "\"   CLSID=\"" + Escaped(clsid);
    }
    if (const auto displayName = XmlAttributeText(filter, u"DisplayName")) {
        line += "\"   DISPLAYNAME=\"" + Escaped(*displayName);
    }
    const std::u16string category = XmlAttributeText(filter, u"CATEGORY").value_or(u"");
    line += "\"   CATEGORY=\"" + Escaped(category.empty() ? kDefaultCategory : category);
    return line + "\"  />\r\n";
}

} // namespace

TGraphFileWriter::TGraphFileWriter(const TFilterLists& lists, const std::string& dvdFiltersFolder,
                                   const std::string& mediaFiltersFolder)
    : lists_(lists), dvdFiltersFolder_(dvdFiltersFolder), mediaFiltersFolder_(mediaFiltersFolder) {}

std::u16string TGraphFileWriter::SelectedClsid(const IConfigChoice* choice,
                                               const std::vector<std::u16string>& clsids) {
    if (choice == nullptr) {
        return {};
    }
    const std::int32_t index = choice->ItemIndex();
    return index >= 0 && static_cast<std::size_t>(index) < clsids.size()
               ? clsids[static_cast<std::size_t>(index)]
               : std::u16string();
}

bool TGraphFileWriter::AppendSources(const TGraphControls& page, std::string& text) const {
    if (!page.IsDvd()) {
        text += "   <FILTER ID=\"File_Source_0\" clsid=\"" + std::string(kFileSourceClsid) + "\">\r\n";
        text += "       <PARAM name=\"src\" value=\"##TOVVAR:FileName##\"/>\r\n";
        text += "   </FILTER>\r\n";
        return false;
    }
    text += "   <FILTER ID=\"DVD_Navigator\" clsid=\"" + std::string(kDvdNavigatorClsid) + "\"/>\r\n";
    const IConfigCheckBox* automatic = page.Form().FindCheckBox(TGraphControls::kAutoDecodersBox);
    if (automatic == nullptr || automatic->Checked()) {
        return false;
    }
    const std::u16string video =
        SelectedClsid(page.Form().FindChoice(TGraphControls::kVideoDecoderChoice), lists_.VideoDecoderClsids);
    if (!video.empty()) {
        text += "   <FILTER ID=\"DVD_Video_Filter\" clsid=\"" + Escaped(video) + "\"/>\r\n";
    }
    const std::u16string audio =
        SelectedClsid(page.Form().FindChoice(TGraphControls::kAudioDecoderChoice), lists_.AudioDecoderClsids);
    if (!audio.empty()) {
        text += "   <FILTER ID=\"DVD_Audio_Filter\" clsid=\"" + Escaped(audio) + "\"/>\r\n";
    }
    return true;
}

void TGraphFileWriter::AppendMixer(const TGraphControls& page, std::string& text) const {
    if (page.Kind() == TGraphControls::kTranscriber) {
        return;
    }
    if (IsChecked(page.Box(TGraphControls::kVmr9))) {
        text += "   <FILTER ID=\"VideoMixer\" clsid=\"" + std::string(kVmr9Clsid) + "\"/>\r\n";
    } else if (IsChecked(page.Box(TGraphControls::kOverlayMixer))) {
        text += "   <FILTER ID=\"VideoMixer\" clsid=\"" + std::string(kOverlayMixerClsid) + "\"/>\r\n";
    }
}

void TGraphFileWriter::AppendRenderer(const TGraphControls& page, std::string& text) const {
    if (IsChecked(page.Box(TGraphControls::kAutoAudioRenderer))) {
        return;
    }
    const std::u16string renderer = SelectedClsid(page.AudioRendererChoice(), lists_.RendererClsids);
    if (!renderer.empty()) {
        text += "   <FILTER ID=\"AudioRenderer\" clsid=\"" + Escaped(renderer) + "\"/>\r\n";
    }
}

std::optional<std::string> TGraphFileWriter::FilterFileName(const TGraphControls& page,
                                                            std::int32_t row) const {
    const IConfigGrid* grid = page.FiltersGrid();
    const std::int32_t kind = grid->RowNumber(row) & 0xFF;
    if (kind != TFilterLists::kFilterFile && kind != TFilterLists::kPatchFile) {
        return std::nullopt;
    }
    return text::WideToAnsi(grid->Cell(row)) +
           (kind == TFilterLists::kFilterFile ? ".dshowfilter" : ".dshowpatch");
}

std::string TGraphFileWriter::FilterFilePath(const TGraphControls& page, const std::string& fileName) const {
    const std::string& folder = page.IsDvd() ? dvdFiltersFolder_ : mediaFiltersFolder_;
    return text::path::FindNoCase(folder, fileName).value_or(text::path::Join(folder, fileName));
}

void TGraphFileWriter::AppendPatches(const TGraphControls& page, std::string& text) const {
    const IConfigGrid* grid = page.FiltersGrid();
    for (std::int32_t row = 0; grid != nullptr && row < grid->RowCount(); ++row) {
        const std::optional<std::string> fileName = FilterFileName(page, row);
        if (!fileName || (grid->RowNumber(row) & TFilterLists::kPatched) == 0) {
            continue;
        }
        text += "<PATCH Filename=\"" + Escaped(text::AnsiToWide(*fileName)) + "\"/>\r\n";
        std::string bytes;
        if (fileio::ReadWholeFile(FilterFilePath(page, *fileName).c_str(), bytes)) {
            text += PatchText(bytes) + "\r\n";
        }
    }
}

void TGraphFileWriter::AppendForbidden(const TGraphControls& page, std::string& text) const {
    const IConfigGrid* grid = page.FiltersGrid();
    for (std::int32_t row = 0; grid != nullptr && row < grid->RowCount(); ++row) {
        const std::optional<std::string> fileName = FilterFileName(page, row);
        if (!fileName || (grid->RowNumber(row) & TFilterLists::kForbidden) == 0) {
            continue;
        }
        text += "    <FORBID Filename=\"" + Escaped(text::AnsiToWide(*fileName)) + "\"/>\r\n";
        TXml document;
        if (document.LoadFromFileA(FilterFilePath(page, *fileName).c_str())) {
            for (TXmlNode* filter = document.Head; filter != nullptr; filter = filter->Next) {
                const std::u16string id = XmlAttributeText(*filter, u"ID").value_or(u"");
                if (filter->Name && text::EqualsNoCase(filter->Name.get(), u"FILTER") && !id.empty()) {
                    text += ForbidLine(*filter, id);
                }
            }
        }
        text += "\r\n";
    }
}

void TGraphFileWriter::AppendRenders(const TGraphControls& page, bool decodersByHand,
                                     std::string& text) const {
    if (page.IsDvd()) {
        for (const char* pin : {"##1", "##0", "##2"}) {
            text += "   <RENDER ID=\"DVD_Navigator\" Pin=\"" + std::string(pin) + "\" />\r\n";
        }
        if (!decodersByHand) {
            text += "   <RENDER ID=\"DVD_Video_Filter\" Pin=\"All\" />\r\n";
        }
        return;
    }
    text += "   <RENDER ID=\"File_Source_0\" Pin=\"All\" />\r\n";
    if (page.Kind() == TGraphControls::kTranscriber) {
        text += "   <INSERTSAMPLEGRABBER />\r\n";
    }
}

std::string TGraphFileWriter::Build(IConfigForm& form, bool banner, std::int32_t kind) const {
    const TGraphControls page(form, kind);
    std::string text = "<GRAPH version=\"1.0\">\r\n";
    if (banner) {
        text += kBanner;
    }
    const bool decodersByHand = AppendSources(page, text);
    AppendMixer(page, text);
    AppendRenderer(page, text);
    text += "\r\n";
    AppendPatches(page, text);
    text += "\r\n";
    AppendForbidden(page, text);
    text += "\r\n";
    AppendRenders(page, decodersByHand, text);
    if (IsChecked(page.Box(TGraphControls::kAddToRot))) {
        text += "   <ADDTOROT />\r\n";
    }
    text += "</GRAPH>\r\n";
    text.append(4, '\0');
    return text;
}

bool TGraphFileWriter::Write(IConfigForm* form, const char* fileName, bool banner, std::int32_t kind) const {
    if (form == nullptr || fileName == nullptr || !TGraphControls::IsKind(kind)) {
        return false;
    }
    const std::string bytes = Build(*form, banner, kind);
    return fileio::WriteWholeFile(fileName, bytes.data(), bytes.size());
}
