#include "player/scripting/TSystemScriptServices.h"

#include "platform/text/CodePage.h"

#include <locale.h>
#include <unistd.h>

#include <chrono>
#include <ctime>
#include <fstream>

namespace {

// Longest time or date text handed out, in characters.
constexpr size_t kMaxTextUnits = 254;

std::u16string Formatted(const TLocalTime& time, const char* format) {
    std::tm fields{};
    fields.tm_year = time.Year - 1900;
    fields.tm_mon = time.Month - 1;
    fields.tm_mday = time.Day;
    fields.tm_hour = time.Hour;
    fields.tm_min = time.Minute;
    fields.tm_sec = time.Second;
    const locale_t locale = newlocale(LC_TIME_MASK, "", static_cast<locale_t>(0));
    const locale_t used = locale != static_cast<locale_t>(0) ? locale : newlocale(LC_TIME_MASK, "C", nullptr);
    char text[512];
    const size_t length =
        used != static_cast<locale_t>(0) ? strftime_l(text, sizeof(text), format, &fields, used) : 0;
    if (used != static_cast<locale_t>(0)) {
        freelocale(used);
    }
    return plat::text::AnsiToWide(std::string_view(text, length)).substr(0, kMaxTextUnits);
}

} // namespace

TLocalTime TSystemScriptServices::Now() const {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    std::tm fields{};
    localtime_r(&seconds, &fields);
    const auto milliseconds =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    return {fields.tm_year + 1900,
            fields.tm_mon + 1,
            fields.tm_mday,
            fields.tm_hour,
            fields.tm_min,
            fields.tm_sec,
            static_cast<int32_t>(milliseconds)};
}

std::u16string TSystemScriptServices::TimeText(const TLocalTime& time) const {
    return Formatted(time, "%X");
}

std::u16string TSystemScriptServices::DateText(const TLocalTime& time) const {
    return Formatted(time, "%x");
}

int64_t TSystemScriptServices::WorkingSetBytes() const {
    std::ifstream statm("/proc/self/statm");
    int64_t size = 0;
    int64_t resident = 0;
    if (!(statm >> size >> resident)) {
        return 0;
    }
    return resident * ::sysconf(_SC_PAGESIZE);
}
