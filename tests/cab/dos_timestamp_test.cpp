// Calendar arithmetic of the DOS file stamp, including leap days and the
// ends of the range DOS can hold.
#include "tools/cab/dos_timestamp.h"

#include <gtest/gtest.h>

namespace {

uint16_t Date(int year, int month, int day) { return uint16_t((year - 1980) << 9 | month << 5 | day); }
uint16_t Time(int hour, int minute, int second) { return uint16_t(hour << 11 | minute << 5 | second / 2); }

TEST(DosTimestamp, FromUnixTime) {
    struct Case {
        int64_t seconds;
        uint16_t date, time;
    } cases[] = {
        {315532800, Date(1980, 1, 1), Time(0, 0, 0)},
        {315532799, Date(1980, 1, 1), Time(0, 0, 0)},  // before: clamped
        {-1, Date(1980, 1, 1), Time(0, 0, 0)},
        {951827696, Date(2000, 2, 29), Time(12, 34, 56)},
        {951868799, Date(2000, 2, 29), Time(23, 59, 58)},
        {951868800, Date(2000, 3, 1), Time(0, 0, 0)},
        {1700000001, Date(2023, 11, 14), Time(22, 13, 20)},
        {4107542400, Date(2100, 3, 1), Time(0, 0, 0)},  // 2100 has no 29 February
        {4354819199, Date(2107, 12, 31), Time(23, 59, 58)},
        {5000000000, Date(2107, 12, 31), Time(23, 59, 58)},  // after: clamped
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.seconds);
        DosTimestamp stamp = DosTimestampFromUnixTime(c.seconds);
        EXPECT_EQ(stamp.date, c.date);
        EXPECT_EQ(stamp.time, c.time);
    }
}

}  // namespace
