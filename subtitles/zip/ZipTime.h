#pragma once
// Times of zip entries: the DOS date and time (local time, 2-second steps) every entry carries, the
// exact UTC modification time of the "UT" extra field that Unix zip tools add, and Windows file
// times for the entry records.
#include "subtitles/zip/TZipEntry.h"

#include <cstdint>
#include <ctime>
#include <optional>
#include <string_view>

namespace ziptime {

// Seconds since 1970 (UTC) as a Windows file time; times before 1601 give 0.
TFileTime FromUnix(int64_t seconds);

// Seconds since 1970 of a local date and time (tm_year counted from 1900, tm_mon from 0).
int64_t UnixFromLocal(std::tm local);

// The local date and time of seconds since 1970, kept within the years DOS dates hold (1980-2107).
std::tm DosLocalFromUnix(int64_t seconds);

// The modification time of an "UT" (0x5455) field of an entry's extra data, when there is one.
std::optional<int64_t> ExtendedModificationTime(std::string_view extra);

} // namespace ziptime
