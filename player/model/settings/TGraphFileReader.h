#pragma once
// Reads a graph description file back into one graph page of the settings dialog: the filter files
// patched in or forbidden (the filter grid's bits) and, for the whole page, the decoders, the audio
// renderer, the video mixer, the external AVI splitter and the request to register the graph. What the
// file does not choose falls back to the automatic choices.
#include "player/model/settings/IConfigForm.h"
#include "player/model/settings/TFilterLists.h"
#include "player/model/settings/TGraphControls.h"

#include <cstdint>
#include <string>
#include <vector>

class TXmlNode;

class TGraphFileReader {
public:
    explicit TGraphFileReader(const TFilterLists& lists);

    // Nothing without a form or for another kind. A file that cannot be read reads as one without elements.
    void Read(IConfigForm* form, const char* fileName, bool gridBitsOnly, std::int32_t kind) const;

private:
    struct TFound {
        bool videoDecoder = false;
        bool audioDecoder = false;
        bool renderer = false;
        bool mixer = false;
        bool addToRot = false;
    };

    void RefillChoices(const TGraphControls& page) const;
    static void MarkRows(IConfigGrid* grid, const std::u16string& fileName, std::int32_t bit);
    void ReadFilter(const TGraphControls& page, TXmlNode& filter, TFound& found) const;
    static void SetMixer(const TGraphControls& page, const std::u16string& clsid, TFound& found);
    static void ApplyFallbacks(const TGraphControls& page, const TFound& found);
    // Selects the item whose class id is `clsid`; false when the list has none.
    static bool Select(IConfigChoice* choice, const std::vector<std::u16string>& clsids,
                       const std::u16string& clsid);
    static void Fill(IConfigChoice* choice, const std::vector<std::u16string>& names);

    const TFilterLists& lists_;
};
