#pragma once
// What the editor-wide services use of the forms. Each form implements its interface; the services
// hold none for a form that does not exist (yet), and then skip that part.
#include <cstdint>
#include <string>
#include <string_view>

struct TProfileCursor;
struct TStyles;
template <class T> class TPointer;

class IMainFormView {
public:
    virtual ~IMainFormView() = default;
    virtual void SetMainCaption(const std::u16string& caption) = 0;
    virtual void RestartAutoRefresh() = 0;
    // Ac_Save enabled and the modified flag set / both cleared.
    virtual void MarkModified() = 0;
    virtual void ClearModified() = 0;
    // True when nothing is unsaved or the user agrees to lose it.
    virtual bool ConfirmDiscardChanges() = 0;
    virtual void ClearViews() = 0;
    virtual void BuildStylesMenu(const TPointer<TStyles>* styles) = 0;
    virtual void RebuildHistoryMenu() = 0;
};

class IEventsListingView {
public:
    virtual ~IEventsListingView() = default;
    // Shows the events of the cursor's select (kind 4) or timed script (kind 5); anything else, or
    // none, empties the grid.
    virtual void SetCursor(const TProfileCursor* cursor) = 0;
    virtual bool UpdateEditors(bool noRefresh, bool forceLoad) = 0;
    virtual void RepaintGrid() = 0;
    virtual void EnableFilters() = 0;
    virtual void SetCurrentEventTimes(int32_t start, int32_t end, bool noCommit) = 0;
    virtual void SuspendDrawing() = 0;
    virtual void ResumeDrawing() = 0;
};

class IInfoView {
public:
    virtual ~IInfoView() = default;
    virtual void ShowProfileInfo(const TProfileCursor* cursor) = 0;
};

class IWaitView {
public:
    virtual ~IWaitView() = default;
    virtual void ShowWait(std::u16string_view action, std::u16string_view info) = 0;
    virtual void SetWaitInfo(std::u16string_view info) = 0;
    virtual void HideWait() = 0;
};

class IWaveView {
public:
    virtual ~IWaveView() = default;
    // Marks the current event's start and end in ms (-1 and -1: no event).
    virtual void MarkEventRange(int32_t startMs, int32_t endMs) = 0;
};
