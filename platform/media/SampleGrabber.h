#pragma once
// A pass-through video filter that converts frames to a chosen media type, hands each frame to a
// callback on the streaming thread and can keep a copy of the last one. The grabber object lives with
// its element: SampleGrabber::From finds it again.
#include "platform/media/GstRef.h"
#include "platform/media/Result.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace plat::media {

class SampleGrabber {
public:
    // Time of the frame in 100 ns units (stream time), its bytes.
    using Callback = std::function<void(std::int64_t time, const std::uint8_t* data, std::size_t size)>;

    // The filter: a bin with a "sink" and a "src" pad.
    static ElementRef Create();
    // The grabber of a filter made by Create, or null for any other element.
    static SampleGrabber* From(GstElement* element);

    // Raw video caps such as "video/x-raw,format=BGRx", set before the filter is linked:
    // VFW_E_INVALIDMEDIATYPE for other caps, VFW_E_ALREADY_CONNECTED once linked.
    HResult SetMediaType(const std::string& caps);
    // The caps frames pass with; VFW_E_NOT_CONNECTED before any frame was negotiated.
    HResult GetConnectedMediaType(std::string* caps) const;
    // Replaces the callback. A call of the old one under way on the streaming thread ends first, so once
    // this returns the old callback is never called again and what it uses may go. Not to be called from
    // inside the callback, nor while holding something the callback waits for.
    void SetCallback(Callback callback);
    void SetBufferSamples(bool buffer);
    // A copy of the last frame: E_INVALIDARG when buffering is off, VFW_E_WRONG_STATE before a frame.
    HResult GetCurrentBuffer(std::vector<std::uint8_t>* frame) const;
    // Frames that passed so far; WaitForFrame waits up to the time-out for more than `seen`.
    std::uint64_t FrameCount() const;
    bool WaitForFrame(std::uint64_t seen, std::chrono::milliseconds timeout) const;

private:
    explicit SampleGrabber(GstElement* bin, GstElement* filter);
    void OnBuffer(GstPad* pad, GstBuffer* buffer);
    static GstPadProbeReturn ProbeThunk(GstPad* pad, GstPadProbeInfo* info, gpointer self);

    GstElement* bin_;          // the owning element (not referenced: it owns us)
    GstElement* filter_;       // its capsfilter
    std::mutex callbackMutex_; // held while the callback runs
    Callback callback_;
    mutable std::mutex mutex_;
    bool buffering_ = false;
    bool sampled_ = false;
    std::uint64_t frames_ = 0;
    mutable std::condition_variable framePassed_;
    std::vector<std::uint8_t> last_;
};

} // namespace plat::media
