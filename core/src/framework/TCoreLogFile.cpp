#include "core/src/framework/TCoreLogFile.h"

#include "platform/text/CodePage.h"

#include <cstdio>
#include <memory>
#include <string_view>

namespace text = plat::text;

namespace {

constexpr std::size_t kFormatUnits = TCoreLogFile::kMaxMessageBytes + 1;

// The units that FormatBounded wrote: all of the buffer when the text did not fit.
std::size_t FormattedUnits(int answer) {
    return answer < 0 ? kFormatUnits : static_cast<std::size_t>(answer);
}

std::string CutToMessage(std::string_view utf8) {
    return std::string(utf8.substr(0, text::Utf8CutLength(utf8, TCoreLogFile::kMaxMessageBytes)));
}

std::string RenderWide(const char16_t* format, std::span<const text::FormatArg> args) {
    // A text cut inside a surrogate pair keeps 2047 whole units before it, so the UTF-8 cut drops
    // the broken pair.
    std::array<char16_t, kFormatUnits> buffer;
    const std::size_t units = FormattedUnits(text::FormatBounded(buffer.data(), buffer.size(), format, args));
    return CutToMessage(text::WideToAnsi(text::WStringView(buffer.data(), units)));
}

std::string RenderNarrow(const char* format, std::span<const text::FormatArg> args) {
    std::array<char, kFormatUnits> buffer;
    const std::size_t units = FormattedUnits(text::FormatBounded(buffer.data(), buffer.size(), format, args));
    return CutToMessage(std::string_view(buffer.data(), units));
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

} // namespace

TCoreLogFile::TCoreLogFile() = default;

TCoreLogFile& TCoreLogFile::Instance() {
    static TCoreLogFile log;
    return log;
}

void TCoreLogFile::SetPath(const char16_t* widePath) {
    const std::lock_guard lock(mutex_);
    path_ = widePath != nullptr ? widePath : u"";
}

void TCoreLogFile::SetEnabled(bool enabled) {
    const std::lock_guard lock(mutex_);
    enabled_ = enabled;
}

void TCoreLogFile::WriteWide(std::nullptr_t) {
    Write(static_cast<const char16_t*>(nullptr), {});
}

void TCoreLogFile::WriteNarrow(std::nullptr_t) {
    Write(static_cast<const char*>(nullptr), {});
}

void TCoreLogFile::Write(const char16_t* format, std::span<const text::FormatArg> args) {
    WriteLocked(format, [&] { return RenderWide(format, args); });
}

void TCoreLogFile::Write(const char* format, std::span<const text::FormatArg> args) {
    WriteLocked(format, [&] { return RenderNarrow(format, args); });
}

template <class Char, class Render> void TCoreLogFile::WriteLocked(const Char* format, Render render) {
    const std::lock_guard lock(mutex_);
    if (path_.empty() || !enabled_) {
        return;
    }
    const std::string file = text::WideToAnsi(path_);
    if (format == nullptr) {
        std::remove(file.c_str());
        return;
    }
    const std::string message = render();
    const std::unique_ptr<std::FILE, FileCloser> stream(std::fopen(file.c_str(), "a"));
    if (stream != nullptr) {
        std::fwrite(message.data(), 1, message.size(), stream.get());
    }
}
