#include "platform/audio/WaveFormat.h"

namespace plat::audio {

FormatProblem CheckPcmFormat(const WaveFormat& format) {
    if (format.formatTag != kWaveFormatPcm) {
        return FormatProblem::NotPcm;
    }
    if (format.channels < 1 || format.channels > 2) {
        return FormatProblem::BadChannels;
    }
    if (format.samplesPerSec == 0) {
        return FormatProblem::BadRate;
    }
    if (format.bitsPerSample != 8 && format.bitsPerSample != 16) {
        return FormatProblem::BadSampleWidth;
    }
    if (format.blockAlign != format.channels * BytesPerSample(format)) {
        return FormatProblem::BadBlockAlign;
    }
    if (format.avgBytesPerSec != static_cast<std::uint64_t>(format.samplesPerSec) * format.blockAlign) {
        return FormatProblem::BadAverageRate;
    }
    return FormatProblem::None;
}

const char* FormatProblemText(FormatProblem problem) {
    switch (problem) {
    case FormatProblem::None:
        return "no problem";
    case FormatProblem::NotPcm:
        return "not PCM audio";
    case FormatProblem::BadChannels:
        return "not one or two channels";
    case FormatProblem::BadRate:
        return "a sample rate of 0";
    case FormatProblem::BadSampleWidth:
        return "neither 8 nor 16 bits per sample";
    case FormatProblem::BadBlockAlign:
        return "a block alignment that does not match the channels and sample width";
    case FormatProblem::BadAverageRate:
        return "an average byte rate that does not match the sample rate";
    }
    return "unknown problem";
}

} // namespace plat::audio
