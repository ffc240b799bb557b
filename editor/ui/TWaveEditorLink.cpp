#include "editor/ui/TWaveEditorLink.h"

#include "editor/TShared.h"
#include "editor/ui/wave/TWaveControl.h"

void TWaveEditorLink::SetEventTimes(int32_t startMs, int32_t endMs) {
    shared_.SetEventTimes(startMs, endMs);
}

void TWaveEditorLink::SetWaitInfo(std::u16string_view info) {
    shared_.SetWaitInfo(info);
}

void TWaveEditorLink::MarkEventRange(int32_t startMs, int32_t endMs) {
    if (control_ != nullptr) {
        control_->SetEventRange(startMs, endMs);
    }
}
