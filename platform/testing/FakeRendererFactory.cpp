#include "platform/testing/FakeRendererFactory.h"

#include <initializer_list>

namespace plat::media {

namespace {

// A bin of the named factories linked in a row, its first element's sink pad ghosted as "sink".
// The leading queue decouples the renderer from a demuxer that feeds several branches.
ElementRef MakeRendererBin(std::initializer_list<const char*> factories) {
    ElementRef bin = ElementRef::Sink(gst_bin_new(nullptr)); // a unique name, as several may share a graph
    GstElement* previous = nullptr;
    for (const char* factory : factories) {
        GstElement* element = gst_element_factory_make(factory, nullptr);
        if (element == nullptr) {
            return {};
        }
        gst_bin_add(GST_BIN(bin.get()), element);
        if (previous == nullptr) {
            PadRef sink = PadRef::Adopt(gst_element_get_static_pad(element, "sink"));
            gst_element_add_pad(bin.get(), gst_ghost_pad_new("sink", sink.get()));
        } else if (!gst_element_link(previous, element)) {
            return {};
        }
        previous = element;
    }
    g_object_set(previous, "sync", TRUE, nullptr); // consume in time with the clock, as a device would
    return bin;
}

} // namespace

ElementRef FakeRendererFactory::CreateVideoRenderer() {
    return MakeRendererBin({"queue", "videoconvert", "fakesink"});
}

ElementRef FakeRendererFactory::CreateAudioRenderer() {
    return MakeRendererBin({"queue", "audioconvert", "audioresample", "volume", "fakeaudiosink"});
}

} // namespace plat::media
