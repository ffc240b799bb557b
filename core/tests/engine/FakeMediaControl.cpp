#include "core/tests/engine/FakeMediaControl.h"

using plat::media::FilterState;
using plat::media::HResult;

HResult FakeMediaControl::Run() {
    calls.push_back("Run");
    state_ = FilterState::Running;
    return plat::media::S_OK;
}

HResult FakeMediaControl::Pause() {
    calls.push_back("Pause");
    state_ = FilterState::Paused;
    return plat::media::S_OK;
}

HResult FakeMediaControl::Stop() {
    calls.push_back("Stop");
    state_ = FilterState::Stopped;
    positionMs = 0;
    return plat::media::S_OK;
}

HResult FakeMediaControl::GetState(std::chrono::milliseconds timeout, FilterState* state) {
    now_ += timeout;
    *state = state_;
    return stateNeverSettles ? plat::media::VFW_S_STATE_INTERMEDIATE : plat::media::S_OK;
}

HResult FakeMediaControl::GetCurrentPosition(std::int64_t* position) {
    if (positionFails) {
        return plat::media::E_FAIL;
    }
    *position = positionMs * 10000;
    return plat::media::S_OK;
}

HResult FakeMediaControl::GetDuration(std::int64_t* duration) {
    *duration = 2000 * 10000;
    return plat::media::S_OK;
}

HResult FakeMediaControl::SetPosition(std::int64_t position) {
    calls.push_back("SetPosition");
    seeks.push_back(position);
    positionMs = position / 10000;
    return plat::media::S_OK;
}

HResult FakeMediaControl::SetRate(double newRate) {
    calls.push_back("SetRate " + std::to_string(newRate));
    rate = newRate;
    return plat::media::S_OK;
}

HResult FakeMediaControl::GetVolume(long* out) {
    *out = volume;
    return plat::media::S_OK;
}

HResult FakeMediaControl::SetVolume(long value) {
    volume = value;
    return plat::media::S_OK;
}

HResult FakeMediaControl::Step() {
    calls.push_back("Step");
    return plat::media::S_OK;
}
