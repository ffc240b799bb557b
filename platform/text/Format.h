#pragma once
// printf-style formatting with the Windows rules the system's texts are written for:
//   in a UTF-16 format "%s" takes UTF-16 text and "%hs" 8-bit text; in an 8-bit format "%s" takes
//   8-bit text and "%ls" (or "%S") UTF-16 text; "%c" is a character of the format's own width.
// Flags "-+ #0", widths, precisions ("*" too), the size prefixes h, hh, l, ll, I64, I32, z, j, t and
// the conversions d i u o x X c C s S e E f F g G a A p and %% are understood. Without a 64-bit
// prefix integers are 32-bit, as on Windows ("%X" of -1 is "FFFFFFFF").
//
// A format given as a literal is checked against its arguments at compile time (kind, count and
// integer width). Formats that come from files are wrapped in Runtime(): they are checked while
// formatting, and a conversion whose argument is missing or of the wrong kind prints nothing.
#include "platform/text/WideString.h"

#include <array>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>

namespace plat::text {

enum class ArgKind : std::uint8_t { Signed, Unsigned, Float, Narrow, Wide, Pointer };

// One captured argument. Strings are borrowed: the argument outlives the formatting call.
struct FormatArg {
    ArgKind kind;
    std::uint8_t size = 0; // bytes of an integer argument
    union {
        std::int64_t i;
        std::uint64_t u;
        double d;
        const char* narrow;
        const char16_t* wide;
        const void* ptr;
    };
    std::size_t length = npos; // string length, npos when zero-terminated

    static constexpr std::size_t npos = static_cast<std::size_t>(-1);
};

namespace detail {

template <class T> using Bare = std::remove_cvref_t<std::decay_t<T>>;

template <class T>
constexpr bool kIsNarrowText =
    std::is_same_v<Bare<T>, const char*> || std::is_same_v<Bare<T>, char*> ||
    std::is_same_v<Bare<T>, std::string> || std::is_same_v<Bare<T>, std::string_view>;
template <class T>
constexpr bool kIsWideText =
    std::is_same_v<Bare<T>, const char16_t*> || std::is_same_v<Bare<T>, char16_t*> ||
    std::is_same_v<Bare<T>, std::u16string> || std::is_same_v<Bare<T>, std::u16string_view>;

template <class T> consteval ArgKind KindOf() {
    using B = Bare<T>;
    if constexpr (kIsNarrowText<T>) {
        return ArgKind::Narrow;
    } else if constexpr (kIsWideText<T>) {
        return ArgKind::Wide;
    } else if constexpr (std::is_floating_point_v<B>) {
        return ArgKind::Float;
    } else if constexpr (std::is_enum_v<B>) {
        return std::is_signed_v<std::underlying_type_t<B>> ? ArgKind::Signed : ArgKind::Unsigned;
    } else if constexpr (std::is_integral_v<B>) {
        return std::is_signed_v<B> ? ArgKind::Signed : ArgKind::Unsigned;
    } else if constexpr (std::is_pointer_v<B> || std::is_null_pointer_v<B>) {
        return ArgKind::Pointer;
    } else {
        static_assert(sizeof(B) == 0, "this type cannot be formatted");
        return ArgKind::Pointer;
    }
}

template <class T> consteval std::uint8_t SizeOf() {
    using B = Bare<T>;
    if constexpr (std::is_integral_v<B> || std::is_enum_v<B>) {
        return sizeof(B);
    } else {
        return 0;
    }
}

struct ArgInfo {
    ArgKind kind;
    std::uint8_t size;
};

// Called only when a format does not match its arguments: not constexpr, so a consteval caller
// fails to compile and names this function.
void FormatStringDoesNotMatchArguments(const char* why);

template <class Char> consteval void CheckFormat(const Char* f, const ArgInfo* args, std::size_t count) {
    std::size_t next = 0;
    auto take = [&](const char* why) -> ArgInfo {
        if (next >= count) {
            FormatStringDoesNotMatchArguments("too few arguments");
        }
        (void)why;
        return args[next++];
    };
    auto isInt = [](ArgKind k) { return k == ArgKind::Signed || k == ArgKind::Unsigned; };
    for (std::size_t p = 0; f[p] != 0; ++p) {
        if (f[p] != '%') {
            continue;
        }
        ++p;
        if (f[p] == '%') {
            continue;
        }
        while (f[p] == '-' || f[p] == '+' || f[p] == ' ' || f[p] == '#' || f[p] == '0') {
            ++p;
        }
        if (f[p] == '*') {
            if (!isInt(take("width").kind)) {
                FormatStringDoesNotMatchArguments("'*' width needs an integer");
            }
            ++p;
        }
        while (f[p] >= '0' && f[p] <= '9') {
            ++p;
        }
        if (f[p] == '.') {
            ++p;
            if (f[p] == '*') {
                if (!isInt(take("precision").kind)) {
                    FormatStringDoesNotMatchArguments("'*' precision needs an integer");
                }
                ++p;
            }
            while (f[p] >= '0' && f[p] <= '9') {
                ++p;
            }
        }
        bool wide64 = false, shortPrefix = false, longPrefix = false;
        if (f[p] == 'h') {
            shortPrefix = true;
            ++p;
            if (f[p] == 'h') {
                ++p;
            }
        } else if (f[p] == 'l') {
            longPrefix = true;
            ++p;
            if (f[p] == 'l') {
                wide64 = true;
                ++p;
            }
        } else if (f[p] == 'w') {
            longPrefix = true;
            ++p;
        } else if (f[p] == 'L') {
            ++p;
        } else if (f[p] == 'I') {
            ++p;
            if (f[p] == '6' && f[p + 1] == '4') {
                p += 2;
                wide64 = true;
            } else if (f[p] == '3' && f[p + 1] == '2') {
                p += 2;
            } else {
                wide64 = true;
            }
        } else if (f[p] == 'z' || f[p] == 'j' || f[p] == 't') {
            wide64 = true;
            ++p;
        }
        const Char c = f[p];
        if (c == 0) {
            FormatStringDoesNotMatchArguments("format ends inside a conversion");
        }
        switch (c) {
        case 'd':
        case 'i':
        case 'u':
        case 'o':
        case 'x':
        case 'X': {
            const ArgInfo a = take("integer");
            if (!isInt(a.kind)) {
                FormatStringDoesNotMatchArguments("integer conversion with a non-integer argument");
            }
            if (!wide64 && a.size > 4) {
                FormatStringDoesNotMatchArguments("64-bit integer needs the ll, I64 or z prefix");
            }
            break;
        }
        case 'c':
        case 'C':
            if (!isInt(take("character").kind)) {
                FormatStringDoesNotMatchArguments("%c needs a character");
            }
            break;
        case 'e':
        case 'E':
        case 'f':
        case 'F':
        case 'g':
        case 'G':
        case 'a':
        case 'A':
            if (take("float").kind != ArgKind::Float) {
                FormatStringDoesNotMatchArguments("floating conversion with a non-floating argument");
            }
            break;
        case 's':
        case 'S': {
            bool wantWide;
            if (shortPrefix) {
                wantWide = false;
            } else if (longPrefix) {
                wantWide = true;
            } else {
                const bool formatIsWide = sizeof(Char) == 2;
                wantWide = (c == 's') ? formatIsWide : !formatIsWide;
            }
            const ArgKind k = take("string").kind;
            if (k != (wantWide ? ArgKind::Wide : ArgKind::Narrow)) {
                FormatStringDoesNotMatchArguments(wantWide ? "this %s takes UTF-16 text"
                                                           : "this %s takes 8-bit text");
            }
            break;
        }
        case 'p':
            if (take("pointer").kind != ArgKind::Pointer) {
                FormatStringDoesNotMatchArguments("%p needs a pointer");
            }
            break;
        default:
            FormatStringDoesNotMatchArguments("unknown conversion");
        }
    }
    if (next != count) {
        FormatStringDoesNotMatchArguments("too many arguments");
    }
}

} // namespace detail

template <class Char> struct RuntimeFormat { const Char* str; };
inline RuntimeFormat<char16_t> Runtime(const char16_t* s) {
    return {s};
}
inline RuntimeFormat<char> Runtime(const char* s) {
    return {s};
}

template <class Char, class... Args> class BasicFormatString {
public:
    template <class S>
    requires std::convertible_to<const S&, const Char*>
    consteval BasicFormatString(const S& s) : str_(s) {
        constexpr std::array<detail::ArgInfo, sizeof...(Args) + 1> infos{
            detail::ArgInfo{detail::KindOf<Args>(), detail::SizeOf<Args>()}...,
            detail::ArgInfo{ArgKind::Pointer, 0}};
        detail::CheckFormat<Char>(str_, infos.data(), sizeof...(Args));
    }
    BasicFormatString(RuntimeFormat<Char> r) : str_(r.str) {}
    const Char* get() const { return str_; }

private:
    const Char* str_;
};

template <class... Args> using WFormatString = BasicFormatString<char16_t, std::type_identity_t<Args>...>;
template <class... Args> using NFormatString = BasicFormatString<char, std::type_identity_t<Args>...>;

template <class T> FormatArg MakeArg(const T& v) {
    FormatArg a{};
    a.kind = detail::KindOf<T>();
    using B = detail::Bare<T>;
    if constexpr (detail::kIsNarrowText<T>) {
        if constexpr (std::is_pointer_v<B>) {
            a.narrow = v;
        } else {
            a.narrow = v.data();
            a.length = v.size();
        }
    } else if constexpr (detail::kIsWideText<T>) {
        if constexpr (std::is_pointer_v<B>) {
            a.wide = v;
        } else {
            a.wide = v.data();
            a.length = v.size();
        }
    } else if constexpr (std::is_floating_point_v<B>) {
        a.d = static_cast<double>(v);
    } else if constexpr (std::is_enum_v<B> || std::is_integral_v<B>) {
        a.size = sizeof(B);
        if constexpr (detail::KindOf<T>() == ArgKind::Signed) {
            a.i = static_cast<std::int64_t>(v);
        } else {
            a.u = static_cast<std::uint64_t>(v);
        }
    } else if constexpr (std::is_null_pointer_v<B>) {
        a.ptr = nullptr;
    } else {
        a.ptr = static_cast<const void*>(v);
    }
    return a;
}

// Formats into dst, which has room for `limit` units. Answers the number of units written when the
// text fits in `limit` units (a terminator follows when there is room for it), else -1 (dst then
// holds the first `limit` units), like the bounded formatters of the Windows C library.
int FormatBounded(char16_t* dst, std::size_t limit, const char16_t* fmt, std::span<const FormatArg> args);
int FormatBounded(char* dst, std::size_t limit, const char* fmt, std::span<const FormatArg> args);

// Appends the formatted text to a string.
void FormatAppend(WString& out, const char16_t* fmt, std::span<const FormatArg> args);
void FormatAppend(std::string& out, const char* fmt, std::span<const FormatArg> args);

template <class... Args> WString Format(WFormatString<Args...> fmt, const Args&... args) {
    const std::array<FormatArg, sizeof...(Args)> a{MakeArg(args)...};
    WString out;
    FormatAppend(out, fmt.get(), a);
    return out;
}

template <class... Args> std::string FormatA(NFormatString<Args...> fmt, const Args&... args) {
    const std::array<FormatArg, sizeof...(Args)> a{MakeArg(args)...};
    std::string out;
    FormatAppend(out, fmt.get(), a);
    return out;
}

} // namespace plat::text
