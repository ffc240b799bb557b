#include "foundation/ErrorReport.h"

#include <atomic>

namespace {

std::atomic<IErrorSink*> installedSink{nullptr};

} // namespace

void InstallErrorSink(IErrorSink* sink) {
    installedSink.store(sink, std::memory_order_release);
}

IErrorSink* InstalledErrorSink() {
    return installedSink.load(std::memory_order_acquire);
}
