#pragma once
// The streams of the navigator bin: disc blocks go into an appsrc, the program-stream demuxer splits
// them, and each elementary stream is decoded on its own branch. Video runs through dvdspu, which
// draws the chosen subpicture stream and the menu highlights onto the picture; the audio branches and
// the subpicture streams meet in selectors that pick the disc's current streams. Controls the dvdspu
// custom events (colour table, highlight, forced-only display) and still frames.
#include "platform/media/GstRef.h"

#include <gst/gst.h>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <map>
#include <mutex>
#include <optional>

namespace plat::dvd {

struct DvdHighlight {
    int button = 0;
    std::uint32_t palette = 0; // four colour indexes and four contrasts, as the disc gives them
    int startX = 0;
    int startY = 0;
    int endX = 0;
    int endY = 0;
    bool operator==(const DvdHighlight&) const = default;
};

class DvdStreamRouter {
public:
    // Builds the elements inside the bin and its three output pins (video, audio, subpicture).
    explicit DvdStreamRouter(GstBin* bin);
    ~DvdStreamRouter();
    DvdStreamRouter(const DvdStreamRouter&) = delete;
    DvdStreamRouter& operator=(const DvdStreamRouter&) = delete;

    bool Complete() const { return complete_; }

    // Queues one block; GST_FLOW_FLUSHING while a flush is under way (the block is dropped then).
    GstFlowReturn PushBlock(const std::uint8_t* data, std::size_t size);
    // Queues an event after the blocks queued so far; it travels with the video only.
    void PushEvent(GstEvent* event);
    // The rate the video and audio play at from the next flush on (the timelines start over there).
    void SetRate(double rate);
    double Rate() const { return rate_.load(); }
    GstPad* VideoOutput() const { return videoOutput_; }
    // Drops everything queued and unblocks a waiting push; FlushStop lets data flow again with time
    // starting over.
    void FlushStart();
    void FlushStop();
    // Waits until every queued block went into the demuxer; false when CancelWaits was called.
    bool WaitUntilDrained();
    void CancelWaits();
    void ResumeWaits();

    // Tells the decoders and dvdspu that a still frame starts or ends (after the last queued block).
    void SendStill(bool still);
    // The disc's physical stream numbers (audio 0-7, subpicture 0-31).
    void SelectAudio(int physical);
    void SelectSubpicture(int physical);
    // Off: only forced subpictures (menus, forced captions) are drawn.
    void ShowSubpictures(bool shown);
    void SendColourTable(const std::uint32_t (&colours)[16]);
    void SendHighlight(const DvdHighlight& highlight);
    void ResetHighlight();

private:
    enum class Kind { Video, Audio, Subpicture, Other };
    struct Branch {
        Kind kind;
        int physical;
    };

    void Build();
    GstElement* Add(const char* factory, const char* name = nullptr);
    GstElement* AddDecoderFor(GstCaps* caps, GstElementFactoryListType type);
    GstPad* AddGhost(const char* name, GstElement* element, const char* pad);
    void OnPadAdded(GstPad* pad);
    void LinkAudio(GstPad* pad, int physical);
    void LinkSubpicture(GstPad* pad, int physical);
    void Activate(GstElement* selector, std::map<int, GstPad*>& pads, int physical);
    void SendToSubpictureUnit(GstStructure* structure);
    void SendHighlightLocked();
    void SendColoursLocked();
    void SendShownLocked();
    // dvdspu forgets colours, display mode and highlight when new subpicture caps arrive, and refuses
    // them while a flush passes its input: they are given again before the first subpicture after a
    // caps change, a flush or a refusal.
    void OnSubpictureData(GstPadProbeInfo* info);
    static GstPadProbeReturn SubpictureProbeThunk(GstPad*, GstPadProbeInfo* info, gpointer self);
    // A still that a flush overtook must not freeze the picture after the jump: each still carries
    // the flush generation it was sent in, and older ones are dropped before the decoder.
    static GstPadProbeReturn StaleStillProbeThunk(GstPad*, GstPadProbeInfo* info, gpointer self);
    // Markers of the place belong to the video: the demuxer hands them to every stream it has made.
    // On the video each is held until the next timestamped picture and sent on with that timestamp
    // (the parser after the demuxer lets events overtake the picture it is still gathering), and one
    // that came before the video stream existed is kept for it.
    static GstPadProbeReturn DropMarkersThunk(GstPad*, GstPadProbeInfo* info, gpointer);
    static GstPadProbeReturn KeepMarkerThunk(GstPad*, GstPadProbeInfo* info, gpointer self);
    static GstPadProbeReturn StampMarkerThunk(GstPad* pad, GstPadProbeInfo* info, gpointer self);
    // The timelines of the video and audio leaving the bin: at the playback rate, and after a flush
    // (or at the start) beginning with the first frame rather than with the disc's clock, so that the
    // first picture is not held while the clock runs up to it.
    struct Output {
        DvdStreamRouter* router;
        bool fresh = true;              // a flush passed: the next segment waits for the first frame
        std::optional<GstSegment> held; // that segment
    };
    static GstPadProbeReturn TimelineProbeThunk(GstPad* pad, GstPadProbeInfo* info, gpointer output);
    GstPadProbeReturn OnOutput(GstPad* pad, GstPadProbeInfo* info, Output& output);
    static Branch Classify(const char* padName);
    static void PadAddedThunk(GstElement*, GstPad* pad, gpointer self);
    static void NeedDataThunk(GstElement*, guint, gpointer self);

    GstBin* bin_;
    bool complete_ = false;
    GstElement* source_ = nullptr;
    GstElement* demuxer_ = nullptr;
    GstElement* videoQueue_ = nullptr;
    GstElement* subpictureUnit_ = nullptr;
    GstElement* audioSelector_ = nullptr;
    GstElement* subpictureSelector_ = nullptr;
    GstElement* subpicturePlaceholder_ = nullptr;
    GstPad* videoOutput_ = nullptr; // the bin's "video" pad (owned by the bin)
    std::atomic<double> rate_{1.0};
    Output outputs_[2] = {{this, true, std::nullopt}, {this, true, std::nullopt}}; // video, audio
    // The timeline and the outputs' state: an output's events may come on another thread than its frames.
    std::mutex timelineMutex_;
    std::optional<GstClockTime> timelineStart_; // the first timestamp after the last flush

    std::mutex mutex_;                 // the maps and the selections; pads appear on the demuxer's thread
    std::map<int, GstPad*> audioPads_; // physical stream -> selector input (owned by the selector)
    std::map<int, GstPad*> subpicturePads_; // the same for subpictures
    int audio_ = 0;
    int subpicture_ = 0;
    bool videoLinked_ = false;
    media::GstRef<GstEvent> heldMarker_;

    std::recursive_mutex unitMutex_; // what dvdspu was last told (its events pass the probe again)
    bool haveColours_ = false;
    std::uint32_t colours_[16] = {};
    bool shown_ = false;
    bool highlighted_ = false;
    DvdHighlight highlight_;
    bool replay_ = false;

    std::atomic<unsigned> generation_{0};

    std::mutex drainMutex_;
    std::condition_variable drained_;
    bool empty_ = true;
    bool cancelled_ = false;
};

} // namespace plat::dvd
