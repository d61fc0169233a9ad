#include "MessageStamp.h"

#include <ctime>

namespace {

// Day number of 1 January 1970, where the system clock starts.
constexpr std::int32_t UnixEpochDay = 719163;

} // namespace

std::int32_t DayNumber(int Year, unsigned Month, unsigned Day)
{
    using namespace std::chrono;
    const sys_days Date { year { Year } / month { Month } / day { Day } };
    return static_cast<std::int32_t>(Date.time_since_epoch().count()) + UnixEpochDay;
}

std::int32_t MillisecondsOfDay(int Hour, int Minute, int Second, int Millisecond)
{
    return ((Hour * 60 + Minute) * 60 + Second) * 1000 + Millisecond;
}

TMessageStamp StampOf(std::chrono::system_clock::time_point Moment)
{
    using namespace std::chrono;
    const auto WholeSeconds = floor<seconds>(Moment);
    const std::time_t Seconds
        = system_clock::to_time_t(time_point_cast<system_clock::duration>(WholeSeconds));
    const auto Millis = duration_cast<milliseconds>(Moment - WholeSeconds).count();
    std::tm Local {};
    localtime_r(&Seconds, &Local);
    // A leap second (tm_sec 60) would leave the day's range; count it as 59.
    const int Second = Local.tm_sec > 59 ? 59 : Local.tm_sec;
    return { MillisecondsOfDay(Local.tm_hour, Local.tm_min, Second, static_cast<int>(Millis)),
        DayNumber(Local.tm_year + 1900, static_cast<unsigned>(Local.tm_mon + 1),
            static_cast<unsigned>(Local.tm_mday)) };
}

TMessageStamp StampNow()
{
    return StampOf(std::chrono::system_clock::now());
}
