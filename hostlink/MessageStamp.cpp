#include "MessageStamp.h"

#include <ctime>

namespace {

// Day number of 1 January 1970, where the system clock starts.
constexpr std::int32_t UnixEpochDay = 719163;

} // namespace

std::int32_t DayNumber(int Year, unsigned Month, unsigned Day)
{
    using namespace std::chrono;
    const sys_days date { year { Year } / month { Month } / day { Day } };
    return static_cast<std::int32_t>(date.time_since_epoch().count()) + UnixEpochDay;
}

std::int32_t MillisecondsOfDay(int Hour, int Minute, int Second, int Millisecond)
{
    return ((Hour * 60 + Minute) * 60 + Second) * 1000 + Millisecond;
}

TMessageStamp StampOf(std::chrono::system_clock::time_point Moment)
{
    using namespace std::chrono;
    const std::time_t seconds = system_clock::to_time_t(
        time_point_cast<system_clock::duration>(floor<std::chrono::seconds>(Moment)));
    const auto millis = duration_cast<milliseconds>(Moment - floor<std::chrono::seconds>(Moment)).count();
    std::tm local {};
    localtime_r(&seconds, &local);
    // A leap second (tm_sec 60) would leave the day's range; count it as 59.
    const int second = local.tm_sec > 59 ? 59 : local.tm_sec;
    return { MillisecondsOfDay(local.tm_hour, local.tm_min, second, static_cast<int>(millis)),
        DayNumber(local.tm_year + 1900, static_cast<unsigned>(local.tm_mon + 1),
            static_cast<unsigned>(local.tm_mday)) };
}

TMessageStamp StampNow()
{
    return StampOf(std::chrono::system_clock::now());
}
