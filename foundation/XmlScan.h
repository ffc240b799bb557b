#pragma once
// What the XML reader spends its time in: searching for the next of a few ASCII characters in UTF-16
// text, eight characters at a time where the processor has the instructions for it (SSE2), one at a
// time elsewhere (searches never read at or past `end`); and moving the short texts of names and
// values.
#include <cstddef>
#include <cstring>

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

// Moves `count` characters (the ranges may overlap). Short texts, most names and values, take a few
// fixed-size moves rather than a call: two overlapping moves of a size cover any length from that
// size to twice it, and both are read before either is written.
inline void MoveChars(char16_t* target, const char16_t* source, std::size_t count) {
    const std::size_t size = count * sizeof(char16_t);
    const auto moveEnds = [&]<std::size_t kSize>() {
        unsigned char head[kSize];
        unsigned char tail[kSize];
        std::memcpy(head, source, kSize);
        std::memcpy(tail, reinterpret_cast<const unsigned char*>(source) + size - kSize, kSize);
        std::memcpy(target, head, kSize);
        std::memcpy(reinterpret_cast<unsigned char*>(target) + size - kSize, tail, kSize);
    };
    if (size > 32) {
        std::memmove(target, source, size);
    } else if (size >= 16) {
        moveEnds.template operator()<16>();
    } else if (size >= 8) {
        moveEnds.template operator()<8>();
    } else if (size >= 4) {
        moveEnds.template operator()<4>();
    } else if (size == 2) {
        *target = *source;
    }
}

} // namespace xmlscan
