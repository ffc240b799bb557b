#pragma once
// GLib and GStreamer hand data from thread to thread under their own locks, which ThreadSanitizer
// cannot see: those libraries are not built with it. Data that our code gives a GStreamer callback
// through such a call is marked handed over before the call and taken over as the callback starts,
// the order that the libraries' locks guarantee. Outside a ThreadSanitizer build both do nothing.
#if defined(__SANITIZE_THREAD__)
#define TOVRIN_THREAD_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define TOVRIN_THREAD_SANITIZER 1
#endif
#endif

#ifdef TOVRIN_THREAD_SANITIZER
#include <sanitizer/tsan_interface.h>
#endif

namespace plat::media {

inline void HandOver(const void* data) {
#ifdef TOVRIN_THREAD_SANITIZER
    __tsan_release(const_cast<void*>(data));
#else
    static_cast<void>(data);
#endif
}

inline void TakeOver(const void* data) {
#ifdef TOVRIN_THREAD_SANITIZER
    __tsan_acquire(const_cast<void*>(data));
#else
    static_cast<void>(data);
#endif
}

} // namespace plat::media
