#pragma once
// Joins the wave display and the editor: the display's clicks set the current event's times and its
// start-up steps show on the wait form through the shared services, and the shared services' marks of
// the current event reach the display.
#include "editor/IEditorViews.h"
#include "editor/ui/wave/IWaveEditorServices.h"

class TShared;
class TWaveControl;

class TWaveEditorLink : public IWaveEditorServices, public IWaveView {
public:
    explicit TWaveEditorLink(TShared& shared) : shared_(shared) {}

    // The display the marks go to (nullptr: none).
    void Attach(TWaveControl* control) { control_ = control; }

    // IWaveEditorServices
    void SetEventTimes(int32_t startMs, int32_t endMs) override;
    void SetWaitInfo(std::u16string_view info) override;

    // IWaveView
    void MarkEventRange(int32_t startMs, int32_t endMs) override;

private:
    TShared& shared_;
    TWaveControl* control_ = nullptr;
};
