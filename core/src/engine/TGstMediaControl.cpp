#include "core/src/engine/TGstMediaControl.h"

using plat::media::HResult;

TGstMediaControl::TGstMediaControl(plat::media::MediaGraph& graph, std::chrono::milliseconds timeout)
    : graph_(graph), transport_(graph, timeout) {}

HResult TGstMediaControl::Run() {
    return transport_.Run();
}

HResult TGstMediaControl::Pause() {
    return transport_.Pause();
}

HResult TGstMediaControl::Stop() {
    return transport_.Stop();
}

HResult TGstMediaControl::GetState(std::chrono::milliseconds timeout, plat::media::FilterState* state) {
    return transport_.GetState(timeout, state);
}

HResult TGstMediaControl::GetCurrentPosition(std::int64_t* position) {
    return transport_.GetPosition(position);
}

HResult TGstMediaControl::GetDuration(std::int64_t* duration) {
    return transport_.GetDuration(duration);
}

HResult TGstMediaControl::SetPosition(std::int64_t position) {
    return transport_.Seek(position, plat::media::SeekMode::Accurate);
}

HResult TGstMediaControl::SetRate(double rate) {
    return transport_.SetRate(rate);
}

HResult TGstMediaControl::GetVolume(long* volume) {
    return transport_.GetVolume(volume);
}

HResult TGstMediaControl::SetVolume(long volume) {
    return transport_.SetVolume(volume);
}

bool TGstMediaControl::CanStep() {
    return !graph_.FiltersWithRole(plat::media::FilterRole::VideoRenderer).empty();
}

HResult TGstMediaControl::Step() {
    return transport_.Step(1);
}
