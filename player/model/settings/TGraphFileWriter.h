#pragma once
// Writes a graph description file (".defexgr") from the filter choices of one graph page of the
// settings dialog: the filters chosen by hand, the filter files patched in or forbidden, the pins to
// render and the request to register the graph. 8-bit text, every line ended by CR LF, four zero bytes
// after the last line.
#include "player/model/settings/IConfigForm.h"
#include "player/model/settings/TFilterLists.h"
#include "player/model/settings/TGraphControls.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class TGraphFileWriter {
public:
    TGraphFileWriter(const TFilterLists& lists, const std::string& dvdFiltersFolder,
                     const std::string& mediaFiltersFolder);

    // The file's bytes for the page of that kind (TGraphControls::kDvd, kMedia, kTranscriber).
    std::string Build(IConfigForm& form, bool banner, std::int32_t kind) const;
    // Builds and saves the file in place of the old one; false (nothing written) without a form, for
    // another kind or when the file cannot be written.
    bool Write(IConfigForm* form, const char* fileName, bool banner, std::int32_t kind) const;

private:
    // The class id of the selected item when it lies inside the list; empty otherwise.
    static std::u16string SelectedClsid(const IConfigChoice* choice,
                                        const std::vector<std::u16string>& clsids);
    // True when the decoders were chosen by hand.
    bool AppendSources(const TGraphControls& page, std::string& text) const;
    void AppendMixer(const TGraphControls& page, std::string& text) const;
    void AppendRenderer(const TGraphControls& page, std::string& text) const;
    void AppendPatches(const TGraphControls& page, std::string& text) const;
    void AppendForbidden(const TGraphControls& page, std::string& text) const;
    void AppendRenders(const TGraphControls& page, bool decodersByHand, std::string& text) const;
    // The filter file of a grid row (kind 1 or 2), found without regard to case in the page's
    // "Filters" folder; nothing for other kinds.
    std::optional<std::string> FilterFileName(const TGraphControls& page, std::int32_t row) const;
    std::string FilterFilePath(const TGraphControls& page, const std::string& fileName) const;

    const TFilterLists& lists_;
    const std::string& dvdFiltersFolder_;
    const std::string& mediaFiltersFolder_;
};
