#pragma once

#include <chrono>
#include <cstdint>

// The correlation key of a request and its reply: the local send time.
struct TMessageStamp {
    // Milliseconds since local midnight, 0 to 86 399 999.
    std::int32_t Time = 0;
    // Day number of the local date; 1 January 0001 (proleptic Gregorian) is day 1.
    std::int32_t Date = 0;

    friend bool operator==(const TMessageStamp&, const TMessageStamp&) = default;
};

// Day 1 is 1 January 0001, so 30 December 1899 is day 693594.
std::int32_t DayNumber(int Year, unsigned Month, unsigned Day);
std::int32_t MillisecondsOfDay(int Hour, int Minute, int Second, int Millisecond);
// The stamp of Moment in the local time zone.
TMessageStamp StampOf(std::chrono::system_clock::time_point Moment);
TMessageStamp StampNow();
