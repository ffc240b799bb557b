// Tearing a graph down leaves nothing of it behind: GStreamer's leaks tracer lists the objects made
// and freed while graphs are built, played and destroyed, and every element, pad, bus, frame and
// buffer pool made for them is gone once the graph is. The tracer is switched on before GStreamer
// starts, so this program runs on its own.
#include "MediaTestSupport.h"
#include "platform/media/GstInit.h"
#include "platform/media/MediaGraph.h"
#include "platform/media/SampleGrabber.h"
#include "platform/media/Transport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <map>
#include <set>
#include <string>

namespace plat::media::test {
namespace {

const bool kTracing = ::setenv("GST_TRACERS", "leaks", 1) == 0;

constexpr const char* kSampleGrabberId = "{C1F400A0-3F08-11D3-9F0B-006008039E37}";

// The objects the leaks tracer saw made and not freed since tracking started, by type name.
class LiveObjects {
public:
    LiveObjects() {
        EnsureGstInitialized();
        GList* tracers = gst_tracing_get_active_tracers();
        for (GList* item = tracers; item != nullptr; item = item->next) {
            if (tracer_ == nullptr && std::string(G_OBJECT_TYPE_NAME(item->data)) == "GstLeaksTracer") {
                tracer_ = static_cast<GstTracer*>(gst_object_ref(item->data));
            }
        }
        g_list_free_full(tracers, gst_object_unref);
        if (tracer_ != nullptr) {
            g_signal_emit_by_name(tracer_, "activity-start-tracking");
        }
    }
    ~LiveObjects() {
        if (tracer_ != nullptr) {
            g_signal_emit_by_name(tracer_, "activity-stop-tracking");
            gst_object_unref(tracer_);
        }
    }
    bool Tracing() const { return tracer_ != nullptr; }

    // The objects made since tracking started (or the last call) that are still alive, by type.
    std::map<std::string, int> Survivors() {
        GstStructure* checkpoint = nullptr;
        g_signal_emit_by_name(tracer_, "activity-get-checkpoint", &checkpoint);
        Collect(checkpoint, "objects-created-list", &made_);
        std::set<std::string> removed;
        Collect(checkpoint, "objects-removed-list", &removed);
        gst_structure_free(checkpoint);
        for (const std::string& object : removed) {
            made_.erase(object);
        }
        std::map<std::string, int> byType;
        for (const std::string& object : made_) {
            ++byType[object.substr(0, object.find('@'))];
        }
        return byType;
    }

private:
    // Each entry as "type@address".
    static void Collect(const GstStructure* checkpoint, const char* field, std::set<std::string>* into) {
        const GValue* list = gst_structure_get_value(checkpoint, field);
        for (guint i = 0; list != nullptr && i < gst_value_list_get_size(list); ++i) {
            const GstStructure* entry = gst_value_get_structure(gst_value_list_get_value(list, i));
            guint64 address = 0;
            gst_structure_get_uint64(entry, "address", &address);
            into->insert(std::string(gst_structure_get_string(entry, "type-name")) + "@" +
                         std::to_string(address));
        }
    }

    GstTracer* tracer_ = nullptr;
    std::set<std::string> made_;
};

// Whether an object of the type belongs to a graph: its elements and pads, its bus, the frames and
// the pools they come from.
bool BelongsToAGraph(const std::string& typeName) {
    const GType type = g_type_from_name(typeName.c_str());
    for (GType graphType : {GST_TYPE_ELEMENT, GST_TYPE_PAD, GST_TYPE_BUS, GST_TYPE_BUFFER,
                            GST_TYPE_BUFFER_POOL, GST_TYPE_SAMPLE, GST_TYPE_MEMORY, GST_TYPE_BUFFER_LIST}) {
        if (type != 0 && g_type_is_a(type, graphType)) {
            return true;
        }
    }
    return false;
}

struct GraphCase {
    const char* name;
    // Builds the graph and takes it as far as the case goes.
    std::function<void(MediaGraph&)> run;
};

// Running: the graph is torn down while data flows.
void Run(MediaGraph& graph) {
    Transport transport(graph, kDeadline);
    ASSERT_EQ(transport.Run(), S_OK);
}

const GraphCase kCases[] = {
    {"a rendered file, prerolled",
     [](MediaGraph& graph) {
         ASSERT_EQ(graph.RenderFile(Fixture("clip.ogg")), S_OK);
         ASSERT_EQ(graph.Preroll(kDeadline), S_OK);
     }},
    {"a rendered file, running",
     [](MediaGraph& graph) {
         ASSERT_EQ(graph.RenderFile(Fixture("clip.mp4")), S_OK);
         ASSERT_EQ(graph.Preroll(kDeadline), S_OK);
         Run(graph);
     }},
    {"a grabber handing frames over, running",
     [](MediaGraph& graph) {
         ASSERT_EQ(graph.AddSourceFilter(Fixture("clip.mp4"), "Source"), S_OK);
         ASSERT_EQ(graph.AddFilter(FactoryId("qtdemux"), "Demux"), S_OK);
         ASSERT_EQ(graph.AddFilter(WindowsId(kSampleGrabberId), "Grabber"), S_OK);
         ASSERT_EQ(graph.AddFilter(WindowsId(kVideoRendererId), "Video Renderer"), S_OK);
         SampleGrabber* grabber = SampleGrabber::From(graph.FindFilter("Grabber"));
         ASSERT_EQ(grabber->SetMediaType("video/x-raw,format=BGRx"), S_OK);
         grabber->SetBufferSamples(true);
         ASSERT_EQ(graph.ConnectDirect({"Source", "src"}, {"Demux", "sink"}), S_OK);
         ASSERT_EQ(graph.ConnectDirect({"Grabber", "src"}, {"Video Renderer", "sink"}), S_OK);
         ASSERT_EQ(graph.Connect({"Demux", "video_0"}, {"Grabber", "sink"}), S_OK);
         ASSERT_EQ(graph.Preroll(kDeadline), S_OK);
         Run(graph);
         EXPECT_TRUE(grabber->WaitForFrame(grabber->FrameCount(), kDeadline));
     }},
};

TEST(GraphTeardownTest, NothingOfAGraphOutlivesIt) {
    ASSERT_TRUE(kTracing);
    LiveObjects live;
    if (!live.Tracing()) {
        GTEST_SKIP() << "GStreamer's leaks tracer is not available (core tracers plug-in missing)";
    }
    for (const GraphCase& c : kCases) {
        SCOPED_TRACE(c.name);
        // The first graph of a kind loads plug-ins and fills caches that live as long as the process.
        for (int round = 0; round < 3; ++round) {
            FakeRendererFactory renderers;
            auto graph = std::make_unique<MediaGraph>(Catalogue(), renderers);
            c.run(*graph);
            graph.reset();
            if (round == 0) {
                live.Survivors();
                continue;
            }
            std::string outliving;
            for (const auto& [type, count] : live.Survivors()) {
                if (BelongsToAGraph(type)) {
                    outliving += " " + type + " x" + std::to_string(count);
                }
            }
            EXPECT_EQ(outliving, "") << "round " << round;
        }
    }
}

} // namespace
} // namespace plat::media::test
