#pragma once
// The date and time recorded for a file inside a cabinet, in the DOS form
// (two seconds resolution, years 1980 to 2107, no time zone).
#include <cstdint>
#include <string>

struct DosTimestamp {
    uint16_t date = 0;  // (year - 1980) << 9 | month << 5 | day
    uint16_t time = 0;  // hour << 11 | minute << 5 | second / 2
};

// UTC time of `secondsSince1970`, clamped into the range DOS can hold.
DosTimestamp DosTimestampFromUnixTime(int64_t secondsSince1970);

// The stamp for a reproducible build: SOURCE_DATE_EPOCH when set, otherwise
// 1980-01-01 00:00:00, so that equal input always gives equal bytes. False,
// with `error`, when the variable is set but is not a whole number of seconds.
bool BuildTimestamp(DosTimestamp& stamp, std::string& error);
