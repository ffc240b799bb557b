#pragma once
// The DVD navigator's events as the engine handles them when it drains its graph events: domain,
// title and chapter changes, stream and allowed-operation changes, errors and the time code, turned
// into the engine's status, event and error reports.
#include "core/src/engine/TEngineContext.h"
#include "core/src/engine/TEngineDvd.h"
#include "platform/media/GraphEvent.h"

class TEngineDvdEvents {
public:
    TEngineDvdEvents(TEngineContext& context, TEngineDvd& dvd) : context_(context), dvd_(dvd) {}

    // Whether the code is one of the navigator's (handled or not).
    static bool IsDvdEvent(long code);
    void Handle(const plat::media::GraphEvent& event);

private:
    void DomainChanged(std::uint32_t domain);
    // Status 5 with the drive of the disc, when its directory names one.
    void ReportDrive();

    TEngineContext& context_;
    TEngineDvd& dvd_;
};
