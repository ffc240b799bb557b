#pragma once
// Owning references to GStreamer objects: one reference each, released on destruction.
#include <gst/gst.h>

#include <type_traits>
#include <utility>

namespace plat::media {

template <typename T> struct GstUnref {
    static void Release(T* object) { gst_object_unref(object); }
};
template <> struct GstUnref<GstCaps> {
    static void Release(GstCaps* caps) { gst_caps_unref(caps); }
};
template <> struct GstUnref<GstEvent> {
    static void Release(GstEvent* event) { gst_event_unref(event); }
};

template <typename T> class GstRef {
public:
    GstRef() = default;
    // Takes over a reference the caller owns (a "transfer full" return value).
    static GstRef Adopt(T* object) { return GstRef(object); }
    // Owns a newly made object whose reference is still floating (element factories, bins, pipelines).
    static GstRef Sink(T* object) {
        if (object != nullptr) {
            gst_object_ref_sink(object);
        }
        return GstRef(object);
    }
    // Takes a new reference of its own.
    static GstRef Share(T* object) {
        if (object != nullptr) {
            Ref(object);
        }
        return GstRef(object);
    }
    GstRef(const GstRef& other) : object_(other.object_) {
        if (object_ != nullptr) {
            Ref(object_);
        }
    }
    GstRef(GstRef&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    GstRef& operator=(GstRef other) noexcept {
        std::swap(object_, other.object_);
        return *this;
    }
    ~GstRef() {
        if (object_ != nullptr) {
            GstUnref<T>::Release(object_);
        }
    }

    T* get() const { return object_; }
    T* operator->() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }

private:
    explicit GstRef(T* object) : object_(object) {}
    static void Ref(T* object) {
        if constexpr (std::is_same_v<T, GstCaps>) {
            gst_caps_ref(object);
        } else if constexpr (std::is_same_v<T, GstEvent>) {
            gst_event_ref(object);
        } else {
            gst_object_ref(object);
        }
    }

    T* object_ = nullptr;
};

using ElementRef = GstRef<GstElement>;
using PadRef = GstRef<GstPad>;
using CapsRef = GstRef<GstCaps>;
using BusRef = GstRef<GstBus>;
using FactoryRef = GstRef<GstElementFactory>;

// Frees a g_malloc'ed value (strings from GStreamer getters).
struct GFreeDeleter {
    void operator()(void* memory) const { g_free(memory); }
};

} // namespace plat::media
