#pragma once
// What the profile subtitle sender puts into the core: a style list (order 503), the pages of a
// language's titles (order 502) and the page blocks they travel in.
#include "foundation/TPointer.h"
#include "subtitles/model/TSubEvents.h"
#include "subtitles/scripts/TStyles.h"

#include <cstddef>
#include <cstdint>
#include <set>
#include <vector>

class TLanguage;
class TPlayerObjects;

// The page numbers sent to the core since it last cleared its pages.
using TSentPages = std::set<int32_t>;

// Order 503 with step 1 (reset), 2 (display updates off), 4 once per style in list order, then 3.
void SendStyles(TPlayerObjects& objects, const TPointer<TStyles>& styles);

// The language's styles, then the merged events of each title (rebuilt first) under the title's
// number. A language without titles clears the core's pages (order 500) instead. A page sent before
// that the language no longer fills is replaced by an empty one, so that no other language's
// subtitles stay on it. Nothing without a language.
void SendLanguage(TPlayerObjects& objects, TLanguage* language, TSentPages& sent);

// Order 502 with the events under the page number; nothing for an empty list. True when sent.
bool SendEvents(TPlayerObjects& objects, int32_t number, const TPointer<TSubEvents>& events);

// An order 502 that leaves the page of that number empty.
void SendEmptyPage(TPlayerObjects& objects, int32_t number);

// The page block of the events: the page head {12, number 0 (the caller's), count} and each event's
// serialised record (merged copies write their source's record with their own times), preceded by
// the 12 bytes of the order's head and size word when `withOrderHeader`. Empty when there are no
// events, or the block would not fit the order's 32-bit size.
std::vector<std::byte> SerializeEvents(const TPointer<TSubEvents>& events, bool withOrderHeader);
