// Feeds arbitrary text to the graph description interpreter, stored as each kind of order 200 (XGR
// text, ".grf" file name, legacy script), in normal and undo mode, against a recording step
// implementation whose answers the first byte chooses.
#include "core/src/graph/TGraphDescription.h"
#include "core/src/graph/TGraphScript.h"
#include "core/tests/graph/TRecordingGraphSteps.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::uint8_t choice = data[0];
    std::u16string text((size - 1) / 2, u'\0');
    std::memcpy(text.data(), data + 1, text.size() * sizeof(char16_t));

    TRecordingGraphSteps steps;
    steps.Graph = (choice & 1) != 0;
    steps.SourceFileLoads = (choice & 2) != 0;
    steps.ForbidLowers = (choice & 4) != 0;
    steps.GrabberInserts = (choice & 8) != 0;
    steps.Variables[u"FileName"] = u"/m/a.avi";
    steps.Variables[u"Empty"] = u"";

    TGraphDescription description;
    description.Set(1 + (choice >> 4) % 3, text.c_str());
    TGraphScript(steps).Run(description.Text(), (choice & 0x80) != 0);
    return 0;
}
