#pragma once
// One title of a language: its selections over the scripts and the merged page built from them, the
// event copies of every enabled selection moved onto the title's time line and ordered by start.
// The copies refer to the scripts' events: a page is rebuilt after its scripts change.
#include "foundation/TPointer.h"
#include "subtitles/model/TSubEvents.h"
#include "subtitles/profiles/TSelect.h"
#include "subtitles/profiles/TSelectStats.h"

#include <cstdint>

class TMergedEvent;

class TTitle : public TListItem<TTitle> {
public:
    TTitle();
    ~TTitle();
    TTitle(const TTitle&) = delete;
    TTitle& operator=(const TTitle&) = delete;

    // Rebuilds the merged copies of every enabled selection into `target` (the title's own list,
    // whose statistics are then renewed, when none is given), or of `only` that selection. Answers
    // the statistics of the last selection processed.
    TSelectStats BuildEvents(TPointer<TSubEvents>* target = nullptr, TSelect* only = nullptr);
    // Appends a copy of the source event through the selection: start and end stretched from the
    // window's start by the selection's factor, then shifted by DVDStart - FirstSub.
    static TMergedEvent* AddEventCopy(const TSubEvents& source, TSelect& select,
                                      TPointer<TSubEvents>& target);

    // The merged copy of the script event made through that selection; nullptr when there is none.
    TMergedEvent* FindEventCopy(const TSubEvents& source, const TSelect& select) const;
    // Orders the selections by ascending info, equal keys keeping their order.
    void SortSelections();
    // Orders an event list by ascending start, equal starts keeping their order.
    static void SortEvents(TPointer<TSubEvents>& events);

    int32_t Number = 0;
    TSelectStats Stats;
    TPointer<TSelect> Selects;
    TPointer<TSubEvents> Events; // the merged copies

private:
    TSelectStats BuildSelection(TSelect& select, TPointer<TSubEvents>& target);
};
