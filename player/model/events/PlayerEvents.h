#pragma once
// The numbered player events and what their arguments a and b carry (c is always 0). 32-bit values
// arrive sign-extended; a listener that reads an unsigned word (a disc identifier half, configuration
// bits) casts it to uint32_t.
#include <cstdint>

enum TPlayerEvent : uint32_t {
    kEventTime = 1,                // a time in ms, b frame rate of the time code (25, 30, 0)
    kEventDiscOpened = 2,          // a disc identifier high, b low (0, 0 for a media file)
    kEventDuration = 3,            // a duration in ms, b the second value of message 1527
    kEventRegister = 4,            // a register value or -1, b -1 or the new register value
    kEventTitleChapter = 5,        // a 1 title or 2 chapter, b the new number
    kEventPlayState = 6,           // a play state
    kEventAudioStream = 7,         // a current stream index
    kEventSubpictureStream = 8,    // a current stream index, b shown flag
    kEventAngle = 9,               // a current angle (0-based)
    kEventUserOperations = 16,     // a user-operation mask (-1 after a stop)
    kEventProfileVolume = 17,      // a volume index
    kEventProfileLanguage = 18,    // a language index
    kEventAnglesCleared = 19,      //
    kEventProfileChanged = 20,     //
    kEventAudioStreams = 21,       //
    kEventSubpictureStreams = 22,  //
    kEventBookmarks = 23,          //
    kEventTitles = 24,             //
    kEventFilters = 25,            //
    kEventError = 32,              // a the UTF-16 text (valid during the call), b level
    kEventEndOfMedia = 33,         //
    kEventVolume = 34,             // a volume 0-100
    kEventGraphBuilt = 35,         //
    kEventGraphConfiguration = 36, // a configuration bits of the built graph (4 = a DVD graph)
    kEventDiscDataLoaded = 37,     // a 1
    kEventAspectLoaded = 38,       // a 1
    kEventProfileShown = 39,       // a 1 shown, 0 hidden
};
