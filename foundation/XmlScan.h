#pragma once
// The search the XML reader spends its time in: the next of a few ASCII characters in UTF-16 text,
// eight characters at a time where the processor has the instructions for it (SSE2), one at a time
// elsewhere. Searches never read at or past `end`.
#include <cstddef>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace xmlscan {

// The first character in [at, end) that is one of `Targets` or a zero character; `end` when there
// is none.
template <char16_t... Targets> const char16_t* FindFirstOf(const char16_t* at, const char16_t* end) {
#if defined(__SSE2__)
    while (end - at >= 8) {
        const __m128i chars = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
        __m128i hits = _mm_cmpeq_epi16(chars, _mm_setzero_si128());
        ((hits = _mm_or_si128(hits, _mm_cmpeq_epi16(chars, _mm_set1_epi16(static_cast<short>(Targets))))),
         ...);
        if (const int mask = _mm_movemask_epi8(hits); mask != 0) {
            return at + __builtin_ctz(static_cast<unsigned>(mask)) / 2;
        }
        at += 8;
    }
#endif
    while (at < end && *at != 0 && ((*at != Targets) && ...)) {
        ++at;
    }
    return at;
}

} // namespace xmlscan
