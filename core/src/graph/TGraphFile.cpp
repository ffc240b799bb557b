#include "core/src/graph/TGraphFile.h"

#include "core/src/framework/TCoreLogFile.h"
#include "core/src/graph/TGraphLog.h"
#include "core/src/graph/TGraphRecord.h"
#include "platform/text/CodePage.h"

#include <glib/gstdio.h>
#include <gsf/gsf.h>

#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <vector>

using namespace plat::media;

namespace {

struct GObjectUnref {
    void operator()(void* object) const { g_object_unref(object); }
};
template <class T> using GsfRef = std::unique_ptr<T, GObjectUnref>;

struct GErrorFree {
    void operator()(GError* error) const { g_error_free(error); }
};
using ErrorRef = std::unique_ptr<GError, GErrorFree>;

// A temporary file next to the target, removed again unless it was renamed over the target.
class TempFile {
public:
    explicit TempFile(const std::string& target) : path_(target + ".XXXXXX") {
        const int fd = g_mkstemp_full(path_.data(), O_RDWR, 0666); // the usual mode, the umask applied
        error_ = fd < 0 ? errno : 0;
        if (fd >= 0) {
            g_close(fd, nullptr);
        }
    }
    ~TempFile() {
        if (error_ == 0 && !renamed_) {
            g_unlink(path_.c_str());
        }
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    // The errno of the creation, 0 when the file was made.
    int Error() const { return error_; }
    const std::string& Path() const { return path_; }
    bool RenameTo(const std::string& target) {
        renamed_ = g_rename(path_.c_str(), target.c_str()) == 0;
        return renamed_;
    }

private:
    std::string path_;
    int error_ = 0;
    bool renamed_ = false;
};

std::optional<std::string> IdentifierOf(const std::vector<GraphFilter>& filters, GstElement* element) {
    for (const GraphFilter& filter : filters) {
        if (filter.element == element) {
            return filter.identifier;
        }
    }
    return std::nullopt;
}

std::string PadName(GstPad* pad) {
    const std::unique_ptr<gchar, GFreeDeleter> name(gst_pad_get_name(pad));
    return name.get();
}

std::vector<PadRef> OutputPads(GstElement* element) {
    std::vector<PadRef> pads;
    GST_OBJECT_LOCK(element);
    for (GList* item = element->srcpads; item != nullptr; item = item->next) {
        pads.push_back(PadRef::Share(GST_PAD(item->data)));
    }
    GST_OBJECT_UNLOCK(element);
    return pads;
}

// The link of an output pad to a filter of the list, if it has one.
std::optional<TGraphRecord::Link> LinkOf(const std::vector<GraphFilter>& filters, const std::string& owner,
                                         GstPad* pad) {
    const PadRef peer = PadRef::Adopt(gst_pad_get_peer(pad));
    const ElementRef peerElement = ElementRef::Adopt(peer ? gst_pad_get_parent_element(peer.get()) : nullptr);
    const std::optional<std::string> peerIdentifier =
        peerElement ? IdentifierOf(filters, peerElement.get()) : std::nullopt;
    if (!peerIdentifier) {
        return std::nullopt;
    }
    return TGraphRecord::Link{owner, PadName(pad), *peerIdentifier, PadName(peer.get())};
}

std::optional<std::vector<std::uint8_t>> ReadStream(GsfInput* stream) {
    const gsf_off_t size = gsf_input_size(stream);
    if (size < 0 || size > TGraphFile::kMaxStreamSize) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    if (size > 0 && gsf_input_read(stream, bytes.size(), bytes.data()) == nullptr) {
        return std::nullopt;
    }
    return bytes;
}

bool WriteStream(GsfOutfile* storage, const std::vector<std::uint8_t>& bytes) {
    const GsfRef<GsfOutput> stream(gsf_outfile_new_child(storage, TGraphFile::kStreamName, FALSE));
    return stream && gsf_output_write(stream.get(), bytes.size(), bytes.data()) &&
           gsf_output_close(stream.get());
}

} // namespace

TGraphFile::TGraphFile(TGraphLog& graphLog, TCoreLogFile& debugLog)
    : graphLog_(graphLog), debugLog_(debugLog) {}

TGraphRecord TGraphFile::Capture(const MediaGraph& graph) {
    TGraphRecord record;
    const std::vector<GraphFilter> filters = graph.Filters();
    for (const GraphFilter& filter : filters) {
        record.filters.push_back({filter.classId, filter.identifier, graph.SourceFile(filter.identifier)});
        for (const PadRef& pad : OutputPads(filter.element)) {
            if (std::optional<TGraphRecord::Link> link = LinkOf(filters, filter.identifier, pad.get())) {
                record.links.push_back(std::move(*link));
            }
        }
    }
    return record;
}

HResult TGraphFile::Save(const MediaGraph* graph, const std::u16string& file) {
    if (graph == nullptr) {
        debugLog_.WriteWide(u"SAVEGRAPHTOGRF : Unable to find Graphbuilder");
        return kNoGraph;
    }
    const TGraphRecord record = Capture(*graph);
    const HResult hr = WriteCompoundFile(plat::text::WideToAnsi(file), record);
    if (Failed(hr)) {
        debugLog_.WriteWide(u"SAVEGRAPHTOGRF : Can't create %s file", file);
    }
    return hr;
}

HResult TGraphFile::WriteCompoundFile(const std::string& path, const TGraphRecord& record) {
    TempFile temp(path);
    if (temp.Error() != 0) {
        return temp.Error() == ENOENT || temp.Error() == ENOTDIR ? PATH_NOT_FOUND_RESULT : E_FAIL;
    }
    GError* rawError = nullptr;
    const GsfRef<GsfOutput> output(gsf_output_stdio_new(temp.Path().c_str(), &rawError));
    const ErrorRef error(rawError);
    if (!output) {
        return E_FAIL;
    }
    const GsfRef<GsfOutfile> storage(gsf_outfile_msole_new(output.get()));
    // Closing the storage closes the file it writes to as well.
    const bool written = WriteStream(storage.get(), record.Encode()) &&
                         gsf_output_close(GSF_OUTPUT(storage.get())) && gsf_output_is_closed(output.get());
    return written && temp.RenameTo(path) ? S_OK : E_FAIL;
}

HResult TGraphFile::Load(MediaGraph* graph, const std::u16string& file) {
    if (graph == nullptr || file.empty()) {
        return S_OK;
    }
    GError* rawError = nullptr;
    const GsfRef<GsfInput> input(gsf_input_stdio_new(plat::text::WideToAnsi(file).c_str(), &rawError));
    ErrorRef error(rawError);
    if (!input) {
        return Refuse(E_FAIL, u"cannot be opened", file);
    }
    rawError = nullptr;
    const GsfRef<GsfInfile> storage(gsf_infile_msole_new(input.get(), &rawError));
    error.reset(rawError);
    if (!storage) {
        return Refuse(E_FAIL, u"is not a compound file", file);
    }
    const GsfRef<GsfInput> stream(gsf_infile_child_by_name(storage.get(), kStreamName));
    if (!stream || gsf_infile_num_children(GSF_INFILE(stream.get())) != -1) {
        return Refuse(VFW_E_INVALID_FILE_FORMAT, u"has no graph stream", file);
    }
    const std::optional<std::vector<std::uint8_t>> bytes = ReadStream(stream.get());
    const std::optional<TGraphRecord> record = bytes ? TGraphRecord::Decode(*bytes) : std::nullopt;
    if (!record) {
        return Refuse(VFW_E_INVALID_FILE_FORMAT, u"holds no graph this player saved", file);
    }
    return Apply(*graph, *record);
}

HResult TGraphFile::Refuse(HResult hr, const char16_t* reason, const std::u16string& file) {
    graphLog_.WriteFormat(false, TGraphLogKind::Failure, u"Graph file %s %s", file, std::u16string(reason));
    return hr;
}

HResult TGraphFile::Apply(MediaGraph& graph, const TGraphRecord& record) {
    for (const TGraphRecord::Filter& filter : record.filters) {
        HResult hr = graph.AddFilter(filter.classId, filter.identifier);
        if (Succeeded(hr) && filter.sourceFile) {
            hr = graph.LoadFile(filter.identifier, *filter.sourceFile);
        }
        if (Failed(hr)) {
            graphLog_.WriteFormat(
                false, TGraphLogKind::Failure, u"Unable to add filter %s (%s) from the graph file",
                plat::text::AnsiToWide(filter.identifier), plat::text::AnsiToWide(filter.classId.ToString()));
            return hr;
        }
    }
    for (const TGraphRecord::Link& link : record.links) {
        const HResult hr =
            graph.ConnectDirect({link.outputFilter, link.outputPin}, {link.inputFilter, link.inputPin});
        if (Failed(hr)) {
            graphLog_.WriteFormat(
                false, TGraphLogKind::Failure, u"Unable to connect %s.%s to %s.%s from the graph file",
                plat::text::AnsiToWide(link.outputFilter), plat::text::AnsiToWide(link.outputPin),
                plat::text::AnsiToWide(link.inputFilter), plat::text::AnsiToWide(link.inputPin));
            return hr;
        }
    }
    return S_OK;
}
