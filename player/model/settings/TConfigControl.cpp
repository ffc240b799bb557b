#include "player/model/settings/TConfigControl.h"

#include "foundation/TXml.h"
#include "platform/text/CaseFold.h"
#include "platform/text/CodePage.h"
#include "platform/text/Format.h"
#include "platform/text/Path.h"
#include "player/model/binding/TMainControl.h"
#include "player/model/hub/TPlayControl.h"
#include "player/model/settings/AviFourCC.h"
#include "player/model/settings/FolderFiles.h"
#include "player/model/settings/TGraphControls.h"
#include "player/model/settings/TGraphFileReader.h"
#include "player/model/settings/TGraphFileWriter.h"
#include "player/model/settings/TIniExchange.h"
#include "player/model/settings/TVokradConfigKeys.h"
#include "subtitles/scripts/TScriptControl.h"

#include <algorithm>
#include <array>

namespace text = plat::text;
namespace path = plat::text::path;

namespace {

constexpr const char* kDefaultGraphSuffix = ".defexgr";

std::string WithSeparator(std::string folder) {
    if (!folder.empty() && !path::IsSeparator(folder.back())) {
        folder += '/';
    }
    return folder;
}

// The text of an element's child element, empty when it has none.
std::u16string ChildText(TXmlNode& element, const char* name) {
    TXmlNode* child = nullptr;
    return element.FindChildA(name, child) == 1 && child->Text ? std::u16string(child->Text.get()) : u"";
}

void AddFilters(TXmlNode& group, std::vector<std::u16string>& names, std::vector<std::u16string>& clsids) {
    for (TXmlNode* item = group.Children.Head; item != nullptr; item = item->Next) {
        const std::u16string clsid = ChildText(*item, "CLSID");
        if (std::find(clsids.begin(), clsids.end(), clsid) == clsids.end()) {
            clsids.push_back(clsid);
            names.push_back(ChildText(*item, "Name"));
        }
    }
}

// The part of a default graph file name between its last two dots, as a row of the default graph
// grid: "FOURCC:" and eight digits, "EXT:" and an extension, or nothing.
std::u16string DefaultGraphRow(const std::string& fileName) {
    const std::size_t last = fileName.rfind('.');
    const std::size_t before =
        last == 0 || last == std::string::npos ? std::string::npos : fileName.rfind('.', last - 1);
    if (before == std::string::npos) {
        return {};
    }
    const std::string part = fileName.substr(before + 1, last - before - 1);
    const std::string folded = text::FoldCaseA(part);
    if (folded.find("fourcc-") != std::string::npos) {
        return part.size() == 7 + 8 ? u"FOURCC:" + text::AnsiToWide(part.substr(7)) : u"";
    }
    if (folded.find("ext-") != std::string::npos) {
        return part.size() > 4 ? u"EXT:" + text::AnsiToWide(part.substr(4)) : u"";
    }
    return {};
}

} // namespace

bool TConfigControl::OpenIni(const char* path, IniFile& ini) {
    iniFileName_ = path != nullptr ? path : "";
    return path != nullptr && ini.Load(path);
}

void TConfigControl::ReadCommonKeys(IniFile& ini) const {
    Tag_VokradConfig config;
    TSubtitleStyleRecord style = GlobalDefaultStyle();
    TIniExchange keys(ini, TIniExchange::Direction::Read);
    TVokradConfigKeys::Exchange(keys, config, style);
    VokradConfig() = config;
    GlobalDefaultStyle() = style;
}

bool TConfigControl::WriteCommonKeys(IniFile& ini) const {
    Tag_VokradConfig config = VokradConfig();
    TSubtitleStyleRecord style = GlobalDefaultStyle();
    TIniExchange keys(ini, TIniExchange::Direction::Write);
    TVokradConfigKeys::Exchange(keys, config, style);
    return keys.Ok();
}

bool TConfigControl::Load(const char* path) {
    IniFile ini;
    if (!OpenIni(path, ini)) {
        return false;
    }
    ReadCommonKeys(ini);
    return true;
}

bool TConfigControl::Save(const char* path) {
    IniFile ini;
    return OpenIni(path, ini) && WriteCommonKeys(ini) && ini.Save(path);
}

bool TConfigControl::SaveToCurrentFile() {
    const std::string path = iniFileName_;
    return Save(path.c_str());
}

void TConfigControl::SetRootFolder(const std::string& root) {
    rootFolder_ = WithSeparator(root);
    skinsFolder_ = rootFolder_ + "Skins/";
    mediaFiltersFolder_ = rootFolder_ + "Media/Filters/";
    dvdFiltersFolder_ = rootFolder_ + "DVD/Filters/";
    dvdGraphFolder_ = rootFolder_ + "DVD/Graph/";
    mediaGraphFolder_ = rootFolder_ + "Media/Graph/";
}

void TConfigControl::MarkNotFirstStart() {
    ChangeFile([](IniFile& ini) { return ini.WriteBool("General", "NotFirstStart", true); });
}

std::string TConfigControl::ReadKey(std::string_view section, std::string_view key) const {
    IniFile ini;
    return !iniFileName_.empty() && ini.Load(iniFileName_.c_str()) ? ini.ReadString(section, key, "") : "";
}

void TConfigControl::ChangeFile(const std::function<bool(IniFile&)>& change) const {
    IniFile ini;
    if (!iniFileName_.empty() && ini.Load(iniFileName_.c_str()) && change(ini)) {
        ini.Save(iniFileName_.c_str());
    }
}

std::string TConfigControl::FileInFolder(const std::string& folder, const std::string& name) {
    return path::FindNoCase(folder, name).value_or(path::Join(folder, name));
}

std::u16string TConfigControl::FindDefaultGraph(const char* product, std::int32_t kind,
                                                const char16_t* fileName, const char16_t* dot) const {
    const std::string prefix = std::string(kind == kTranscriberMedia ? "Transcriber." : "Media.") + product;
    // The extension is that of the file's own name, never a dot in a folder's name.
    if (dot != nullptr && std::u16string_view(dot).find_first_of(u"/\\") == std::u16string_view::npos) {
        const std::string extension = text::WideToAnsi(dot + 1);
        std::uint32_t video = 0;
        std::uint32_t audio = 0;
        if (text::EqualsNoCaseA(extension, "avi") && ReadAviFourCC(fileName, video, audio)) {
            const std::string name =
                text::FormatA("%s.fourcc-%08X%s", prefix.c_str(), video, kDefaultGraphSuffix);
            if (const auto found = path::FindNoCase(mediaGraphFolder_, name)) {
                return text::AnsiToWide(*found);
            }
        }
        const std::string name = prefix + ".ext-" + extension + kDefaultGraphSuffix;
        if (const auto found = path::FindNoCase(mediaGraphFolder_, name)) {
            return text::AnsiToWide(*found);
        }
    }
    return text::AnsiToWide(FileInFolder(mediaGraphFolder_, prefix + kDefaultGraphSuffix));
}

std::u16string TConfigControl::GraphOfKind(const char* product, std::int32_t kind,
                                           const char16_t* mediaFile) const {
    const Tag_VokradConfig& config = VokradConfig();
    if (kind == kDvdMedia) {
        const std::string name = config.CustomDVDGraph.empty()
                                     ? "dvd." + std::string(product) + kDefaultGraphSuffix
                                     : config.CustomDVDGraph;
        return text::AnsiToWide(FileInFolder(dvdGraphFolder_, name));
    }
    const std::string& custom = kind == kMediaFile ? config.CustomMediaGraph : config.CustomTransGraph;
    if (!custom.empty()) {
        return text::AnsiToWide(FileInFolder(mediaGraphFolder_, custom));
    }
    const std::u16string_view file = mediaFile != nullptr ? mediaFile : u"";
    const std::size_t dot = file.rfind(u'.');
    const char16_t* dotPointer = dot != std::u16string_view::npos ? file.data() + dot : nullptr;
    return FindDefaultGraph(product, kind, mediaFile, dotPointer);
}

void TConfigControl::LoadGraphForFile(const char* product, TPlayControl* hub, std::int32_t kind,
                                      const char16_t* mediaFile) {
    if (hub == nullptr || kind < kDvdMedia || kind > kTranscriberMedia) {
        return;
    }
    hub->LoadGraphScript(GraphOfKind(product, kind, mediaFile).c_str());
    if (kind != kDvdMedia) {
        hub->SetGraphVariable(u"FileName", mediaFile);
        return;
    }
    const std::string& drive = VokradConfig().Drive;
    hub->SetGraphVariable(u"FileName",
                          drive.empty() ? nullptr : text::AnsiToWide(path::Join(drive, "VIDEO_TS")).c_str());
}

void TConfigControl::FillConfigForm(TMainControl* mainControl, IConfigForm* form) {
    mainControl_ = mainControl;
    filtersOwed_ = form == nullptr;
    if (form != nullptr) {
        FillFilterCombos(form);
        ListGraphFiles(form, dvdGraphFolder_, form->FindChoice("Cb_DVDCustomGraph"));
        ListGraphFiles(form, mediaGraphFolder_, form->FindChoice("Cb_MediaCustomGraph"));
        ListGraphFiles(form, mediaGraphFolder_, form->FindChoice("Cb_TransCustomGraph"));
    }
    FillFiltersLists(form);
}

bool TConfigControl::FillFromFilterEnum(const char16_t* xml) {
    filtersOwed_ = false;
    for (auto* list : {&lists_.VideoDecoderNames, &lists_.AudioDecoderNames, &lists_.RendererNames,
                       &lists_.VideoDecoderClsids, &lists_.AudioDecoderClsids, &lists_.RendererClsids}) {
        list->clear();
    }
    TXml document;
    if (xml == nullptr || !document.Parse(xml) || document.Head == nullptr || !document.Head->Name ||
        !text::EqualsNoCase(document.Head->Name.get(), u"FILTERENUM")) {
        return false;
    }
    for (TXmlNode* group = document.Head->Children.Head; group != nullptr; group = group->Next) {
        const std::u16string_view name = group->Name ? group->Name.get() : u"";
        if (text::EqualsNoCase(name, u"AudioRenderer")) {
            AddFilters(*group, lists_.RendererNames, lists_.RendererClsids);
        } else if (text::EqualsNoCase(name, u"DVDVideoFilters")) {
            AddFilters(*group, lists_.VideoDecoderNames, lists_.VideoDecoderClsids);
        } else if (text::EqualsNoCase(name, u"DVDAudioFilters")) {
            AddFilters(*group, lists_.AudioDecoderNames, lists_.AudioDecoderClsids);
        }
    }
    return true;
}

TFilterLists& TConfigControl::FilterLists() {
    if (filtersOwed_) {
        FillFilterCombos(nullptr);
    }
    return lists_;
}

void TConfigControl::FillFilterCombos(IConfigForm* /*form*/) {
    filtersOwed_ = false;
    if (mainControl_ == nullptr) {
        return;
    }
    char16_t* xml = nullptr;
    mainControl_->GetCommonDsFilters(&xml);
    FillFromFilterEnum(xml);
    if (xml != nullptr) {
        void* block = xml;
        mainControl_->FreeData(&block);
    }
}

void TConfigControl::ScanFilterFiles(const std::string& folder, TNamedList& list, bool allowPatches) {
    struct TKind {
        const char* suffix;
        std::int32_t kind;
    };
    static constexpr std::array<TKind, 3> kKinds{{{".dshowfilter", TFilterLists::kFilterFile},
                                                  {".dshowpatch", TFilterLists::kPatchFile},
                                                  {".filterdata", TFilterLists::kFilterData}}};
    list.clear();
    for (const std::string& name : FolderFileNames(folder)) {
        for (const TKind& kind : kKinds) {
            if (EndsWithNoCase(name, kind.suffix) &&
                (allowPatches || kind.kind != TFilterLists::kPatchFile)) {
                list.push_back({text::AnsiToWide(path::StripExtension(name)), kind.kind});
            }
        }
    }
}

void TConfigControl::FillFilterGrid(IConfigForm* /*form*/, const TNamedList& list, IConfigGrid* grid) {
    if (grid == nullptr) {
        return;
    }
    grid->SetRowCount(static_cast<std::int32_t>(list.size()));
    for (std::size_t row = 0; row < list.size(); ++row) {
        grid->SetCell(static_cast<std::int32_t>(row), list[row].Text);
        grid->SetRowNumber(static_cast<std::int32_t>(row), list[row].Number);
    }
}

void TConfigControl::FillFiltersLists(IConfigForm* form) {
    ScanFilterFiles(mediaFiltersFolder_, lists_.MediaFilterFiles, true);
    ScanFilterFiles(dvdFiltersFolder_, lists_.DVDFilterFiles, true);
    if (form != nullptr) {
        FillFilterGrid(form, lists_.MediaFilterFiles, form->FindGrid("Ch_Media_FiltersList"));
        FillFilterGrid(form, lists_.MediaFilterFiles, form->FindGrid("Ch_Trans_FiltersList"));
        FillFilterGrid(form, lists_.DVDFilterFiles, form->FindGrid("Ch_DVD_FiltersList"));
    }
}

void TConfigControl::ListGraphFiles(IConfigForm* /*form*/, const std::string& folder, IConfigChoice* choice) {
    struct TType {
        const char* suffix;
        std::int32_t type;
    };
    static constexpr std::array<TType, 5> kTypes{{{".xgr", kXgrFile},
                                                  {".exgr", kExgrFile},
                                                  {".grf", kGrfFile},
                                                  {".dvdgraph", kDvdGraphFile},
                                                  {".mediagraph", kMediaGraphFile}}};
    if (choice == nullptr) {
        return;
    }
    choice->Clear();
    for (const std::string& name : FolderFileNames(folder)) {
        for (const TType& type : kTypes) {
            if (EndsWithNoCase(name, type.suffix)) {
                choice->AddItem(text::AnsiToWide(path::StripExtension(name)), type.type);
            }
        }
    }
}

void TConfigControl::FillDefaultGraphList(IConfigForm* form, const char* product) {
    if (form != nullptr) {
        ListDefaultGraphs(form, mediaGraphFolder_, product, form->FindGrid("Ch_Media_ExtGraph"));
        ListDefaultGraphs(form, mediaGraphFolder_, product, form->FindGrid("Ch_Trans_ExtGraph"));
    }
}

void TConfigControl::ListDefaultGraphs(IConfigForm* /*form*/, const std::string& folder, const char* product,
                                       IConfigGrid* grid) {
    if (grid == nullptr) {
        return;
    }
    const std::int32_t current = grid->CurrentRow();
    const std::u16string remembered = current >= 0 && current < grid->RowCount() ? grid->Cell(current) : u"";
    grid->SetRowCount(1);
    grid->SetCell(0, u"DEFAULT");
    grid->SetRowNumber(0, 0);
    const bool media = text::FoldCaseA(grid->Name()).find("media") != std::string::npos;
    const std::string prefix = std::string(media ? "media." : "transcriber.") + product + ".";
    std::int32_t chosen = 0;
    for (const std::string& name : FolderFileNames(folder)) {
        if (name.size() < prefix.size() + std::string_view(kDefaultGraphSuffix).size() ||
            !text::StartsWithNoCaseA(name, prefix) || !EndsWithNoCase(name, kDefaultGraphSuffix)) {
            continue;
        }
        const std::u16string row = DefaultGraphRow(name);
        if (row.empty()) {
            continue;
        }
        const std::int32_t index = grid->RowCount();
        grid->SetRowCount(index + 1);
        grid->SetCell(index, row);
        if (row == remembered) {
            chosen = index;
        }
    }
    grid->SetCurrentRow(chosen);
}

bool TConfigControl::WriteGraphFile(IConfigForm* form, const char* fileName, bool banner, std::int32_t kind) {
    return TGraphFileWriter(FilterLists(), dvdFiltersFolder_, mediaFiltersFolder_)
        .Write(form, fileName, banner, kind);
}

void TConfigControl::ReadGraphFile(IConfigForm* form, const char* fileName, bool gridBitsOnly,
                                   std::int32_t kind) {
    TGraphFileReader(FilterLists()).Read(form, fileName, gridBitsOnly, kind);
}
