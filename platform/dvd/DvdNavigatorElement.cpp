#include "platform/dvd/DvdNavigatorElement.h"

#include "platform/media/GstInit.h"

#include <atomic>
#include <mutex>
#include <new>
#include <utility>

namespace {

struct PlatDvdNavigatorBin {
    GstBin parent;
    plat::dvd::DvdNavigator* navigator;
    std::atomic<guint32> lastSeek; // the last seek carried out
};

struct PlatDvdNavigatorBinClass {
    GstBinClass parentClass;
};

G_DEFINE_TYPE(PlatDvdNavigatorBin, plat_dvd_navigator_bin, GST_TYPE_BIN)

GstStaticPadTemplate videoTemplate =
    GST_STATIC_PAD_TEMPLATE("video", GST_PAD_SRC, GST_PAD_ALWAYS, GST_STATIC_CAPS("video/x-raw"));
GstStaticPadTemplate audioTemplate =
    GST_STATIC_PAD_TEMPLATE("audio", GST_PAD_SRC, GST_PAD_ALWAYS, GST_STATIC_CAPS("audio/x-raw"));
GstStaticPadTemplate subpictureTemplate =
    GST_STATIC_PAD_TEMPLATE("subpicture", GST_PAD_SRC, GST_PAD_ALWAYS, GST_STATIC_CAPS("subpicture/x-dvd"));

PlatDvdNavigatorBin* Self(gpointer object) {
    return reinterpret_cast<PlatDvdNavigatorBin*>(object);
}

GstStateChangeReturn ChangeState(GstElement* element, GstStateChange transition) {
    plat::dvd::DvdNavigator* navigator = Self(element)->navigator;
    if (transition == GST_STATE_CHANGE_PAUSED_TO_READY) {
        navigator->Stop();
    }
    const GstStateChangeReturn result =
        GST_ELEMENT_CLASS(plat_dvd_navigator_bin_parent_class)->change_state(element, transition);
    if (transition != GST_STATE_CHANGE_READY_TO_PAUSED || result == GST_STATE_CHANGE_FAILURE) {
        return result;
    }
    const plat::media::HResult started = navigator->Start();
    if (started == plat::media::E_INVALIDARG) {
        GST_ELEMENT_ERROR(element, RESOURCE, NOT_FOUND, ("No valid DVD-Video volume could be located"),
                          ("no disc was set, or it could not be read"));
    } else if (plat::media::Failed(started)) {
        GST_ELEMENT_ERROR(element, CORE, MISSING_PLUGIN, ("The DVD navigator cannot be built"),
                          ("a demuxer, decoder or dvdspu element is missing"));
    }
    return plat::media::Failed(started) ? GST_STATE_CHANGE_FAILURE : result;
}

// A flushing seek to the start (a stopped graph goes back there) starts the disc over, as a stopped
// disc does. Other seeks are refused here: places are reached with the navigator's jumps, and the
// elements inside do not seek.
bool IsSeekToStart(GstEvent* event) {
    gdouble rate = 0;
    GstFormat format = GST_FORMAT_UNDEFINED;
    GstSeekFlags flags = GST_SEEK_FLAG_NONE;
    GstSeekType startType = GST_SEEK_TYPE_NONE;
    GstSeekType stopType = GST_SEEK_TYPE_NONE;
    gint64 start = 0;
    gint64 stop = 0;
    gst_event_parse_seek(event, &rate, &format, &flags, &startType, &start, &stopType, &stop);
    return rate == 1.0 && format == GST_FORMAT_TIME && (flags & GST_SEEK_FLAG_FLUSH) != 0 &&
           startType == GST_SEEK_TYPE_SET && start == 0 &&
           (stopType == GST_SEEK_TYPE_NONE || (stopType == GST_SEEK_TYPE_SET && stop == -1));
}

// A seek reaches every output pin: it is carried out once.
gboolean OutputEvent(GstPad* pad, GstObject* parent, GstEvent* event) {
    if (GST_EVENT_TYPE(event) != GST_EVENT_SEEK) {
        return gst_pad_event_default(pad, parent, event);
    }
    PlatDvdNavigatorBin* self = Self(parent);
    bool done = IsSeekToStart(event);
    const guint32 seek = gst_event_get_seqnum(event);
    if (done && self->lastSeek.exchange(seek) != seek) {
        done = plat::media::Succeeded(self->navigator->Restart());
    }
    gst_event_unref(event);
    return done ? TRUE : FALSE;
}

// The navigator goes before the bin lets go of the elements it uses; dispose may run more than once.
void Dispose(GObject* object) {
    delete std::exchange(Self(object)->navigator, nullptr);
    G_OBJECT_CLASS(plat_dvd_navigator_bin_parent_class)->dispose(object);
}

void plat_dvd_navigator_bin_class_init(PlatDvdNavigatorBinClass* klass) {
    GstElementClass* elementClass = GST_ELEMENT_CLASS(klass);
    G_OBJECT_CLASS(klass)->dispose = &Dispose;
    elementClass->change_state = &ChangeState;
    gst_element_class_add_static_pad_template(elementClass, &videoTemplate);
    gst_element_class_add_static_pad_template(elementClass, &audioTemplate);
    gst_element_class_add_static_pad_template(elementClass, &subpictureTemplate);
    gst_element_class_set_static_metadata(elementClass, "DVD Navigator", "Source/Video/Audio/DVD",
                                          "Plays DVD-Video discs, folders and images with menus", "Tovrin");
}

void plat_dvd_navigator_bin_init(PlatDvdNavigatorBin* self) {
    self->navigator = new plat::dvd::DvdNavigator(GST_BIN(self));
    new (&self->lastSeek) std::atomic<guint32>(GST_SEQNUM_INVALID);
    for (const char* name : {"video", "audio", "subpicture"}) {
        GstPad* pad = gst_element_get_static_pad(GST_ELEMENT(self), name);
        if (pad != nullptr) {
            gst_pad_set_event_function(pad, &OutputEvent);
            gst_object_unref(pad);
        }
    }
}

} // namespace

namespace plat::dvd {

void DvdNavigatorElement::Register() {
    static std::once_flag once;
    std::call_once(once, [] {
        media::EnsureGstInitialized();
        gst_element_register(nullptr, kFactoryName, GST_RANK_NONE, plat_dvd_navigator_bin_get_type());
    });
}

DvdNavigator* DvdNavigatorElement::Navigator(GstElement* element) {
    if (element == nullptr || !G_TYPE_CHECK_INSTANCE_TYPE(element, plat_dvd_navigator_bin_get_type())) {
        return nullptr;
    }
    return Self(element)->navigator;
}

} // namespace plat::dvd
