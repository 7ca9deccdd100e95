#include "dos_timestamp.h"

#include <cerrno>
#include <cstdlib>

namespace {

constexpr int64_t kSecondsPerDay = 86400;
// 1980-01-01 00:00:00 and 2107-12-31 23:59:58 UTC, the ends of the DOS range.
constexpr int64_t kDosFirst = 315532800;
constexpr int64_t kDosLast = 4354819198;

// Proleptic Gregorian calendar date of a day counted from 1970-01-01.
void CivilFromDays(int64_t days, int& year, int& month, int& day) {
    days += 719468;  // count from 0000-03-01 so leap days fall at a year's end
    int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    int64_t dayOfEra = days - era * 146097;
    int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    int64_t monthFromMarch = (5 * dayOfYear + 2) / 153;
    day = int(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
    month = int(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
    year = int(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
}

}  // namespace

DosTimestamp DosTimestampFromUnixTime(int64_t secondsSince1970) {
    int64_t t = secondsSince1970 < kDosFirst ? kDosFirst : secondsSince1970 > kDosLast ? kDosLast : secondsSince1970;
    int year, month, day;
    CivilFromDays(t / kSecondsPerDay, year, month, day);
    int64_t secondOfDay = t % kSecondsPerDay;
    DosTimestamp stamp;
    stamp.date = uint16_t((year - 1980) << 9 | month << 5 | day);
    stamp.time = uint16_t(secondOfDay / 3600 << 11 | secondOfDay / 60 % 60 << 5 | secondOfDay % 60 / 2);
    return stamp;
}

bool BuildTimestamp(DosTimestamp& stamp, std::string& error) {
    const char* text = std::getenv("SOURCE_DATE_EPOCH");
    if (text == nullptr || *text == '\0') {
        stamp = DosTimestampFromUnixTime(kDosFirst);
        return true;
    }
    // strtoll alone would accept leading blanks and a plus sign.
    bool startsWell = (*text >= '0' && *text <= '9') || *text == '-';
    char* end = nullptr;
    errno = 0;
    long long seconds = std::strtoll(text, &end, 10);
    if (!startsWell || errno != 0 || *end != '\0') {
        error = std::string("SOURCE_DATE_EPOCH is not a whole number of seconds: \"") + text + "\"";
        return false;
    }
    stamp = DosTimestampFromUnixTime(seconds);
    return true;
}
