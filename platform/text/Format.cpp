#include "platform/text/Format.h"

#include "platform/text/CodePage.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdio>
#include <utility>

namespace plat::text {

namespace detail {

// Reached only from the consteval format check, where calling a non-constexpr function is the
// compile error that reports a mismatch; at run time it has nothing to do.
void FormatStringDoesNotMatchArguments(const char*) {}

} // namespace detail

namespace {

// Widths and precisions are clamped, so that a format read from a file cannot ask for gigabytes.
constexpr std::int64_t kMaxField = 1 << 20;

// Where formatted text goes: appended to a string, or into a buffer of `limit` units. A bounded sink
// counts what it kept and notes when more was offered than fits.
template <class Char> class Sink {
public:
    explicit Sink(std::basic_string<Char>& out) : out_(&out) {}
    Sink(Char* dst, std::size_t limit) : dst_(dst), limit_(limit) {}

    // False once a bounded sink has been offered more than it holds: the rest need not be formatted.
    bool Open() const { return !overflowed_; }
    bool Overflowed() const { return overflowed_; }
    std::size_t Count() const { return count_; }

    void Put(std::basic_string_view<Char> s) {
        if (out_ != nullptr) {
            out_->append(s);
            return;
        }
        const std::size_t n = Room(s.size());
        std::copy_n(s.data(), n, dst_ + count_);
        count_ += n;
    }

    void Fill(Char c, std::size_t n) {
        if (out_ != nullptr) {
            out_->append(n, c);
            return;
        }
        const std::size_t kept = Room(n);
        std::fill_n(dst_ + count_, kept, c);
        count_ += kept;
    }

private:
    std::size_t Room(std::size_t wanted) {
        const std::size_t room = limit_ - count_;
        if (wanted > room) {
            overflowed_ = true;
            return room;
        }
        return wanted;
    }

    std::basic_string<Char>* out_ = nullptr;
    Char* dst_ = nullptr;
    std::size_t limit_ = 0;
    std::size_t count_ = 0;
    bool overflowed_ = false;
};

class ArgCursor {
public:
    explicit ArgCursor(std::span<const FormatArg> args) : args_(args) {}
    // The next argument, nullptr when none is left.
    const FormatArg* Take() { return next_ < args_.size() ? &args_[next_++] : nullptr; }

private:
    std::span<const FormatArg> args_;
    std::size_t next_ = 0;
};

bool IsInteger(ArgKind k) {
    return k == ArgKind::Signed || k == ArgKind::Unsigned;
}

struct Spec {
    bool left = false;
    bool plus = false;
    bool space = false;
    bool alt = false;
    bool zero = false;
    std::int64_t width = 0;
    std::int64_t precision = -1; // -1 when none is given
    bool shortPrefix = false;    // h, hh: 8-bit text or character
    bool longPrefix = false;     // l, ll, w: UTF-16 text or character
    int intBits = 32;
    char conversion = 0;
    bool starsValid = true; // every '*' found an integer argument
};

template <class Char> bool IsDigit(Char c) {
    return c >= '0' && c <= '9';
}

template <class Char> std::int64_t ParseNumber(const Char*& p) {
    std::int64_t value = 0;
    for (; IsDigit(*p); ++p) {
        value = std::min(value * 10 + (*p - '0'), kMaxField);
    }
    return value;
}

// The value of a '*': an int, as the C library reads it.
bool TakeStar(ArgCursor& args, std::int64_t& value) {
    const FormatArg* arg = args.Take();
    if (arg == nullptr || !IsInteger(arg->kind)) {
        return false;
    }
    value = static_cast<std::int32_t>(arg->u & 0xFFFFFFFFu);
    return true;
}

template <class Char> void ParseFlags(const Char*& p, Spec& spec) {
    for (;; ++p) {
        switch (*p) {
        case '-':
            spec.left = true;
            break;
        case '+':
            spec.plus = true;
            break;
        case ' ':
            spec.space = true;
            break;
        case '#':
            spec.alt = true;
            break;
        case '0':
            spec.zero = true;
            break;
        default:
            return;
        }
    }
}

template <class Char> void ParseWidthAndPrecision(const Char*& p, ArgCursor& args, Spec& spec) {
    if (*p == '*') {
        ++p;
        std::int64_t width = 0;
        spec.starsValid = TakeStar(args, width) && spec.starsValid;
        // A negative '*' width asks for left justification.
        spec.left = spec.left || width < 0;
        spec.width = std::min(width < 0 ? -width : width, kMaxField);
    }
    if (IsDigit(*p)) {
        spec.width = ParseNumber(p);
    }
    if (*p != '.') {
        return;
    }
    ++p;
    spec.precision = 0;
    if (*p == '*') {
        ++p;
        std::int64_t precision = 0;
        spec.starsValid = TakeStar(args, precision) && spec.starsValid;
        // A negative '*' precision counts as none.
        spec.precision = precision < 0 ? -1 : std::min(precision, kMaxField);
    }
    if (IsDigit(*p)) {
        spec.precision = ParseNumber(p);
    }
}

template <class Char> void ParseSizePrefix(const Char*& p, Spec& spec) {
    switch (*p) {
    case 'h':
        spec.shortPrefix = true;
        spec.intBits = 16;
        if (*++p == 'h') {
            spec.intBits = 8;
            ++p;
        }
        break;
    case 'l':
        spec.longPrefix = true;
        if (*++p == 'l') {
            spec.intBits = 64;
            ++p;
        }
        break;
    case 'w':
        spec.longPrefix = true;
        ++p;
        break;
    case 'L':
        ++p;
        break;
    case 'I':
        ++p;
        if (p[0] == '6' && p[1] == '4') {
            p += 2;
            spec.intBits = 64;
        } else if (p[0] == '3' && p[1] == '2') {
            p += 2;
        } else {
            spec.intBits = 64;
        }
        break;
    case 'z':
    case 'j':
    case 't':
        spec.intBits = 64;
        ++p;
        break;
    default:
        break;
    }
}

bool IsConversion(char32_t c) {
    constexpr std::string_view kConversions = "diuoxXcCsSeEfFgGaAp";
    return c < 0x80 && kConversions.find(static_cast<char>(c)) != std::string_view::npos;
}

// Reads a conversion after its '%', leaving p on the conversion character. False when the format
// ends first or the character is not a conversion.
template <class Char> bool ParseSpec(const Char*& p, ArgCursor& args, Spec& spec) {
    ParseFlags(p, spec);
    ParseWidthAndPrecision(p, args, spec);
    ParseSizePrefix(p, spec);
    if (!IsConversion(*p)) {
        return false;
    }
    spec.conversion = static_cast<char>(*p);
    return true;
}

// In a UTF-16 format the plain 's' and 'c' are UTF-16 and the capitals 8-bit; in an 8-bit format the
// other way round. A size prefix overrides both.
template <class Char> bool TakesWide(const Spec& spec) {
    if (spec.shortPrefix) {
        return false;
    }
    if (spec.longPrefix) {
        return true;
    }
    const bool plain = spec.conversion == 's' || spec.conversion == 'c';
    return plain == (sizeof(Char) == 2);
}

template <class Char> bool Accepts(const Spec& spec, ArgKind kind) {
    switch (spec.conversion) {
    case 'e':
    case 'E':
    case 'f':
    case 'F':
    case 'g':
    case 'G':
    case 'a':
    case 'A':
        return kind == ArgKind::Float;
    case 's':
    case 'S':
        return kind == (TakesWide<Char>(spec) ? ArgKind::Wide : ArgKind::Narrow);
    case 'p':
        return kind == ArgKind::Pointer;
    default:
        return IsInteger(kind);
    }
}

WString Across(std::string_view s) {
    return AnsiToWide(s);
}
std::string Across(std::u16string_view s) {
    return WideToAnsi(s);
}

struct IntegerValue {
    std::uint64_t magnitude;
    bool negative;
    bool isSigned;
};

// Keeps the bits the size prefix names (32 without one); signed conversions sign-extend them.
IntegerValue Truncate(const Spec& spec, std::uint64_t bits) {
    const int unused = 64 - spec.intBits;
    bits = (bits << unused) >> unused;
    if (spec.conversion != 'd' && spec.conversion != 'i') {
        return {bits, false, false};
    }
    const std::int64_t value = static_cast<std::int64_t>(bits << unused) >> unused;
    const bool negative = value < 0;
    return {negative ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value), negative,
            true};
}

unsigned BaseOf(char conversion) {
    switch (conversion) {
    case 'o':
        return 8;
    case 'x':
    case 'X':
        return 16;
    default:
        return 10;
    }
}

// Floating values are formatted by the C library from a rebuilt narrow conversion; width and
// precision go in as '*' arguments (a precision of -1 counts as none).
std::array<char, 16> NarrowFloatConversion(const Spec& spec) {
    std::array<char, 16> conversion{};
    std::size_t n = 0;
    conversion[n++] = '%';
    for (const auto& [on, flag] :
         {std::pair{spec.left, '-'}, std::pair{spec.plus, '+'}, std::pair{spec.space, ' '},
          std::pair{spec.alt, '#'}, std::pair{spec.zero, '0'}}) {
        if (on) {
            conversion[n++] = flag;
        }
    }
    for (const char c : {'*', '.', '*', spec.conversion}) {
        conversion[n++] = c;
    }
    return conversion;
}

// A zero-terminated string read no further than `max` units.
template <class Src> std::size_t BoundedLength(const Src* s, std::size_t max) {
    std::size_t n = 0;
    while (n < max && s[n] != 0) {
        ++n;
    }
    return n;
}

template <class Char> class Formatter {
public:
    Formatter(Sink<Char>& sink, std::span<const FormatArg> args) : sink_(sink), args_(args) {}

    void Run(const Char* fmt) {
        const Char* p = fmt;
        while (*p != 0 && sink_.Open()) {
            if (*p != '%') {
                const Char* start = p;
                while (*p != 0 && *p != '%') {
                    ++p;
                }
                sink_.Put({start, p});
            } else if (p[1] == '%') {
                sink_.Put({p, 1});
                p += 2;
            } else {
                p = Conversion(p);
            }
        }
    }

private:
    using View = std::basic_string_view<Char>;

    // Formats the conversion that starts at the '%' at p; answers where the format goes on.
    const Char* Conversion(const Char* percent) {
        const Char* p = percent + 1;
        Spec spec;
        if (!ParseSpec(p, args_, spec)) {
            // An incomplete or unknown conversion is printed as written.
            const Char* end = *p != 0 ? p + 1 : p;
            sink_.Put({percent, end});
            return end;
        }
        const FormatArg* arg = args_.Take();
        if (arg != nullptr && spec.starsValid && Accepts<Char>(spec, arg->kind)) {
            Convert(spec, *arg);
        }
        return p + 1;
    }

    void Convert(const Spec& spec, const FormatArg& arg) {
        switch (spec.conversion) {
        case 'c':
        case 'C':
            Character(spec, arg);
            break;
        case 's':
        case 'S':
            String(spec, arg);
            break;
        case 'p':
            Pointer(spec, arg);
            break;
        case 'e':
        case 'E':
        case 'f':
        case 'F':
        case 'g':
        case 'G':
        case 'a':
        case 'A':
            Floating(spec, arg.d);
            break;
        default:
            Integer(spec, arg.u);
            break;
        }
    }

    // Lays out prefix (sign or radix), zeros and body within the field width. The '0' flag pads with
    // zeros after the prefix unless the text is left-justified.
    void Padded(const Spec& spec, View prefix, std::size_t zeros, View body) {
        const std::size_t length = prefix.size() + zeros + body.size();
        const auto width = static_cast<std::size_t>(spec.width);
        std::size_t pad = width > length ? width - length : 0;
        if (spec.zero && !spec.left) {
            zeros += pad;
            pad = 0;
        }
        if (!spec.left) {
            sink_.Fill(' ', pad);
        }
        sink_.Put(prefix);
        sink_.Fill('0', zeros);
        sink_.Put(body);
        if (spec.left) {
            sink_.Fill(' ', pad);
        }
    }

    template <class Src> void Text(const Spec& spec, std::basic_string_view<Src> text) {
        if constexpr (std::is_same_v<Src, Char>) {
            Padded(spec, {}, 0, text);
        } else {
            const std::basic_string<Char> converted = Across(text);
            Padded(spec, {}, 0, converted);
        }
    }

    void Character(const Spec& spec, const FormatArg& arg) {
        if (TakesWide<Char>(spec)) {
            const auto unit = static_cast<char16_t>(arg.u & 0xFFFF);
            Text(spec, std::u16string_view(&unit, 1));
        } else {
            const auto unit = static_cast<char>(arg.u & 0xFF);
            Text(spec, std::string_view(&unit, 1));
        }
    }

    template <class Src> void StringOf(const Spec& spec, const Src* s, std::size_t length) {
        const std::size_t max =
            spec.precision < 0 ? FormatArg::npos : static_cast<std::size_t>(spec.precision);
        if (s == nullptr) {
            constexpr std::array<Char, 6> kNull{'(', 'n', 'u', 'l', 'l', ')'};
            Padded(spec, {}, 0, View(kNull.data(), std::min(kNull.size(), max)));
            return;
        }
        const std::size_t n = length == FormatArg::npos ? BoundedLength(s, max) : std::min(length, max);
        Text(spec, std::basic_string_view<Src>(s, n));
    }

    void String(const Spec& spec, const FormatArg& arg) {
        if (arg.kind == ArgKind::Wide) {
            StringOf(spec, arg.wide, arg.length);
        } else {
            StringOf(spec, arg.narrow, arg.length);
        }
    }

    void Pointer(const Spec& spec, const FormatArg& arg) {
        std::array<Char, 16> digits{};
        auto value = reinterpret_cast<std::uintptr_t>(arg.ptr);
        for (std::size_t i = digits.size(); i-- > 0; value >>= 4) {
            digits[i] = static_cast<Char>("0123456789ABCDEF"[value & 0xF]);
        }
        Padded(spec, {}, 0, View(digits.data(), digits.size()));
    }

    void Integer(Spec spec, std::uint64_t bits) {
        const IntegerValue value = Truncate(spec, bits);
        const unsigned base = BaseOf(spec.conversion);
        std::array<Char, 22> buffer{};
        const View digits = Digits(value.magnitude, base, spec, buffer);

        std::size_t zeros = 0;
        if (spec.precision >= 0) {
            zeros = static_cast<std::size_t>(std::max<std::int64_t>(spec.precision - std::ssize(digits), 0));
            spec.zero = false;
        }
        if (spec.alt && base == 8 && zeros == 0 && (digits.empty() || digits.front() != '0')) {
            zeros = 1;
        }

        std::array<Char, 2> prefix{};
        std::size_t prefixLength = 0;
        if (value.isSigned && (value.negative || spec.plus || spec.space)) {
            prefix[prefixLength++] = value.negative ? '-' : spec.plus ? '+' : ' ';
        } else if (spec.alt && base == 16 && value.magnitude != 0) {
            prefix[prefixLength++] = '0';
            prefix[prefixLength++] = static_cast<Char>(spec.conversion);
        }
        Padded(spec, View(prefix.data(), prefixLength), zeros, digits);
    }

    // The digits of a magnitude at the end of buffer. Precision 0 prints no digits for 0.
    static View Digits(std::uint64_t magnitude, unsigned base, const Spec& spec,
                       std::array<Char, 22>& buffer) {
        const char* digitSet = spec.conversion == 'X' ? "0123456789ABCDEF" : "0123456789abcdef";
        std::size_t start = buffer.size();
        for (std::uint64_t v = magnitude; v != 0; v /= base) {
            buffer[--start] = static_cast<Char>(digitSet[v % base]);
        }
        if (magnitude == 0 && spec.precision != 0) {
            buffer[--start] = '0';
        }
        return View(buffer.data() + start, buffer.size() - start);
    }

    void Floating(const Spec& spec, double value) {
        const std::array<char, 16> conversion = NarrowFloatConversion(spec);
        const int width = static_cast<int>(spec.width);
        const int precision = static_cast<int>(spec.precision);
        std::array<char, 128> small{};
        int length = std::snprintf(small.data(), small.size(), conversion.data(), width, precision, value);
        if (length < 0) {
            return;
        }
        if (static_cast<std::size_t>(length) < small.size()) {
            PutAscii(std::string_view(small.data(), static_cast<std::size_t>(length)));
            return;
        }
        std::string large(static_cast<std::size_t>(length) + 1, '\0');
        length = std::snprintf(large.data(), large.size(), conversion.data(), width, precision, value);
        large.resize(static_cast<std::size_t>(std::max(length, 0)));
        PutAscii(large);
    }

    void PutAscii(std::string_view text) {
        if constexpr (std::is_same_v<Char, char>) {
            sink_.Put(text);
        } else {
            const std::basic_string<Char> converted(text.begin(), text.end());
            sink_.Put(converted);
        }
    }

    Sink<Char>& sink_;
    ArgCursor args_;
};

template <class Char>
int Bounded(Char* dst, std::size_t limit, const Char* fmt, std::span<const FormatArg> args) {
    if (dst == nullptr) {
        limit = 0;
    }
    Sink<Char> sink(dst, limit);
    if (fmt != nullptr) {
        Formatter<Char>(sink, args).Run(fmt);
    }
    if (sink.Overflowed() || sink.Count() > static_cast<std::size_t>(INT_MAX)) {
        return -1;
    }
    if (sink.Count() < limit) {
        dst[sink.Count()] = 0;
    }
    return static_cast<int>(sink.Count());
}

template <class Char>
void Append(std::basic_string<Char>& out, const Char* fmt, std::span<const FormatArg> args) {
    if (fmt == nullptr) {
        return;
    }
    Sink<Char> sink(out);
    Formatter<Char>(sink, args).Run(fmt);
}

} // namespace

int FormatBounded(char16_t* dst, std::size_t limit, const char16_t* fmt, std::span<const FormatArg> args) {
    return Bounded(dst, limit, fmt, args);
}

int FormatBounded(char* dst, std::size_t limit, const char* fmt, std::span<const FormatArg> args) {
    return Bounded(dst, limit, fmt, args);
}

void FormatAppend(WString& out, const char16_t* fmt, std::span<const FormatArg> args) {
    Append(out, fmt, args);
}

void FormatAppend(std::string& out, const char* fmt, std::span<const FormatArg> args) {
    Append(out, fmt, args);
}

} // namespace plat::text
