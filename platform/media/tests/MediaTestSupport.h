#pragma once
// Shared pieces of the media tests: the generated media files and one catalogue for the process.
#include "platform/media/FilterCatalogue.h"
#include "platform/testing/FakeRendererFactory.h"

#include <chrono>
#include <string>

namespace plat::media::test {

using namespace std::chrono_literals;

// How long a test waits for what should come soon; sanitizer builds run pipelines slower. A first graph
// loads its plug-ins, which on two busy cores under a sanitizer took more than ten seconds.
constexpr auto kDeadline = 20s * TOVRIN_TEST_SLOWDOWN;
constexpr std::int64_t kFrame = 400000; // one frame at 25 frames/s in 100 ns units
constexpr std::int64_t kSecond = 10000000;

inline std::string Fixture(const std::string& name) {
    return std::string(MEDIA_FIXTURES) + "/" + name;
}

// The registry's ranks as installed (no merit store).
inline FilterCatalogue& Catalogue() {
    static FilterCatalogue catalogue;
    return catalogue;
}

inline Guid FactoryId(const char* factory) {
    return FilterCatalogue::ClassIdForFactory(factory);
}
inline Guid WindowsId(const char* text) {
    return *Guid::Parse(text);
}

inline const char* kVideoRendererId = "{70E102B0-5556-11CE-97C0-00AA0055595A}";
inline const char* kAudioRendererId = "{79376820-07D0-11CF-A24D-444553540000}";

} // namespace plat::media::test
