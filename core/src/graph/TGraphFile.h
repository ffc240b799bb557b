#pragma once
// Graph files (".grf"): a compound file holding one stream, kStreamName, with our own form of the graph
// (TGraphRecord). Saving writes a temporary file in the target's folder and renames it over the target,
// so a failed save leaves the target as it was. Loading adds the file's filters under their identifiers
// to the graph, loads their source files and makes their links. Files that are not compound files, that
// lack the stream or whose stream is not our record (graph files made on Windows hold the persisted
// data of Windows filters there) are refused with a FAILURE entry in the graph log before the graph is
// touched.
#include "platform/media/MediaGraph.h"
#include "platform/media/Result.h"

#include <cstdint>
#include <string>

class TCoreLogFile;
class TGraphLog;
class TGraphRecord;

class TGraphFile {
public:
    static constexpr const char* kStreamName = "ActiveMovieGraph";
    // The longest graph stream read; larger ones are refused.
    static constexpr std::int64_t kMaxStreamSize = 1 << 20;
    // The answer of a save without a graph.
    static constexpr plat::media::HResult kNoGraph = -1;

    TGraphFile(TGraphLog& graphLog, TCoreLogFile& debugLog);

    // S_OK, kNoGraph without a graph, PATH_NOT_FOUND_RESULT when the folder does not exist, E_FAIL when
    // the file cannot be written. Failures are written to the debug log.
    plat::media::HResult Save(const plat::media::MediaGraph* graph, const std::u16string& file);
    // S_OK when every filter and link was made (also S_OK with no graph or no file name, doing nothing);
    // E_FAIL for a file that is not a compound file, VFW_E_INVALID_FILE_FORMAT for one without our
    // record, else the failure of the first filter or link that could not be made.
    plat::media::HResult Load(plat::media::MediaGraph* graph, const std::u16string& file);

    // Our form of the graph: its filters in order, and the links of their output pins to other filters.
    static TGraphRecord Capture(const plat::media::MediaGraph& graph);

private:
    plat::media::HResult WriteCompoundFile(const std::string& path, const TGraphRecord& record);
    plat::media::HResult Refuse(plat::media::HResult hr, const char16_t* reason, const std::u16string& file);
    plat::media::HResult Apply(plat::media::MediaGraph& graph, const TGraphRecord& record);

    TGraphLog& graphLog_;
    TCoreLogFile& debugLog_;
};
